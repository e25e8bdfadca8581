// Ticks of a plot panel for the grid and the zero line: nice steps (a rounded
// sixteenth of the range) in the channel's units, kept as raw values. Raw
// sample values are fractions of full scale, so ticks stay doubles.
#pragma once

#include <vector>

#include "toolbox/mac_types.h"
#include "vantor/records.h"

namespace spiro {

struct PanelTicks {
  std::vector<double> raw;  // increasing units
  double unitStep = 0;
};
PanelTicks TicksOfRange(const vantor::ChannelScaling& scaling, double rawUpper, double rawLower);

// A dotted horizontal line across rect at the tick whose value is zero (within
// a fifth of a step), if the range has one; y = raw × yScale + yOffset.
void DrawZeroLine(const PanelTicks& ticks, const vantor::ChannelScaling& scaling, std::int16_t scale,
                  const Rect& rect, double yScale, double yOffset);

}  // namespace spiro
