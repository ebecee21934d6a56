#pragma once

#include "core/AppError.h"

#include <QFont>
#include <QImage>
#include <QLine>
#include <QPoint>
#include <QSizeF>
#include <QString>
#include <QVector>
#include <QtGlobal>

#include <vector>

class QPaintDevice;
class QPainter;

/// A drawing surface addressed in logical units: twips on screen, page units on paper. It keeps the drawing
/// state of a classic picture box (raster operation, font, pen, fill, current text position), which persists
/// between drawings, and draws lines, boxes, circles and text over a QPainter. Colours are 32-bit RGB values
/// with red in the low byte.
///
/// The back ends (ImageSurface for the screen, PrinterSurface for paper) supply the device and how many device
/// pixels make one unit; everything else is here.
class DrawSurface
{
public:
    /// Raster operations understood by DrawMode; any other value draws as copy pen.
    static constexpr int MaskPen = 9; // pixel = pen AND screen: crossing curves mix
    static constexpr int CopyPen = 13; // pixel = pen
    /// Pen styles of DrawStyle.
    static constexpr int StyleSolid = 0;
    static constexpr int StyleDash = 1;
    static constexpr int StyleDot = 2;
    static constexpr int StyleDashDot = 3;
    static constexpr int StyleDashDotDot = 4;
    static constexpr int StyleInvisible = 5;
    /// Fill styles of FillStyle (2 to 7 are hatches, as on a picture box).
    static constexpr int FillSolid = 0;
    static constexpr int FillTransparent = 1;

    DrawSurface();
    virtual ~DrawSurface();
    DrawSurface(const DrawSurface&) = delete;
    DrawSurface& operator=(const DrawSurface&) = delete;

    int DrawMode() const { return m_drawMode; }
    void SetDrawMode(int mode) { m_drawMode = mode; }
    QString FontName() const { return m_fontName; }
    void SetFontName(const QString& name);
    /// Font size in points.
    double FontSize() const { return m_fontSize; }
    void SetFontSize(double points);
    /// Pen width in pixels of the screen (on paper a pixel is 1/96 inch), at least 1.
    int DrawWidth() const { return m_drawWidth; }
    void SetDrawWidth(int pixels) { m_drawWidth = qMax(1, pixels); }
    quint32 ForeColor() const { return m_foreColor; }
    void SetForeColor(quint32 colour) { m_foreColor = colour; }
    int DrawStyle() const { return m_drawStyle; }
    void SetDrawStyle(int style) { m_drawStyle = style; }
    int FillStyle() const { return m_fillStyle; }
    void SetFillStyle(int style) { m_fillStyle = style; }
    quint32 FillColor() const { return m_fillColor; }
    void SetFillColor(quint32 colour) { m_fillColor = colour; }
    double CurrentX() const { return m_currentX; }
    double CurrentY() const { return m_currentY; }
    void SetCurrentX(double x) { m_currentX = x; }
    void SetCurrentY(double y) { m_currentY = y; }

    /// Width and height of a text in the current font, in units; several lines stack.
    double TextWidth(const QString& text);
    double TextHeight(const QString& text);

    /// A line from one point to another in the given colour, with the current pen width, style and raster
    /// operation.
    AppError Line(double x1, double y1, double x2, double y2, quint32 colour);
    /// Many lines in one colour: the same pixels as one Line call each, drawn in one batch.
    AppError Lines(const QVector<QLineF>& lines, quint32 colour);
    /// A line through the points in order, in one colour: the same as Line from each point to the next.
    AppError Polyline(const QVector<QPointF>& points, quint32 colour);
    /// A box between two corners, outlined in the given colour and filled by the fill style and colour.
    AppError Box(double x1, double y1, double x2, double y2, quint32 colour);
    /// A circle outlined in the pen colour and filled by the fill style and colour.
    AppError Circle(double x, double y, double radius);
    /// Text in the pen colour with its top-left corner at the current text position; the position then
    /// moves to the start of the next line, as on a picture box.
    AppError Print(const QString& text);

    /// Size of the whole surface in units.
    virtual QSizeF SizeUnits() const = 0;

protected:
    /// How the back end maps units onto the device.
    struct Mapping
    {
        double unitsToPixelsX = 1.0; // device pixels per unit
        double unitsToPixelsY = 1.0;
        double penPixel = 1.0; // device pixels per pen-width pixel
        double fontDpi = 96.0; // device dots per inch, for font sizes in points
        bool rasterOps = true; // whether the device honours raster operations
    };

    /// The open painter of the device, or nothing when the surface cannot draw now.
    virtual QPainter* ActivePainter() = 0;
    virtual Mapping CurrentMapping() const = 0;
    /// Called after each drawing operation that changed pixels.
    virtual void Changed() { }
    /// Drops cached painter state; back ends call it whenever they open a new painter.
    void PainterReset();

private:
    enum class Mode { Shapes, Text };
    QPainter* Prepare(const Mapping& map, Mode mode, quint32 penColour, bool filled);
    const QImage* CircleSprite(const Mapping& map, double radiusPixels);
    /// The pen width in device pixels, 0 for a one-pixel (cosmetic) pen.
    double PenWidth(const Mapping& map) const;
    const QFont& DeviceFont(const Mapping& map);

    int m_drawMode = CopyPen;
    QString m_fontName;
    double m_fontSize = 9.0;
    int m_drawWidth = 1;
    quint32 m_foreColor = 0;
    int m_drawStyle = StyleSolid;
    int m_fillStyle = FillTransparent;
    quint32 m_fillColor = 0;
    double m_currentX = 0.0;
    double m_currentY = 0.0;

    // What the open painter is set to, so that a batch of same-state calls sets it once.
    struct PainterState
    {
        bool valid = false;
        Mode mode = Mode::Shapes;
        int op = -1;
        quint32 pen = 0;
        int style = -1;
        double width = -1.0;
        int fillStyle = -1;
        quint32 fill = 0;
        QFont font;
        bool fontSet = false;
    } m_state;
    // The font at its device size, rebuilt when the name, the size or the device changes.
    QFont m_font;
    double m_fontDpi = 0.0;
    bool m_fontValid = false;
    QVector<QLine> m_lineBuffer;
    struct Sprite
    {
        bool mask;
        quint32 pen;
        quint32 fill;
        int fillStyle;
        double width;
        double radius;
        QImage image;
    };
    std::vector<Sprite> m_sprites;
};
