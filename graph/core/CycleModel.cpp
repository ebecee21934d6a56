// The three cycles and the sine table every drawn, printed and saved value is read from.
#include "CycleModel.h"

#include <cmath>

namespace {

double g_sine[basGraph::SineRows][basGraph::SineColumns] = {};

// A full turn as the table has always been built: 15 significant digits, not the full 2*pi. The table's last
// digits follow from it, and the saved curve values with them.
constexpr double FullTurn = 6.28318530717958;

} // namespace

namespace basGraph {

void BuildSineTable()
{
    for (int c = 0; c < CycleCount; ++c) {
        const int fifths = CyclePeriods[static_cast<size_t>(c)];
        const double step = FullTurn / fifths;
        for (int k = 0; k <= fifths; ++k) {
            g_sine[k][c] = std::sin(k * step);
        }
    }
}

double SineTable(int row, int column)
{
    if (row < 0 || row >= SineRows || column < 0 || column >= SineColumns) {
        return 0.0;
    }
    return g_sine[row][column];
}

int PhaseRow(qint32 s, int lengthInFifths)
{
    int r = s % lengthInFifths;
    if (r < 0) {
        r += lengthInFifths;
    }
    return r;
}

double CycleValue(int c, qint32 s)
{
    return g_sine[PhaseRow(s, CyclePeriods[static_cast<size_t>(c)])][c];
}

bool IsCriticalDay(int c, qint32 s)
{
    const double v = CycleValue(c, s);
    return v > -0.15 && v < 0.15;
}

int WithCurve(int graphDisp, int index, bool shown)
{
    const int bit = 1 << index;
    return shown ? (graphDisp | bit) : (graphDisp & ~bit);
}

QString DayCounterText(qint32 n)
{
    if (n >= 0) {
        return QStringLiteral("生後 ") + QString::number(n) + QStringLiteral(" 日");
    }
    return QStringLiteral("生前 ") + QString::number(-static_cast<qint64>(n)) + QStringLiteral(" 日");
}

} // namespace basGraph
