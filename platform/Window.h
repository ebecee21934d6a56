#pragma once

#include <QRect>

class QWidget;

/// Window-manager requests that go beyond a widget's own properties.
namespace Window {

/// Puts a window above all others (or back among them), places its frame at a rectangle in pixels and shows
/// it if it was hidden, without taking the focus from the window that has it.
void SetStayOnTop(QWidget* window, bool onTop, const QRect& framePixels);

/// Whether a window is asked to stay above all others.
bool IsStayOnTop(const QWidget* window);

} // namespace Window
