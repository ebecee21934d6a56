// The critical days ahead, read through the same rule as the chart's marks.
#include "CriticalDays.h"

#include <QStringList>

#include <cmath>

#include "app/basParam.h"
#include "graph/core/CycleModel.h"

namespace {

// Whole days since birth in fifths, the step count of the day's first fifth.
qint32 StepCount(Date birthday, Date day)
{
    return 5 * (day - birthday);
}

const char* const Labels[] = {"体", "感", "知"};

} // namespace

namespace basGraph {

QVector<Person> DisplayPeople()
{
    QVector<Person> people;
    const int count = basParam::DisplayCount();
    people.reserve(count);
    for (int i = 1; i <= count; ++i) {
        people.push_back({basParam::DisplayName(i), basParam::DisplayBirthDay(i)});
    }
    return people;
}

CycleMask CriticalCycles(Date birthday, Date day)
{
    const qint32 s = StepCount(birthday, day);
    CycleMask cycles = 0;
    for (int c = 0; c < CycleCount; ++c) {
        if (IsCriticalDay(c, s)) {
            cycles |= static_cast<CycleMask>(1 << c);
        }
    }
    return cycles;
}

int CycleMarkCount(CycleMask cycles)
{
    return (cycles & 1) + ((cycles >> 1) & 1) + ((cycles >> 2) & 1);
}

QString CycleLabels(CycleMask cycles)
{
    QStringList labels;
    for (int c = 0; c < basGraph::CycleCount; ++c) {
        if (cycles & (1 << c)) {
            labels << QString::fromUtf8(Labels[c]);
        }
    }
    return labels.join(QStringLiteral("・"));
}

QVector<CriticalDay> FindCriticalDays(const QVector<Person>& people, Date first, int days)
{
    days = qBound(MinListDays, days, MaxListDays);
    QVector<CriticalDay> found;
    for (int d = 0; d < days; ++d) {
        const auto day = first.AddDays(d);
        if (!day) {
            break; // the calendar ends here
        }
        for (qint32 p = 0; p < people.size(); ++p) {
            if (const CycleMask cycles = CriticalCycles(people[p].birthday, *day)) {
                found.push_back({p, *day, cycles});
            }
        }
    }
    return found;
}

std::array<CycleState, 3> CycleStates(Date birthday, Date day)
{
    const qint32 s = StepCount(birthday, day);
    std::array<CycleState, 3> states;
    for (int c = 0; c < basGraph::CycleCount; ++c) {
        const double v = CycleValue(c, s);
        states[static_cast<size_t>(c)] = {static_cast<int>(std::lround(v * 100.0)), CycleValue(c, s + 5) > v};
    }
    return states;
}

QString CycleStateText(const CycleState& state)
{
    return QString::number(state.percent) + (state.rising ? QStringLiteral("％ ↑") : QStringLiteral("％ ↓"));
}

QString CriticalDaySummary(const QString& name, CycleMask cycles)
{
    return QStringLiteral("要注意日：") + name + QStringLiteral("（") + CycleLabels(cycles) + QStringLiteral("）");
}

QString ReminderText(const QVector<Person>& people, Date day, int maxLines)
{
    QStringList lines;
    int more = 0;
    for (const Person& person : people) {
        if (const CycleMask cycles = CriticalCycles(person.birthday, day)) {
            if (lines.size() < maxLines) {
                lines << person.name + QStringLiteral("（") + CycleLabels(cycles) + QStringLiteral("）");
            } else {
                ++more;
            }
        }
    }
    // A balloon has room for a few lines only; a long display list is summed up.
    if (more > 0) {
        lines << QStringLiteral("ほか %1 人").arg(more);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace basGraph
