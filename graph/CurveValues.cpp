#include "CurveValues.h"

#include <QStringList>

#include <array>

#include "app/basCalendar.h"
#include "app/basParam.h"
#include "graph/CycleModel.h"
#include "platform/Cp932.h"
#include "platform/DelimitedText.h"
#include "platform/SafeFile.h"

using basParam::GetParam;

namespace basGraph {

QString FormatCurveValue(double value)
{
    QString text = QString::number(value, 'f', 5);
    while (text.endsWith(QLatin1Char('0'))) {
        text.chop(1);
    }
    // A value that rounds to nothing has no sign.
    if (text == QLatin1String("-0.")) {
        text = QStringLiteral("0.");
    }
    return text;
}

QByteArray CurveValuesBytes()
{
    const qint32 g = GetParam(QStringLiteral("GraphPoint")).AsInt();
    const qint32 period = GetParam(QStringLiteral("DispPeriod")).AsInt();
    const Date day = GetParam(QStringLiteral("DispDay")).AsDate();
    const int count = basParam::DisplayCount();
    // One date pattern for the whole file.
    basCalendar::DatePattern pattern = basCalendar::DatePattern::MD;
    if (GetParam(QStringLiteral("BirthYear")).AsBool()) {
        pattern = GetParam(QStringLiteral("Calendar")).AsInt() == 0 ? basCalendar::DatePattern::YyyyMD
                                                                    : basCalendar::DatePattern::GeMD;
    }
    auto format = [pattern](std::optional<Date> d) { return d ? basCalendar::FormatDate(*d, pattern) : QString(); };

    // Each cycle has at most 165 distinct values: format them once, not once per sample.
    std::array<QStringList, CycleCount> formatted;
    for (int c = 0; c < CycleCount; ++c) {
        const int length = CyclePeriods[static_cast<size_t>(c)];
        for (int row = 0; row < length; ++row) {
            formatted[static_cast<size_t>(c)] << FormatCurveValue(SineTable(row, c));
        }
    }

    QStringList lines;
    lines << QStringLiteral("出力日,") + format(day.AddDays(-period)) + QLatin1Char(',') + format(day.AddDays(period));
    for (int i = 1; i <= count; ++i) {
        lines << QStringLiteral("名前,") + DelimitedText::QuoteField(basParam::DisplayName(i), QStringLiteral(","));
        lines << QStringLiteral("誕生日,") + format(basParam::DisplayBirthDay(i));
        const qint64 n = day - basParam::DisplayBirthDay(i);
        const qint64 start = (n - period) * 5;
        const qint64 end = (n + period) * 5;
        for (int c = 0; c < CycleCount; ++c) {
            QString line;
            // A step below 1 would never reach the end of the window; the settings never hold one.
            for (qint64 s = start; g >= 1 && s <= end; s += g) {
                if (s != start) {
                    line += QLatin1Char(',');
                }
                const int length = CyclePeriods[static_cast<size_t>(c)];
                line += formatted[static_cast<size_t>(c)][PhaseRow(static_cast<qint32>(s), length)];
            }
            lines << line;
        }
    }
    return Cp932::EncodeLines(lines);
}

bool SaveCurveValues(const QString& path, QWidget* parent)
{
    return SafeFile::WriteWithRetry(
        parent, path, CurveValuesBytes(), QStringLiteral("ファイルの書き込みに失敗しました。"));
}

} // namespace basGraph
