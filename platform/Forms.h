#pragma once

#include <QDialog>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>

class QLineEdit;
class QWidget;

/// What every form of the program shares: geometry designed in twips (1/1440 inch) turned into pixels of
/// the screen at hand by one rounding rule both ways, the fixed dialog frame, modality, running a dialog
/// modally, and text boxes that select their whole text on receiving the focus.
namespace Forms {

/// Twips per pixel of the primary screen, horizontally and vertically (15 on a 96-DPI screen).
double TwipsPerPixelX();
double TwipsPerPixelY();

/// Twips as pixels and pixels as twips, each rounded to the nearest: pixels → twips → pixels gives the
/// same pixels on every screen, so a window saved and restored keeps its size. Pixels stay within
/// ±100000, whatever a settings file says.
int PixelsX(double twips);
int PixelsY(double twips);
int TwipsX(double pixels);
int TwipsY(double pixels);

/// A size and a rectangle given in twips, as pixels.
QSize Size(int width, int height);
QRect Rect(int left, int top, int width, int height);

/// A window's frame position and its size in twips, as Screen::SetGeometryTwips takes them.
QRect GeometryTwips(const QWidget* window);

/// Places a control at a position and size given in twips, relative to its parent.
void Place(QWidget* control, int left, int top, int width, int height);

/// Names a control (tests find it by its name) and places it; returns it.
template<typename T>
T* Place(T* control, const QString& name, int left, int top, int width, int height)
{
    control->setObjectName(name);
    Place(static_cast<QWidget*>(control), left, top, width, height);
    return control;
}

template<typename T>
T* Place(T* control, const char* name, int left, int top, int width, int height)
{
    return Place(control, QString::fromLatin1(name), left, top, width, height);
}

/// The 9-point font every dialog's layout is measured for, and the borders of a fixed dialog (title, system
/// menu and close box; no resizing). With a client size, the dialog gets that fixed size in twips.
void SetupFixedDialog(QWidget* dialog);
void SetupFixedDialog(QWidget* dialog, int clientWidth, int clientHeight);

/// Makes a dialog modal to its owner's window only, so that a window it opens itself (the help viewer)
/// stays usable while it runs; without an owner it is modal to the whole program.
void ModalToOwner(QWidget* dialog, QWidget* owner);

/// Runs a dialog modally (to its owner, unless it chose its modality itself), reads what its opener needs
/// and deletes it. A dialog closed together with its owner meanwhile reads as the fallback.
template<typename D, typename R, typename F>
R RunModal(D* dialog, QWidget* owner, R fallback, F read)
{
    QPointer<D> guard(dialog);
    if (dialog->windowModality() == Qt::NonModal) {
        ModalToOwner(dialog, owner);
    }
    dialog->exec();
    if (!guard) {
        return fallback;
    }
    const R result = read(*guard);
    delete guard.data();
    return result;
}

/// The width a control needs to show its whole caption in its font (labels, buttons, check boxes, option
/// buttons, frames); 0 for a control without a caption.
int CaptionWidth(const QWidget* control);

/// Grows every control of the form whose caption does not fit its designed width. A text box or list to
/// its right on the same row gives up the room from its left edge; anything else there moves right; a frame
/// or the form grows where its controls no longer fit. Controls whose captions fit keep their geometry, but
/// for the edge pixel two neighbours may share after rounding, which the first gives up.
void FitCaptions(QWidget* form);

/// Puts a form above all others or back among them, re-applying its position and size in whole pixels and
/// showing it, without activating it.
void SetStayOnTop(QWidget* form, bool onTop);

/// Brings a window to the user: restored if minimised, shown if hidden, raised and activated.
void BringForward(QWidget* window);

/// The one select-all rule of the program: a box that receives the focus selects its whole text, so the
/// text typed next replaces it; after a click too. Coming back to the window or out of the box's own menu
/// is no new visit, and the selection stays as it was.
void SelectAllOnFocus(QLineEdit* box);

} // namespace Forms
