#include "PictureBox.h"

#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cmath>

#include "Forms.h"

PictureBox::PictureBox(QWidget* parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    // The image covers every pixel inside the frame.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_surface.SetChangedCallback([this] { update(); });
    SyncSurface();
}

ImageSurface& PictureBox::Surface()
{
    SyncSurface();
    return m_surface;
}

bool PictureBox::SyncSurface()
{
    return m_surface.SetPixelSize(contentsRect().size(), devicePixelRatioF());
}

void PictureBox::SetBackColor(quint32 colour)
{
    SyncSurface();
    m_surface.Clear(colour);
}

qint32 PictureBox::LeftTwips() const
{
    return Forms::TwipsX(x());
}

qint32 PictureBox::TopTwips() const
{
    return Forms::TwipsY(y());
}

qint32 PictureBox::WidthTwips() const
{
    return Forms::TwipsX(width());
}

qint32 PictureBox::HeightTwips() const
{
    return Forms::TwipsY(height());
}

void PictureBox::SetGeometryTwips(qint64 left, qint64 top, qint64 width, qint64 height)
{
    setGeometry(Forms::PixelsX(static_cast<double>(left)),
                Forms::PixelsY(static_cast<double>(top)),
                std::max(0, Forms::PixelsX(static_cast<double>(width))),
                std::max(0, Forms::PixelsY(static_cast<double>(height))));
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    const QRect inside = contentsRect();
    const QImage& image = m_surface.Image();
    if (m_surface.DevicePixelRatio() != devicePixelRatioF() && !image.isNull()) {
        // Moved to a screen of another pixel ratio: show the old image scaled until it is drawn again.
        QTimer::singleShot(0, this, [this] {
            if (SyncSurface()) {
                emit SurfaceResized();
            }
        });
    }
    p.fillRect(inside,
               QColor(static_cast<int>(m_surface.BackColor() & 0xFF),
                      static_cast<int>((m_surface.BackColor() >> 8) & 0xFF),
                      static_cast<int>((m_surface.BackColor() >> 16) & 0xFF)));
    if (!image.isNull()) {
        const double dpr = m_surface.DevicePixelRatio();
        const QRectF source(0,
                            0,
                            std::min<double>(image.width(), inside.width() * dpr),
                            std::min<double>(image.height(), inside.height() * dpr));
        p.drawImage(QRectF(inside.topLeft(), source.size() / dpr), image, source);
    }
    m_surface.ClearChanged();
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    if (SyncSurface()) {
        emit SurfaceResized();
    }
}
