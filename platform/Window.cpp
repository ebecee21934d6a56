#include "Window.h"

#include <QWidget>

namespace Window {

void SetStayOnTop(QWidget* window, bool onTop, const QRect& place)
{
    if (!window) {
        return;
    }
    // Changing the flag re-creates the native window (hiding it), so it is only changed when it differs.
    if (IsStayOnTop(window) != onTop) {
        window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    }
    window->move(place.topLeft());
    window->resize(place.size());
    const bool noActivate = window->testAttribute(Qt::WA_ShowWithoutActivating);
    window->setAttribute(Qt::WA_ShowWithoutActivating, true);
    window->show();
    window->setAttribute(Qt::WA_ShowWithoutActivating, noActivate);
}

bool IsStayOnTop(const QWidget* window)
{
    return window && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

} // namespace Window
