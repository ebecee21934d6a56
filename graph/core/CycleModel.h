#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

/// The biorhythm model: the three cycles, their sine table and the phase rule that reads it.
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

/// The GraphDisp mask with item index (0 to 2 a cycle's curve, 3 the critical-day marks) shown or hidden;
/// every other bit stays as it was.
int WithCurve(int graphDisp, int index, bool shown);

} // namespace basGraph
