#include "CurveValues.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <vector>

#include "app/basCalendar.h"
#include "app/basParam.h"
#include "graph/core/CycleModel.h"
#include "platform/core/Cp932.h"
#include "platform/core/DelimitedText.h"
#include "platform/core/SafeFile.h"

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
    const qint32 g = GetParam(SettingKey::GraphPoint).AsInt();
    const qint32 period = GetParam(SettingKey::DispPeriod).AsInt();
    const Date day = GetParam(SettingKey::DispDay).AsDate();
    const int count = basParam::DisplayCount();
    // One date pattern for the whole file.
    basCalendar::DatePattern pattern = basCalendar::DatePattern::MD;
    if (GetParam(SettingKey::BirthYear).AsBool()) {
        pattern = GetParam(SettingKey::Calendar).AsInt() == 0 ? basCalendar::DatePattern::YyyyMD
                                                              : basCalendar::DatePattern::GeMD;
    }
    auto format = [pattern](std::optional<Date> d) { return d ? basCalendar::FormatDate(*d, pattern) : QString(); };

    // Each cycle has at most 165 distinct values: format them once, as the bytes they are written as.
    std::array<std::vector<QByteArray>, CycleCount> formatted;
    for (int c = 0; c < CycleCount; ++c) {
        const int length = CyclePeriods[static_cast<size_t>(c)];
        for (int row = 0; row < length; ++row) {
            formatted[static_cast<size_t>(c)].push_back(FormatCurveValue(SineTable(row, c)).toLatin1());
        }
    }

    QByteArray out;
    auto line = [&out](const QString& text) {
        out += Cp932::Encode(text);
        out += "\r\n";
    };
    line(QStringLiteral("出力日,") + format(day.AddDays(-period)) + QLatin1Char(',') + format(day.AddDays(period)));
    for (int i = 1; i <= count; ++i) {
        line(QStringLiteral("名前,") + DelimitedText::QuoteField(basParam::DisplayName(i), QStringLiteral(",")));
        line(QStringLiteral("誕生日,") + format(basParam::DisplayBirthDay(i)));
        const qint64 n = day - basParam::DisplayBirthDay(i);
        const qint64 start = (n - period) * 5;
        const qint64 end = (n + period) * 5;
        for (int c = 0; c < CycleCount; ++c) {
            // A step below 1 would never reach the end of the window; the settings never hold one.
            if (g >= 1 && start <= end) {
                const int length = CyclePeriods[static_cast<size_t>(c)];
                const auto& values = formatted[static_cast<size_t>(c)];
                auto valueAt = [&](qint64 s) -> const QByteArray& {
                    return values[static_cast<size_t>(PhaseRow(static_cast<qint32>(s), length))];
                };
                const qint64 samples = (end - start) / g + 1;
                out += valueAt(start);
                // Stepping through the table comes back to the same row after at most its length of samples,
                // so the rest of the line is one block of ",value" repeated, then a part of it.
                QByteArray block;
                std::vector<qsizetype> ends;
                const qint64 blockSamples = std::min<qint64>(samples - 1, length);
                for (qint64 k = 1; k <= blockSamples; ++k) {
                    block += ',';
                    block += valueAt(start + k * g);
                    ends.push_back(block.size());
                }
                if (blockSamples > 0) {
                    const qint64 rest = samples - 1;
                    const qint64 whole = rest / blockSamples;
                    const qint64 part = rest % blockSamples;
                    out.reserve(out.size() + whole * block.size() + block.size() + 2);
                    for (qint64 w = 0; w < whole; ++w) {
                        out += block;
                    }
                    if (part > 0) {
                        out.append(block.constData(), ends[static_cast<size_t>(part - 1)]);
                    }
                }
            }
            out += "\r\n";
        }
    }
    return out;
}

SafeFile::Result SaveCurveValues(const QString& path)
{
    return SafeFile::Write(path, CurveValuesBytes());
}

QString CurveValuesWriteFailureText()
{
    return QStringLiteral("ファイルの書き込みに失敗しました。");
}

} // namespace basGraph
