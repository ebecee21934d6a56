#include "ImageSurface.h"

#include <QPainter>

#include <cmath>

#include "Forms.h"

namespace {

QColor ToQColor(quint32 colour)
{
    return QColor(static_cast<int>(colour & 0xFF),
                  static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

// A picture box can be made huge by a hand-edited window size; an image beyond this is not worth the memory.
constexpr int MaxDevicePixels = 16384;

} // namespace

ImageSurface::ImageSurface()
{
    m_twipsPerPixelX = Forms::TwipsPerPixelX();
    m_twipsPerPixelY = Forms::TwipsPerPixelY();
}

ImageSurface::~ImageSurface()
{
    ClosePainter();
}

void ImageSurface::ClosePainter()
{
    if (m_painter) {
        m_painter->end();
        m_painter.reset();
    }
    PainterReset();
}

bool ImageSurface::SetPixelSize(QSize logicalPixels, double devicePixelRatio)
{
    const QSize logical(qMax(0, logicalPixels.width()), qMax(0, logicalPixels.height()));
    const double dpr = devicePixelRatio > 0.0 && devicePixelRatio < 16.0 ? devicePixelRatio : 1.0;
    const double tx = Forms::TwipsPerPixelX();
    const double ty = Forms::TwipsPerPixelY();
    if (logical == m_logical && dpr == m_dpr && tx == m_twipsPerPixelX && ty == m_twipsPerPixelY && !m_image.isNull()) {
        return false;
    }
    ClosePainter();
    const QSize device(qBound(1, static_cast<int>(std::ceil(logical.width() * dpr)), MaxDevicePixels),
                       qBound(1, static_cast<int>(std::ceil(logical.height() * dpr)), MaxDevicePixels));
    QImage image(device, QImage::Format_RGB32);
    image.fill(ToQColor(m_backColor));
    if (!m_image.isNull() && dpr == m_dpr) {
        QPainter p(&image);
        p.drawImage(0, 0, m_image);
    }
    m_image = image;
    m_logical = logical;
    m_dpr = dpr;
    m_twipsPerPixelX = tx;
    m_twipsPerPixelY = ty;
    return true;
}

void ImageSurface::Clear(quint32 colour)
{
    m_backColor = colour & 0xFFFFFF;
    if (m_image.isNull()) {
        SetPixelSize(m_logical, m_dpr);
    }
    if (m_painter) {
        // Filling under an open painter would race its cached state: close it, the next drawing reopens it.
        ClosePainter();
    }
    m_image.fill(ToQColor(m_backColor));
    Changed();
}

QSizeF ImageSurface::SizeUnits() const
{
    return QSizeF(m_logical.width() * m_twipsPerPixelX, m_logical.height() * m_twipsPerPixelY);
}

QPainter* ImageSurface::ActivePainter()
{
    if (m_image.isNull()) {
        SetPixelSize(m_logical, m_dpr);
    }
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>();
        if (!m_painter->begin(&m_image)) {
            m_painter.reset();
            return nullptr;
        }
        PainterReset();
    }
    return m_painter.get();
}

DrawSurface::Mapping ImageSurface::CurrentMapping() const
{
    Mapping map;
    map.unitsToPixelsX = m_dpr / m_twipsPerPixelX;
    map.unitsToPixelsY = m_dpr / m_twipsPerPixelY;
    map.penPixel = m_dpr;
    map.fontDpi = 1440.0 / m_twipsPerPixelY * m_dpr;
    map.rasterOps = true;
    return map;
}

void ImageSurface::Changed()
{
    if (!m_changed) {
        m_changed = true;
        if (m_onChanged) {
            m_onChanged();
        }
    }
}
