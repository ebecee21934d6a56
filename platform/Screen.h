#pragma once

#include <QRect>

class QWidget;

/// Window geometry in twips (1/1440 inch), the unit of the settings.
namespace Screen {

/// Twips per pixel of the primary screen, horizontally and vertically (15 on a 96-DPI screen).
double TwipsPerPixelX();
double TwipsPerPixelY();

/// A window's frame position and its size in twips, as SetGeometryTwips takes them.
QRect GeometryTwips(const QWidget* window);

/// Places a window's frame at a position and sizes the window, from twips, keeping it on a screen and at
/// a usable size whatever the numbers say.
void SetGeometryTwips(QWidget* window, qint64 left, qint64 top, qint64 width, qint64 height);

} // namespace Screen
