// The flow-volume loop's trace, optionally with five arrowheads that show
// which way the breath runs.
#pragma once

#include <cstdint>

#include "toolbox/mac_types.h"

namespace spiro {

// Pixel mapping of the loop: h = −volume × xScale + xOffset,
// v = −flow × yScale + yOffset (raw sample values).
struct LoopMapping {
  double xScale = 0;
  double xOffset = 0;
  double yScale = 0;
  double yOffset = 0;
};

// One polyline through the count samples, clipped to plot, in colour style
// 133 with the trace pen at scale. With arrows, five black arrowheads sit at
// 0.5, 1.5, ... 4.5 fifths of the polyline's length, pointing along it. The
// clip is left at plot.
void DrawLoopTrace(const float* flow, const float* volume, std::int32_t count, const LoopMapping& mapping,
                   const Rect& plot, std::int16_t scale, bool arrows);

}  // namespace spiro
