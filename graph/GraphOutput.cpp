// The chart on screen and on paper: stacked bands, one per person of the display list.
#include "GraphOutput.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

#include <cctype>
#include <cstdlib>

#include "app/basCalendar.h"
#include "app/basParam.h"
#include "graph/GraphRender.h"
#include "platform/PictureBox.h"
#include "platform/core/Holidays.h"
#include "platform/core/Numeric.h"

namespace {

using basParam::GetParam;

bool g_drawingActive = false;

// The numeric value of a colour slice, read the way the colour texts have always been read: blanks, tabs and
// line feeds dropped wherever they stand, then the longest leading number (sign, digits, decimal point,
// exponent with E or D; or &H hexadecimal, &O octal), 0 when there is none.
double SliceValue(const QString& slice)
{
    QByteArray t;
    for (const QChar ch : slice) {
        if (ch == QLatin1Char(' ') || ch == QLatin1Char('\t') || ch == QLatin1Char('\n')) {
            continue;
        }
        // Only ASCII takes part in a number; anything else ends it.
        t.append(ch.unicode() < 128 ? static_cast<char>(ch.unicode()) : '\x01');
    }
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (t.size() >= 2 && t[0] == '&') {
        const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(t[1])));
        const int base = kind == 'H' ? 16 : kind == 'O' ? 8 : 0;
        double value = 0.0;
        for (int i = 2; base != 0 && i < t.size(); ++i) {
            const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(t[i])));
            int digit = -1;
            if (isDigit(c)) {
                digit = c - '0';
            } else if (base == 16 && c >= 'A' && c <= 'F') {
                digit = c - 'A' + 10;
            }
            if (digit < 0 || digit >= base) {
                break;
            }
            value = value * base + digit;
        }
        return value;
    }
    QByteArray number;
    int i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        number.append(t[i++]);
    }
    int digits = 0;
    while (i < t.size() && isDigit(t[i])) {
        number.append(t[i++]);
        ++digits;
    }
    if (i < t.size() && t[i] == '.') {
        number.append(t[i++]);
        while (i < t.size() && isDigit(t[i])) {
            number.append(t[i++]);
            ++digits;
        }
    }
    if (digits == 0) {
        return 0.0;
    }
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
        QByteArray exponent("e");
        int j = i + 1;
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) {
            exponent.append(t[j++]);
        }
        const int firstDigit = j;
        while (j < t.size() && isDigit(t[j])) {
            exponent.append(t[j++]);
        }
        if (j > firstDigit) {
            number.append(exponent);
        }
    }
    return std::strtod(number.constData(), nullptr);
}

void LoadColor(const QString& key, quint32& target)
{
    quint32 colour = 0;
    if (Failed(basGraph::ColorFromText(GetParam(key).AsText(), colour))) {
        g_drawingActive = false;
        return;
    }
    target = colour;
}

AppError LoadColorOrFail(const QString& key, quint32& target)
{
    quint32 colour = 0;
    const AppError e = basGraph::ColorFromText(GetParam(key).AsText(), colour);
    if (!Failed(e)) {
        target = colour;
    }
    return e;
}

basCalendar::DatePattern CaptionDatePattern()
{
    return GetParam(SettingKey::BirthYear).AsBool() ? basCalendar::GraphDatePattern() : basCalendar::DatePattern::MD;
}

} // namespace

namespace basGraph {

void ResetChartState()
{
    ChartColors() = GraphColorSet();
    g_drawingActive = false;
}

bool DrawingActive()
{
    return g_drawingActive;
}

void StopDrawing(bool value)
{
    g_drawingActive = value;
}

AppError ColorFromText(const QString& text, quint32& colour)
{
    quint32 components[3] = {0, 0, 0};
    for (int k = 0; k < 3; ++k) {
        const double value = Numeric::RoundHalfEven(SliceValue(text.mid(3 * k, 3)));
        if (value < 0.0) {
            return AppError::Conversion;
        }
        components[k] = value > 255.0 ? 255u : static_cast<quint32>(value);
    }
    colour = components[0] + 256u * components[1] + 65536u * components[2];
    return AppError::None;
}

AppError ColorToText(qint64 colour, QString& text)
{
    if (colour < 0 || colour > 0xFFFFFF) {
        return AppError::Conversion;
    }
    text = QStringLiteral("%1%2%3")
               .arg(colour & 0xFF, 3, 10, QLatin1Char('0'))
               .arg((colour >> 8) & 0xFF, 3, 10, QLatin1Char('0'))
               .arg((colour >> 16) & 0xFF, 3, 10, QLatin1Char('0'));
    return AppError::None;
}

std::optional<qint32> BandHeight(double total, qint64 count)
{
    if (count == 0) {
        return std::nullopt;
    }
    return Numeric::ToInt32(total / static_cast<double>(count));
}

QString PersonCaption(int plIndex)
{
    return QStringLiteral("(") + QString::number(plIndex) + QStringLiteral(")") + basParam::DisplayName(plIndex)
        + QStringLiteral("[") + basCalendar::FormatDate(basParam::DisplayBirthDay(plIndex), CaptionDatePattern())
        + QStringLiteral("]");
}

QSize PrintPageUnits(int orientation)
{
    return orientation == 1 ? QSize(11520, 15360) : QSize(15360, 11520);
}

void DrawGraph(GraphForm& form, bool enabled)
{
    if (!enabled) {
        return;
    }
    PictureBox* pic = form.picGraph();
    if (!pic) {
        return;
    }
    // Pending events run between bands; should the window go away there, nothing of it is touched again.
    const QPointer<PictureBox> alive(pic);
    g_drawingActive = true;

    LoadColor(SettingKey::GraphForeColor, ChartColors().fore);
    LoadColor(SettingKey::GraphBackColor, ChartColors().back);
    LoadColor(SettingKey::GraphPhysColor, ChartColors().cycle[0]);
    LoadColor(SettingKey::GraphSensColor, ChartColors().cycle[1]);
    LoadColor(SettingKey::GraphIntelColor, ChartColors().cycle[2]);

    pic->SetBackColor(ChartColors().back);

    const qint16 count = basParam::DisplayCount();
    const qint32 width = pic->WidthTwips();
    qint32 bandHeight = 0;
    if (const auto h = BandHeight(pic->HeightTwips(), count)) {
        bandHeight = *h;
    } else {
        g_drawingActive = false;
    }

    QString tip;
    // On screen the bands are told apart by the tooltip, unless the user asked for the names in them.
    const bool names = GetParam(SettingKey::ShowNames).AsBool();
    for (int i = 1; i <= count; ++i) {
        if (g_drawingActive) {
            const auto top = Numeric::ToInt32(static_cast<double>(i - 1) * bandHeight);
            if (!top) {
                g_drawingActive = false;
            } else if (Failed(RenderGraph(form,
                                          pic->Surface(),
                                          names ? PersonCaption(i) : QString(),
                                          *top,
                                          width,
                                          bandHeight,
                                          basParam::DisplayBirthDay(i),
                                          i,
                                          count))) {
                g_drawingActive = false;
            }
            if (!alive) {
                g_drawingActive = false;
                return;
            }
        }
        tip += QStringLiteral(" ") + PersonCaption(i);
    }
    if (GetParam(SettingKey::CalendarMarks).AsBool()) {
        const Date day = GetParam(SettingKey::DispDay).AsDate();
        tip = QStringLiteral(" ") + basCalendar::FormatDate(day, basCalendar::DatePattern::YyyyMD)
            + Holidays::WeekdayAndHoliday(day) + tip;
    }
    pic->setToolTip(tip + QStringLiteral(" "));
    g_drawingActive = false;
}

AppError PrintGraph(const GraphForm& form, int orientation, DrawSurface& printer)
{
    LetEventsThrough();

    AppError e = AppError::None;
    if (Failed(e = LoadColorOrFail(SettingKey::GraphForeColor, ChartColors().fore))
        || Failed(e = LoadColorOrFail(SettingKey::GraphBackColor, ChartColors().back))
        || Failed(e = LoadColorOrFail(SettingKey::GraphPhysColor, ChartColors().cycle[0]))
        || Failed(e = LoadColorOrFail(SettingKey::GraphSensColor, ChartColors().cycle[1]))
        || Failed(e = LoadColorOrFail(SettingKey::GraphIntelColor, ChartColors().cycle[2]))) {
        return e;
    }

    const qint16 count = basParam::DisplayCount();
    if (count <= 0) {
        return AppError::Drawing; // nobody to share the page between
    }
    const double rate = GetParam(SettingKey::PrintRate).AsInt() / 100.0;
    const QSize page = PrintPageUnits(orientation);
    const auto width = Numeric::ToInt32(page.width() * rate);
    const auto bandHeight = BandHeight(page.height() * rate, count);
    if (!width || !bandHeight) {
        return AppError::Overflow;
    }
    for (int i = 1; i <= count; ++i) {
        const auto top = Numeric::ToInt32(static_cast<double>(i - 1) * *bandHeight);
        if (!top) {
            return AppError::Overflow;
        }
        e = RenderGraph(
            form, printer, PersonCaption(i), *top, *width, *bandHeight, basParam::DisplayBirthDay(i), i, count);
        if (Failed(e)) {
            return e;
        }
    }
    return AppError::None;
}

} // namespace basGraph
