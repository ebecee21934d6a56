#pragma once

#include <QList>
#include <QRect>

class QWidget;

/// Windows placed from the settings' twips (1/1440 inch) and kept on the screens there are.
namespace Screen {

/// Places a window's frame at a position and sizes the window, from twips, then keeps it on the screens there
/// are now (KeepOnScreens), whatever the numbers say.
void SetGeometryTwips(QWidget* window, qint64 left, qint64 top, qint64 width, qint64 height);

/// Moves (and if need be shrinks) a window whose frame the screens do not show whole, as FitOnScreens says.
/// The frame's edges are known once the window has been shown: then this is worth calling again.
void KeepOnScreens(QWidget* window);

/// Where a window's frame goes so the user sees all of it. A frame that the screens' available areas
/// (pixels) cover stays where it is; any other moves onto the area it overlaps most, or the nearest one,
/// keeping its size unless the area is smaller. No areas: the frame stays.
QRect FitOnScreens(const QRect& frame, const QList<QRect>& areas);

} // namespace Screen
