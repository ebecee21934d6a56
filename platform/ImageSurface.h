#pragma once

#include "DrawSurface.h"

#include <QImage>
#include <QSize>

#include <functional>
#include <memory>

/// The screen back end of DrawSurface: an off-screen image at the device pixel ratio of the screen it is
/// shown on, so the chart is drawn once, crisp on high-DPI screens, and a repaint only copies it. Units are
/// twips of the screen's logical resolution. Mask pen combines with the image's pixels.
class ImageSurface : public DrawSurface
{
public:
    ImageSurface();
    ~ImageSurface() override;

    /// Sizes the image for a drawing area of this many logical pixels at a device pixel ratio. A new size or
    /// ratio starts from the back colour, with what was drawn so far kept at the top-left until the next
    /// drawing. True when the image changed.
    bool SetPixelSize(QSize logicalPixels, double devicePixelRatio);
    QSize PixelSize() const { return m_logical; }
    double DevicePixelRatio() const { return m_dpr; }

    /// Fills the whole image with a colour (the back colour of the chart).
    void Clear(quint32 colour);
    quint32 BackColor() const { return m_backColor; }

    /// The drawn image in device pixels (its own device pixel ratio is 1; see DevicePixelRatio).
    const QImage& Image() const { return m_image; }

    /// Called once after drawing changes the image, until ClearChanged; the picture box repaints then.
    void SetChangedCallback(std::function<void()> callback) { m_onChanged = std::move(callback); }
    void ClearChanged() { m_changed = false; }

    QSizeF SizeUnits() const override;

protected:
    QPainter* ActivePainter() override;
    Mapping CurrentMapping() const override;
    void Changed() override;

private:
    void ClosePainter();

    QImage m_image;
    QSize m_logical;
    double m_dpr = 1.0;
    double m_twipsPerPixelX = 15.0;
    double m_twipsPerPixelY = 15.0;
    quint32 m_backColor = 0xFFFFFF;
    std::unique_ptr<QPainter> m_painter;
    std::function<void()> m_onChanged;
    bool m_changed = false;
};
