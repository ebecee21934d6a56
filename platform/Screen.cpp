#include "Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

double LogicalDpi(bool horizontal)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? (horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY()) : 96.0;
    return dpi > 0 ? dpi : 96.0;
}

} // namespace

namespace Screen {

double TwipsPerPixelX()
{
    return 1440.0 / LogicalDpi(true);
}

double TwipsPerPixelY()
{
    return 1440.0 / LogicalDpi(false);
}

QRect GeometryTwips(const QWidget* window)
{
    // Position of the frame, size of the window itself: exactly what SetGeometryTwips applies, so a size
    // saved and restored never grows by the window manager's decorations.
    const QPoint pos = window->frameGeometry().topLeft();
    const QSize size = window->size();
    const double tx = TwipsPerPixelX();
    const double ty = TwipsPerPixelY();
    return QRect(qRound(pos.x() * tx), qRound(pos.y() * ty), qRound(size.width() * tx), qRound(size.height() * ty));
}

void SetGeometryTwips(QWidget* window, qint64 left, qint64 top, qint64 width, qint64 height)
{
    const double tx = TwipsPerPixelX();
    const double ty = TwipsPerPixelY();
    // Numbers from a hand-edited settings file may be anything: clamp before they reach the window system.
    auto pixels = [](qint64 twips, double perPixel) {
        return static_cast<int>(std::clamp<double>(static_cast<double>(twips) / perPixel, -100000.0, 100000.0));
    };
    int x = pixels(left, tx);
    int y = pixels(top, ty);
    int w = pixels(width, tx);
    int h = pixels(height, ty);
    QRect available(0, 0, 1024, 768);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        available = screen->availableVirtualGeometry();
    }
    w = std::clamp(w, std::max(window->minimumWidth(), 1), std::max(available.width(), 1));
    h = std::clamp(h, std::max(window->minimumHeight(), 1), std::max(available.height(), 1));
    // A window entirely off every screen cannot be reached: bring it back to the nearest edge.
    x = std::clamp(x, available.left() - w + 50, available.right() - 50);
    y = std::clamp(y, available.top(), available.bottom() - 50);
    window->resize(w, h);
    window->move(x, y);
}

} // namespace Screen
