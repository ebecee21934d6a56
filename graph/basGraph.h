#pragma once

/// The biorhythm model and the graph. Every value drawn, printed or saved comes from the sine table through
/// the phase rule, so screen, paper and file agree to the last digit.
///
/// The model and sine table are in CycleModel.h, one band of the chart in GraphRender.h, the screen and
/// printer outputs with their colours in GraphOutput.h, the main windows' layout in GraphLayout.h, and the
/// critical days ahead (for the list and the reminder) in CriticalDays.h.
#include "graph/GraphLayout.h"
#include "graph/GraphOutput.h"
#include "graph/GraphRender.h"
#include "graph/core/CriticalDays.h"
#include "graph/core/CycleModel.h"
