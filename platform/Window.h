#pragma once

#include <QRect>

class QWidget;

/// Window-manager requests that go beyond a widget's own properties.
namespace Window {

/// Puts a window above all others (or back among them), places its frame's corner at the rectangle's corner
/// and sizes the window to the rectangle (pixels; the size without the window manager's frame, as
/// Forms::GeometryTwips reports it), and shows it if it was hidden, without taking the focus from the window
/// that has it.
void SetStayOnTop(QWidget* window, bool onTop, const QRect& place);

/// Whether a window is asked to stay above all others.
bool IsStayOnTop(const QWidget* window);

} // namespace Window
