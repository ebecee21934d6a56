#include "DrawSurface.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Beyond this a device coordinate is no longer a place on any page or screen; the raster engine's fixed-point
// arithmetic would wrap, so such a step is refused instead.
constexpr double DeviceLimit = 16777216.0;

QColor ToQColor(quint32 colour)
{
    return QColor(static_cast<int>(colour & 0xFF),
                  static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

// The chart's Gothic font is not on every desktop: fall back through fonts with the same cell widths, so
// Japanese labels never turn into boxes.
QStringList FontFamilies(const QString& name)
{
    QStringList families;
    if (!name.isEmpty()) {
        families << name;
    }
    families << QStringLiteral("ＭＳ ゴシック") << QStringLiteral("MS Gothic") << QStringLiteral("IPAGothic")
             << QStringLiteral("IPAexGothic") << QStringLiteral("Noto Sans Mono CJK JP")
             << QStringLiteral("Noto Sans CJK JP") << QStringLiteral("VL Gothic") << QStringLiteral("TakaoGothic");
    families.removeDuplicates();
    return families;
}

bool ToDevice(double unitsToPixels, double v, int& out)
{
    const double d = std::floor(v * unitsToPixels + 0.5);
    if (!(d > -DeviceLimit && d < DeviceLimit)) { // also refuses not-a-number
        return false;
    }
    out = static_cast<int>(d);
    return true;
}

Qt::PenStyle PenStyleOf(int drawStyle)
{
    switch (drawStyle) {
        case DrawSurface::StyleDash:
            return Qt::DashLine;
        case DrawSurface::StyleDot:
            return Qt::DotLine;
        case DrawSurface::StyleDashDot:
            return Qt::DashDotLine;
        case DrawSurface::StyleDashDotDot:
            return Qt::DashDotDotLine;
        case DrawSurface::StyleInvisible:
            return Qt::NoPen;
        default:
            return Qt::SolidLine;
    }
}

Qt::BrushStyle BrushStyleOf(int fillStyle)
{
    switch (fillStyle) {
        case DrawSurface::FillSolid:
            return Qt::SolidPattern;
        case 2:
            return Qt::HorPattern;
        case 3:
            return Qt::VerPattern;
        case 4:
            return Qt::BDiagPattern;
        case 5:
            return Qt::FDiagPattern;
        case 6:
            return Qt::CrossPattern;
        case 7:
            return Qt::DiagCrossPattern;
        default:
            return Qt::NoBrush;
    }
}

QPen MakePen(quint32 colour, double width, int style)
{
    QPen pen(ToQColor(colour), width, PenStyleOf(style));
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

QStringList TextLines(const QString& text)
{
    QString t = text;
    t.remove(QLatin1Char('\r'));
    return t.split(QLatin1Char('\n'));
}

} // namespace

DrawSurface::DrawSurface()
    : m_fontName(QStringLiteral("ＭＳ ゴシック"))
{
}

DrawSurface::~DrawSurface() = default;

void DrawSurface::SetFontName(const QString& name)
{
    if (name != m_fontName) {
        m_fontName = name;
        m_fontValid = false;
    }
}

void DrawSurface::SetFontSize(double points)
{
    if (points > 0.0 && points < 2048.0 && points != m_fontSize) {
        m_fontSize = points;
        m_fontValid = false;
    }
}

void DrawSurface::PainterReset()
{
    m_state = PainterState();
}

const QFont& DrawSurface::DeviceFont(const Mapping& map)
{
    if (!m_fontValid || m_fontDpi != map.fontDpi) {
        m_font = QFont();
        m_font.setFamilies(FontFamilies(m_fontName));
        m_font.setPixelSize(qMax(1, static_cast<int>(std::lround(m_fontSize * map.fontDpi / 72.0))));
        m_fontDpi = map.fontDpi;
        m_fontValid = true;
        m_state.fontSet = false;
    }
    return m_font;
}

double DrawSurface::TextWidth(const QString& text)
{
    const Mapping map = CurrentMapping();
    const QFontMetricsF fm(DeviceFont(map));
    double widest = 0.0;
    for (const QString& line : TextLines(text)) {
        widest = qMax(widest, fm.horizontalAdvance(line));
    }
    return widest / map.unitsToPixelsX;
}

double DrawSurface::TextHeight(const QString& text)
{
    const Mapping map = CurrentMapping();
    const QFontMetricsF fm(DeviceFont(map));
    return fm.height() * TextLines(text).size() / map.unitsToPixelsY;
}

double DrawSurface::PenWidth(const Mapping& map) const
{
    // Whole device pixels: an aliased stroke of a fractional width (a pixel on a screen scaled by 1.25) leaves
    // gaps. One pixel is a cosmetic pen, the raster engine's fastest path.
    const double pixels = std::max(1.0, std::round(m_drawWidth * map.penPixel));
    return pixels <= 1.0 ? 0.0 : pixels;
}

QPainter* DrawSurface::Prepare(const Mapping& map, Mode mode, quint32 penColour, bool filled)
{
    QPainter* p = ActivePainter();
    if (!p) {
        return nullptr;
    }
    // Paper ignores raster operations, and text is never combined with what lies under it.
    const int op = (mode == Mode::Shapes && map.rasterOps && m_drawMode == MaskPen) ? MaskPen : CopyPen;
    if (!m_state.valid || m_state.op != op) {
        p->setCompositionMode(op == MaskPen ? QPainter::RasterOp_SourceAndDestination
                                            : QPainter::CompositionMode_SourceOver);
        m_state.op = op;
    }
    const int style = mode == Mode::Text ? StyleSolid : m_drawStyle;
    const double width = mode == Mode::Text ? 0.0 : PenWidth(map);
    if (!m_state.valid || m_state.mode != mode || m_state.pen != penColour || m_state.style != style
        || m_state.width != width) {
        p->setPen(MakePen(penColour, width, style));
        m_state.pen = penColour;
        m_state.style = style;
        m_state.width = width;
    }
    const int fillStyle = filled ? m_fillStyle : FillTransparent;
    if (!m_state.valid || m_state.fillStyle != fillStyle
        || (fillStyle != FillTransparent && m_state.fill != m_fillColor)) {
        p->setBrush(QBrush(ToQColor(m_fillColor), BrushStyleOf(fillStyle)));
        m_state.fillStyle = fillStyle;
        m_state.fill = m_fillColor;
    }
    if (mode == Mode::Text && !m_state.fontSet) {
        p->setFont(DeviceFont(map));
        m_state.fontSet = true;
    }
    m_state.mode = mode;
    m_state.valid = true;
    return p;
}

AppError DrawSurface::Line(double x1, double y1, double x2, double y2, quint32 colour)
{
    const Mapping map = CurrentMapping();
    int ax = 0, ay = 0, bx = 0, by = 0;
    if (!ToDevice(map.unitsToPixelsX, x1, ax) || !ToDevice(map.unitsToPixelsY, y1, ay)
        || !ToDevice(map.unitsToPixelsX, x2, bx) || !ToDevice(map.unitsToPixelsY, y2, by)) {
        return AppError::Drawing;
    }
    QPainter* p = Prepare(map, Mode::Shapes, colour, false);
    if (!p) {
        return AppError::Drawing;
    }
    p->drawLine(ax, ay, bx, by);
    Changed();
    return AppError::None;
}

AppError DrawSurface::Lines(const QVector<QLineF>& lines, quint32 colour)
{
    const Mapping map = CurrentMapping();
    m_lineBuffer.clear();
    m_lineBuffer.reserve(lines.size());
    for (const QLineF& l : lines) {
        int ax = 0, ay = 0, bx = 0, by = 0;
        if (!ToDevice(map.unitsToPixelsX, l.x1(), ax) || !ToDevice(map.unitsToPixelsY, l.y1(), ay)
            || !ToDevice(map.unitsToPixelsX, l.x2(), bx) || !ToDevice(map.unitsToPixelsY, l.y2(), by)) {
            return AppError::Drawing;
        }
        m_lineBuffer.append(QLine(ax, ay, bx, by));
    }
    if (m_lineBuffer.isEmpty()) {
        return AppError::None;
    }
    QPainter* p = Prepare(map, Mode::Shapes, colour, false);
    if (!p) {
        return AppError::Drawing;
    }
    p->drawLines(m_lineBuffer.constData(), static_cast<int>(m_lineBuffer.size()));
    Changed();
    return AppError::None;
}

AppError DrawSurface::Polyline(const QVector<QPointF>& points, quint32 colour)
{
    if (points.size() < 2) {
        return AppError::None;
    }
    const Mapping map = CurrentMapping();
    // The segments go to the painter in one batch: faster than one call each, and than a polyline, whose
    // joins make wide pens slow. Dense curves put several samples on one device pixel. With a one-pixel pen a
    // segment from a pixel to itself only repeats the end of the one before, so it is left out; a wide pen
    // draws a square cap there, which is kept, once for a run of such samples.
    const bool thinPen = PenWidth(map) == 0.0;
    m_lineBuffer.clear();
    m_lineBuffer.reserve(points.size());
    QPoint previous;
    bool first = true;
    for (const QPointF& pt : points) {
        QPoint d;
        if (!ToDevice(map.unitsToPixelsX, pt.x(), d.rx()) || !ToDevice(map.unitsToPixelsY, pt.y(), d.ry())) {
            return AppError::Drawing;
        }
        if (!first && d != previous) {
            m_lineBuffer.append(QLine(previous, d));
        } else if (!first && !thinPen && (m_lineBuffer.isEmpty() || m_lineBuffer.last() != QLine(d, d))) {
            m_lineBuffer.append(QLine(d, d));
        }
        previous = d;
        first = false;
    }
    if (m_lineBuffer.isEmpty()) {
        // Every sample on one pixel: still a dot, as the single segments would leave.
        m_lineBuffer.append(QLine(previous, previous));
    }
    QPainter* p = Prepare(map, Mode::Shapes, colour, false);
    if (!p) {
        return AppError::Drawing;
    }
    p->drawLines(m_lineBuffer.constData(), static_cast<int>(m_lineBuffer.size()));
    Changed();
    return AppError::None;
}

AppError DrawSurface::Box(double x1, double y1, double x2, double y2, quint32 colour)
{
    const Mapping map = CurrentMapping();
    int ax = 0, ay = 0, bx = 0, by = 0;
    if (!ToDevice(map.unitsToPixelsX, x1, ax) || !ToDevice(map.unitsToPixelsY, y1, ay)
        || !ToDevice(map.unitsToPixelsX, x2, bx) || !ToDevice(map.unitsToPixelsY, y2, by)) {
        return AppError::Drawing;
    }
    QPainter* p = Prepare(map, Mode::Shapes, colour, true);
    if (!p) {
        return AppError::Drawing;
    }
    p->drawRect(QRect(QPoint(qMin(ax, bx), qMin(ay, by)), QPoint(qMax(ax, bx), qMax(ay, by))).adjusted(0, 0, -1, -1));
    Changed();
    return AppError::None;
}

AppError DrawSurface::Circle(double x, double y, double radius)
{
    const Mapping map = CurrentMapping();
    int cx = 0, cy = 0;
    if (!ToDevice(map.unitsToPixelsX, x, cx) || !ToDevice(map.unitsToPixelsY, y, cy)) {
        return AppError::Drawing;
    }
    // The radius is measured along x, so a circle stays round on a page whose units are not square.
    const double r = std::abs(radius) * map.unitsToPixelsX;
    if (!(r < DeviceLimit)) {
        return AppError::Drawing;
    }
    QPainter* p = Prepare(map, Mode::Shapes, m_foreColor, true);
    if (!p) {
        return AppError::Drawing;
    }
    if (const QImage* sprite = CircleSprite(map, r)) {
        const int centre = sprite->width() / 2;
        p->drawImage(QPoint(cx - centre, cy - centre), *sprite);
    } else {
        p->drawEllipse(QPointF(cx, cy), r, r);
    }
    Changed();
    return AppError::None;
}

const QImage* DrawSurface::CircleSprite(const Mapping& map, double r)
{
    // Marks of a long window come by the tens of thousands and are all alike: the circle is drawn once into a
    // small image, with the same pen, fill and raster operation, and copied. A whole-pixel shift leaves the
    // raster engine's pixels unchanged, so the copies are the pixels a direct drawing gives. Hatched fills are
    // tied to the device origin and paper keeps vector circles: both are drawn directly.
    if (!map.rasterOps || r > 64.0 || m_drawStyle != StyleSolid
        || (m_fillStyle != FillSolid && m_fillStyle != FillTransparent)) {
        return nullptr;
    }
    const double width = PenWidth(map);
    const bool mask = m_drawMode == MaskPen;
    for (const Sprite& sp : m_sprites) {
        if (sp.mask == mask && sp.pen == m_foreColor && sp.fillStyle == m_fillStyle
            && (m_fillStyle == FillTransparent || sp.fill == m_fillColor) && sp.width == width && sp.radius == r) {
            return &sp.image;
        }
    }
    if (m_sprites.size() >= 16) {
        m_sprites.clear();
    }
    const int centre = static_cast<int>(std::ceil(r + width)) + 2;
    Sprite sp {mask, m_foreColor, m_fillColor, m_fillStyle, width, r, QImage()};
    // Mask pen: drawn over white, which the mask leaves as it was. Copy pen: drawn over nothing at all.
    sp.image
        = QImage(2 * centre + 1, 2 * centre + 1, mask ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    sp.image.fill(mask ? QColor(Qt::white) : QColor(Qt::transparent));
    QPainter painter(&sp.image);
    painter.setCompositionMode(mask ? QPainter::RasterOp_SourceAndDestination : QPainter::CompositionMode_SourceOver);
    painter.setPen(MakePen(m_foreColor, width, StyleSolid));
    painter.setBrush(QBrush(ToQColor(m_fillColor), BrushStyleOf(m_fillStyle)));
    painter.drawEllipse(QPointF(centre, centre), r, r);
    painter.end();
    m_sprites.push_back(std::move(sp));
    return &m_sprites.back().image;
}

AppError DrawSurface::Print(const QString& text)
{
    const Mapping map = CurrentMapping();
    int x = 0, y = 0;
    if (!ToDevice(map.unitsToPixelsX, m_currentX, x) || !ToDevice(map.unitsToPixelsY, m_currentY, y)) {
        return AppError::Drawing;
    }
    QPainter* p = Prepare(map, Mode::Text, m_foreColor, false);
    if (!p) {
        return AppError::Drawing;
    }
    const QFontMetricsF fm(DeviceFont(map));
    const QStringList lines = TextLines(text);
    double baseline = y + fm.ascent();
    for (const QString& line : lines) {
        if (!line.isEmpty()) {
            p->drawText(QPointF(x, baseline), line);
        }
        baseline += fm.height();
    }
    m_currentX = 0.0;
    m_currentY += fm.height() * lines.size() / map.unitsToPixelsY;
    Changed();
    return AppError::None;
}
