#pragma once

#include <QSize>

class QWidget;

/// Dialog geometry is designed in twips (1/1440 inch) and turned into pixels of the screen at hand.
namespace TwipsLayout {

/// Places a control at a position and size given in twips, relative to its parent.
void Place(QWidget* control, int left, int top, int width, int height);

/// A size in twips as pixels.
QSize Size(int width, int height);

/// Gives a dialog the fixed client size in twips, the dialog font and the borders of a fixed dialog.
void SetupDialog(QWidget* dialog, int clientWidth, int clientHeight);

} // namespace TwipsLayout
