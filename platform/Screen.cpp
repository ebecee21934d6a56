#include "Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

#include "Forms.h"

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
    return QRect(
        Forms::TwipsX(pos.x()), Forms::TwipsY(pos.y()), Forms::TwipsX(size.width()), Forms::TwipsY(size.height()));
}

void SetGeometryTwips(QWidget* window, qint64 left, qint64 top, qint64 width, qint64 height)
{
    // Numbers from a hand-edited settings file may be anything: clamp before they reach the window system.
    // Rounded like GeometryTwips rounds, so a saved size comes back as the same pixels.
    auto clamped = [](qint64 twips) { return std::clamp<double>(static_cast<double>(twips), -2.0e6, 2.0e6); };
    int x = Forms::PixelsX(clamped(left));
    int y = Forms::PixelsY(clamped(top));
    int w = Forms::PixelsX(clamped(width));
    int h = Forms::PixelsY(clamped(height));
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
