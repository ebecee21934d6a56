#pragma once

#include <QSize>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>

#include "graph/GraphForm.h"
#include "graph/GraphRender.h"
#include "platform/core/AppError.h"

class DrawSurface;

/// The chart on screen and on paper, and the colours both are drawn in.
namespace basGraph {

/// True while DrawGraph may still draw further people.
bool DrawingActive();
/// Sets DrawingActive; the main windows call it with false when Esc is pressed, which stops a drawing in
/// progress before its next person.
void StopDrawing(bool value);

/// The colours back to zero and DrawingActive to false, as in a fresh process.
void ResetChartState();

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

} // namespace basGraph
