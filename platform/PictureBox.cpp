#include "PictureBox.h"

#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cmath>

#include "Screen.h"

namespace {

int ToPixels(qint64 twips, double perPixel)
{
    return static_cast<int>(std::clamp<double>(std::round(static_cast<double>(twips) / perPixel), -100000.0, 100000.0));
}

} // namespace

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
    return static_cast<qint32>(std::lround(x() * Screen::TwipsPerPixelX()));
}

qint32 PictureBox::TopTwips() const
{
    return static_cast<qint32>(std::lround(y() * Screen::TwipsPerPixelY()));
}

qint32 PictureBox::WidthTwips() const
{
    return static_cast<qint32>(std::lround(width() * Screen::TwipsPerPixelX()));
}

qint32 PictureBox::HeightTwips() const
{
    return static_cast<qint32>(std::lround(height() * Screen::TwipsPerPixelY()));
}

void PictureBox::SetGeometryTwips(qint64 left, qint64 top, qint64 width, qint64 height)
{
    const double tx = Screen::TwipsPerPixelX();
    const double ty = Screen::TwipsPerPixelY();
    setGeometry(
        ToPixels(left, tx), ToPixels(top, ty), std::max(0, ToPixels(width, tx)), std::max(0, ToPixels(height, ty)));
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
