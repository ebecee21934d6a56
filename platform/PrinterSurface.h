#pragma once

#include "DrawSurface.h"

#include <QSize>

#include <memory>

class QPrinter;

/// The paper back end of DrawSurface: a printer page whose drawing area is given in page units laid over the
/// printable area (11520 by 15360 units on a portrait page, whatever the paper). Fonts keep their size in
/// points and a pen pixel is 1/96 inch, so paper looks like the screen. Raster operations do not exist on
/// paper: everything is drawn with copy pen, which over white paper differs only where lines cross.
class PrinterSurface : public DrawSurface
{
public:
    PrinterSurface();
    ~PrinterSurface() override;

    /// Starts a document on the printer (its page orientation, copies and output already set) with a drawing
    /// area of this many units. Drawing error when the printer cannot be opened.
    AppError Begin(QPrinter* printer, QSize units);
    /// Starts a new page of the same document.
    AppError NewPage();
    /// Ends the document and sends it to the printer. Drawing error when the printer reports a failure.
    AppError End();
    bool IsActive() const;

    QSizeF SizeUnits() const override { return QSizeF(m_units); }

protected:
    QPainter* ActivePainter() override;
    Mapping CurrentMapping() const override { return m_map; }

private:
    QPrinter* m_printer = nullptr;
    std::unique_ptr<QPainter> m_painter;
    QSize m_units;
    Mapping m_map;
};
