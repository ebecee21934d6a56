#include "PrinterSurface.h"

#include <QPainter>
#include <QPrinter>

PrinterSurface::PrinterSurface()
{
    m_map.rasterOps = false;
}

PrinterSurface::~PrinterSurface()
{
    // A document left open is ended, so what was drawn is not lost.
    (void)End();
}

AppError PrinterSurface::Begin(QPrinter* printer, QSize units)
{
    if (!printer || units.width() <= 0 || units.height() <= 0 || IsActive()) {
        return AppError::Drawing;
    }
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(printer)) {
        return AppError::Drawing;
    }
    // The painter's origin is the printable area's top-left corner; the units span that area.
    const QRectF area = printer->pageRect(QPrinter::DevicePixel);
    if (area.width() <= 0 || area.height() <= 0) {
        painter->end();
        return AppError::Drawing;
    }
    m_printer = printer;
    m_painter = std::move(painter);
    m_units = units;
    m_map.unitsToPixelsX = area.width() / units.width();
    m_map.unitsToPixelsY = area.height() / units.height();
    m_map.fontDpi = printer->resolution();
    m_map.penPixel = printer->resolution() / 96.0;
    m_map.rasterOps = false;
    PainterReset();
    return AppError::None;
}

AppError PrinterSurface::NewPage()
{
    if (!IsActive() || !m_printer->newPage()) {
        return AppError::Drawing;
    }
    return AppError::None;
}

AppError PrinterSurface::End()
{
    if (!IsActive()) {
        return AppError::None;
    }
    const bool ended = m_painter->end();
    m_painter.reset();
    m_printer = nullptr;
    PainterReset();
    return ended ? AppError::None : AppError::Drawing;
}

bool PrinterSurface::IsActive() const
{
    return m_painter && m_painter->isActive();
}

QPainter* PrinterSurface::ActivePainter()
{
    return IsActive() ? m_painter.get() : nullptr;
}
