#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

#include "graph/GraphForm.h"
#include "platform/core/AppError.h"
#include "platform/core/Date.h"

class DrawSurface;

namespace basGraph {

/// The colours a chart is drawn in, each a 32-bit RGB value with red in the low byte.
struct GraphColorSet
{
    quint32 fore = 0;
    quint32 back = 0;
    std::array<quint32, 4> cycle {}; // 0 physical, 1 sensitivity, 2 intellect; 3 is never used
};

/// Lets a repaint or an Esc key through while a chart is drawn or printed, unless events are held.
void LetEventsThrough();

/// While one lives, LetEventsThrough does nothing. A print preview builds its pages inside its own painting:
/// events let through then would paint pages that are only half made.
class HoldEvents
{
public:
    HoldEvents();
    ~HoldEvents();
    HoldEvents(const HoldEvents&) = delete;
    HoldEvents& operator=(const HoldEvents&) = delete;
};

/// The colours of the last drawing or printing: loaded from the settings before a chart is drawn, read by
/// RenderGraph for every band.
const GraphColorSet& GraphColors();
GraphColorSet& ChartColors();

/// Draws one person's band on a surface: frame, legend (index 1 only), date labels (index = count only),
/// amplitude labels, day counter preceded by labelText, dotted day grid, critical-day marks and the curves
/// checked in the form's mnuViewSelectGraph items. The band is (0, top) to (width, top + height) in the
/// surface's units; index and count are the person's 1-based place in the display list and its length.
/// Lets pending window events run once at the end. Overflow when a coordinate leaves 32 bits, Drawing when a
/// drawing step fails or the period or point step settings are below 1.
AppError RenderGraph(const GraphForm& form,
                     DrawSurface& surface,
                     const QString& labelText,
                     qint32 top,
                     qint32 width,
                     qint32 height,
                     Date birthday,
                     qint32 index,
                     qint32 count);

} // namespace basGraph
