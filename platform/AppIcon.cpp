#include "AppIcon.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace AppIcon {

QImage Render(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    p.setPen(QPen(QColor(96, 96, 96), std::max(1.0, s / 32)));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(s * 0.04, s * 0.04, s * 0.92, s * 0.92), s * 0.12, s * 0.12);
    p.setPen(QPen(QColor(160, 160, 160), std::max(1.0, s / 48)));
    p.drawLine(QPointF(s * 0.12, s * 0.5), QPointF(s * 0.88, s * 0.5));

    // The curves in the default colours, with their lengths in proportion (23, 28, 33 days).
    const struct {
        QColor color;
        double days;
    } cycles[] = {{QColor(64, 64, 200), 23}, {QColor(200, 64, 64), 28}, {QColor(64, 200, 64), 33}};
    for (const auto& c : cycles) {
        QPainterPath path;
        for (int i = 0; i <= 48; ++i) {
            const double t = i / 48.0;
            const double x = s * (0.12 + 0.76 * t);
            const double y = s * (0.5 - 0.32 * std::sin(t * 2 * M_PI * 28.0 / c.days));
            if (i == 0) {
                path.moveTo(x, y);
            } else {
                path.lineTo(x, y);
            }
        }
        p.setPen(QPen(c.color, std::max(1.5, s / 14), Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
    return image;
}

QIcon Icon()
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(QPixmap::fromImage(Render(size)));
    }
    return icon;
}

} // namespace AppIcon
