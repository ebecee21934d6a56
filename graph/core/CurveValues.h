#pragma once

#include <QByteArray>
#include <QString>

#include "platform/core/SafeFile.h"

namespace basGraph {

/// A curve value as the curve-values file writes it ("0.#####"): rounded to five decimals, trailing zeros
/// dropped, the decimal point always written (0 is "0.", 1 is "1.", -0.26979677 is "-0.2698").
QString FormatCurveValue(double value);

/// The bytes of the curve-values file for the display list and the current settings: a line of output
/// dates, then per person the name, the birthday and one line of values per cycle; CP932, CR LF.
QByteArray CurveValuesBytes();

/// Writes the curve-values file whole or not at all; a failure leaves an existing file as it was.
SafeFile::Result SaveCurveValues(const QString& path);

/// What the user is told when the curve-values file could not be written (before the file's path).
QString CurveValuesWriteFailureText();

} // namespace basGraph
