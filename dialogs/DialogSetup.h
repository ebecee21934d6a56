#pragma once

#include <QSize>

class QWidget;

/// What every dialog of the program shares: geometry designed in twips (1/1440 inch) and turned into pixels
/// of the screen at hand, a fixed frame, and modality.
namespace DialogSetup {

/// Places a control at a position and size given in twips, relative to its parent.
void Place(QWidget* control, int left, int top, int width, int height);

/// A size in twips as pixels.
QSize Size(int width, int height);

/// Gives a dialog the fixed client size in twips, the dialog font and the borders of a fixed dialog.
void SetupFixedDialog(QWidget* dialog, int clientWidth, int clientHeight);

/// Makes a dialog modal to its owner's window only, so that a window it opens itself (the help viewer)
/// stays usable while it runs; without an owner it is modal to the whole program.
void ModalToOwner(QWidget* dialog, QWidget* owner);

} // namespace DialogSetup
