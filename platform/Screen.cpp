#include "Screen.h"

#include <QGuiApplication>
#include <QRegion>
#include <QScreen>
#include <QWidget>

#include <algorithm>

#include "Forms.h"

namespace {

// How far apart two rectangles are (0 where they touch or overlap), in pixels along both axes.
qint64 Gap(const QRect& a, const QRect& b)
{
    const qint64 dx = std::max<qint64>({0, qint64(a.left()) - b.right(), qint64(b.left()) - a.right()});
    const qint64 dy = std::max<qint64>({0, qint64(a.top()) - b.bottom(), qint64(b.top()) - a.bottom()});
    return dx + dy;
}

qint64 Area(const QRect& r)
{
    return r.isEmpty() ? 0 : qint64(r.width()) * r.height();
}

} // namespace

namespace Screen {

void SetGeometryTwips(QWidget* window, qint64 left, qint64 top, qint64 width, qint64 height)
{
    // Numbers from a hand-edited settings file may be anything: clamp before they reach the window system.
    // Rounded like GeometryTwips rounds, so a saved size comes back as the same pixels.
    auto clamped = [](qint64 twips) { return std::clamp<double>(static_cast<double>(twips), -2.0e6, 2.0e6); };
    window->resize(std::max({Forms::PixelsX(clamped(width)), window->minimumWidth(), 1}),
                   std::max({Forms::PixelsY(clamped(height)), window->minimumHeight(), 1}));
    window->move(Forms::PixelsX(clamped(left)), Forms::PixelsY(clamped(top)));
    KeepOnScreens(window);
}

void KeepOnScreens(QWidget* window)
{
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        areas << screen->availableGeometry();
    }
    const QRect frame = window->frameGeometry();
    const QRect place = FitOnScreens(frame, areas);
    if (place != frame) {
        window->resize(window->size() - (frame.size() - place.size()));
        window->move(place.topLeft());
    }
}

QRect FitOnScreens(const QRect& frame, const QList<QRect>& areas)
{
    QRegion desktop;
    for (const QRect& area : areas) {
        desktop += area;
    }
    if (areas.isEmpty() || QRegion(frame).subtracted(desktop).isEmpty()) {
        return frame;
    }
    const QRect* best = nullptr;
    for (const QRect& area : areas) {
        if (area.isEmpty()) {
            continue;
        }
        if (!best) {
            best = &area;
            continue;
        }
        const qint64 overlap = Area(area & frame);
        const qint64 bestOverlap = Area(*best & frame);
        if (overlap > bestOverlap || (overlap == bestOverlap && overlap == 0 && Gap(area, frame) < Gap(*best, frame))) {
            best = &area;
        }
    }
    if (!best) {
        return frame;
    }
    const QRect& area = *best;
    const int w = std::min(frame.width(), area.width());
    const int h = std::min(frame.height(), area.height());
    const int x = std::clamp(frame.x(), area.left(), area.left() + area.width() - w);
    const int y = std::clamp(frame.y(), area.top(), area.top() + area.height() - h);
    return QRect(x, y, w, h);
}

} // namespace Screen
