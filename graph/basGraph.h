#pragma once

#include <QSize>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>

#include "graph/GraphForm.h"
#include "platform/AppError.h"
#include "platform/Date.h"

class DrawSurface;
class QWidget;

/// The biorhythm model and the graph. Every value drawn, printed or saved comes from the sine table through
/// the phase rule below, so screen, paper and file agree to the last digit.
namespace basGraph {

/// The three cycles in their fixed order: 0 physical (23 days), 1 sensitivity (28), 2 intellect (33).
constexpr int CycleCount = 3;
/// Cycle lengths in fifths of a day; the fourth element is never read.
constexpr std::array<qint16, 4> CyclePeriods {115, 140, 165, 0};
/// Rows 0 to 165 of the sine table, one column per cycle (the fourth column stays zero).
constexpr int SineRows = 166;
constexpr int SineColumns = 4;

/// Fills the sine table; called once at start-up before anything draws or saves.
void BuildSineTable();

/// The table entry at a row and column (0 before BuildSineTable has run).
double SineTable(int row, int column);

/// The row of the table for a step count (fifths of a day since birth) in a cycle of length L fifths:
/// the remainder taking the sign of s, then L added once when it is negative.
int PhaseRow(qint32 s, int lengthInFifths);

/// The value of cycle c (0 to 2) at step count s, in -1 to 1.
double CycleValue(int c, qint32 s);

/// Whether the whole day at step count s (a multiple of 5) is critical for cycle c: -0.15 < value < 0.15.
bool IsCriticalDay(int c, qint32 s);

/// The day counter: "生後 N 日" for N >= 0, "生前 |N| 日" before birth.
QString DayCounterText(qint32 n);

/// Test seam: the table back to all zero, the graph colours to zero and DrawingActive to false.
void ResetForTests();

// ---- The chart ----

/// The colours of the last drawing or printing, each a 32-bit RGB value with red in the low byte.
struct GraphColorSet
{
    quint32 fore = 0;
    quint32 back = 0;
    std::array<quint32, 4> cycle {}; // 0 physical, 1 sensitivity, 2 intellect; 3 is never used
};
const GraphColorSet& GraphColors();

/// True while DrawGraph may still draw further people.
bool DrawingActive();
/// Sets DrawingActive; the main windows call it with false when Esc is pressed, which stops a drawing in
/// progress before its next person.
void StopDrawing(bool value);

/// Draws one person's band on a surface: frame, legend (index 1 only), date labels (index = count only),
/// amplitude labels, day counter preceded by labelText, dotted day grid, critical-day marks and the curves
/// checked in the form's mnuViewSelectGraph items. The band is (0, top) to (width, top + height) in the
/// surface's units; index and count are the person's 1-based place in the display list and its length.
/// Lets pending window events run once at the end. Overflow when a coordinate leaves 32 bits, Drawing when a
/// drawing step fails or the period or point step settings are below 1.
AppError RenderGraph(const GraphForm& form,
                     DrawSurface& surface,
                     const QString& labelText,
                     qint32 top,
                     qint32 width,
                     qint32 height,
                     Date birthday,
                     qint32 index,
                     qint32 count);

/// Draws every person of the display list as stacked bands on the form's picGraph and sets its tooltip to
/// the list of names and birthdays. Does nothing while enabled is false. A failing step (a colour text that
/// does not convert, a band that cannot be drawn) stops the drawing of further people without a message;
/// the tooltip is still set. Esc (StopDrawing(false)) is seen between people.
void DrawGraph(GraphForm& form, bool enabled);

/// Draws every person of the display list on a printer surface already set up by the caller for the
/// orientation (1 portrait, anything else landscape; see PrintPageUnits), scaled by the PrintRate setting.
/// Each band's counter line starts with "(i)name[birthday]". Errors reach the caller at once; an empty
/// display list is a Drawing error. Esc does not stop printing.
AppError PrintGraph(const GraphForm& form, int orientation, DrawSurface& printer);

/// The drawing area of a printed page in page units: 11520 x 15360 for portrait (1), otherwise 15360 x 11520.
QSize PrintPageUnits(int orientation);

/// The band height when a height is shared by count people: halves go to the even neighbour. Nothing for a
/// count of 0 or a result beyond 32 bits.
std::optional<qint32> BandHeight(double total, qint64 count);

/// The caption of a display-list person in the tooltip and on paper: "(i)name[birthday]", the birthday in
/// "yy/m/d" or "ge/m/d" (by Calendar) when BirthYear is on, else "m/d".
QString PersonCaption(int plIndex);

/// The colour value of a colour text: three characters each for red, green and blue, each read as a number
/// (blanks dropped, the longest leading number taken, rounded halves to even, 0 when there is none),
/// components above 255 taken as 255. Conversion when a component is negative (colour is then unchanged).
AppError ColorFromText(const QString& text, quint32& colour);

/// The colour text of a colour value 0 to 16777215: red, green and blue as three zero-padded decimal digits
/// each. Conversion for any other value (text is then unchanged).
AppError ColorToText(qint64 colour, QString& text);

/// Stores the default colours in the settings and redraws the form.
void ResetGraphColors(GraphForm& form);

/// Puts a window above all others or back among them, re-applying its position and size in whole pixels
/// and showing it, without activating it.
void SetStayOnTop(QWidget* form, bool onTop);

/// The window caption: "バイオリズム （" the display-list names joined by ", " "）".
void SetGraphCaption(GraphForm& form);

/// Lays out a main window after a resize: keeps it at least 3200 x 2000 twips, stretches the etched lines
/// and fits picGraph below the date buttons (or the menu bar when they are hidden).
void LayoutMainWindow(GraphForm& form);

/// Sets a main window up from the settings when it loads: position and size, graph check marks, date
/// button captions and visibility, caption and stay-on-top.
void InitMainWindow(GraphForm& form);

} // namespace basGraph
