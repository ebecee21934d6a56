#include "DialogSetup.h"

#include <QFont>
#include <QWidget>

#include "platform/Screen.h"

namespace DialogSetup {

void Place(QWidget* control, int left, int top, int width, int height)
{
    const double tx = Screen::TwipsPerPixelX();
    const double ty = Screen::TwipsPerPixelY();
    control->setGeometry(qRound(left / tx), qRound(top / ty), qRound(width / tx), qRound(height / ty));
}

QSize Size(int width, int height)
{
    return QSize(qRound(width / Screen::TwipsPerPixelX()), qRound(height / Screen::TwipsPerPixelY()));
}

void SetupFixedDialog(QWidget* dialog, int clientWidth, int clientHeight)
{
    // The layout is measured for a 9-point dialog font; points scale with the screen just as twips do.
    QFont font = dialog->font();
    font.setPointSize(9);
    dialog->setFont(font);
    dialog->setFixedSize(Size(clientWidth, clientHeight));
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowCloseButtonHint);
}

void ModalToOwner(QWidget* dialog, QWidget* owner)
{
    dialog->setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
}

} // namespace DialogSetup
