#pragma once

#include <QIcon>
#include <QImage>

/// The program's icon: three coloured cycle curves over a white card, drawn rather than shipped so it
/// stays sharp at every size.
namespace AppIcon {

/// The icon at one size.
QImage Render(int size);

/// The icon with the usual sizes, for windows, the notification area and the about box.
QIcon Icon();

} // namespace AppIcon
