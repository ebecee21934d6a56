#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

namespace basGraph {

/// A curve value as the curve-values file writes it ("0.#####"): rounded to five decimals, trailing zeros
/// dropped, the decimal point always written (0 is "0.", 1 is "1.", -0.26979677 is "-0.2698").
QString FormatCurveValue(double value);

/// The bytes of the curve-values file for the display list and the current settings: a line of output
/// dates, then per person the name, the birthday and one line of values per cycle; CP932, CR LF.
QByteArray CurveValuesBytes();

/// Writes the curve-values file. A failure asks Retry or Cancel ("ファイルの書き込みに失敗しました。");
/// Cancel leaves an existing file as it was. True when written.
bool SaveCurveValues(const QString& path, QWidget* parent = nullptr);

} // namespace basGraph
