#pragma once

#include "graph/GraphForm.h"

class QWidget;

/// The main windows around the chart: colours reset, caption, layout and start-up.
namespace basGraph {

/// Stores the default colours in the settings and redraws the form.
void ResetGraphColors(GraphForm& form);

/// The window caption: "バイオリズム （" the display-list names joined by ", " "）".
void SetGraphCaption(GraphForm& form);

/// Lays out a main window after a resize: keeps it at least 3200 x 2000 twips, stretches the etched lines
/// and fits picGraph below the date buttons (or the menu bar when they are hidden).
void LayoutMainWindow(GraphForm& form);

/// Sets a main window up from the settings when it loads: position and size, graph check marks, date
/// button captions and visibility, caption and stay-on-top.
void InitMainWindow(GraphForm& form);

} // namespace basGraph
