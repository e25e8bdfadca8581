// The time axis under the data window's panels, drawn by the extension
// itself: ticks at nice steps of the recording's time unit, labels that do
// not overlap, and the unit as the axis title.
#pragma once

#include <cstdint>
#include <vector>

#include "toolbox/mac_types.h"
#include "vantor/records.h"

namespace spiro {

struct TimeAxisLayout {
  double pixelsPerSample = 1;
  std::int16_t leftEdge = 0;  // the x of sample 0
  Rect lowerPanel{};          // the axis runs along its bottom
  std::int16_t scale = 1;
  std::int16_t labelFont = 1;
  std::int16_t titleFont = 1;
};

// The channel scaling that reads sample positions as times: uncalibrated,
// its scale information taken from the time format, so that its raw factor
// is the display interval and its unit that of the time format.
vantor::ChannelScaling TimeScaling(const vantor::BlockTimeFormat& timeFormat);

// Ticks over samples 0 .. sampleCount − 1. A label that would overlap the one
// before is left out; its tick is still drawn. Returns the ticks' x.
std::vector<SInt16> DrawTimeAxis(const vantor::BlockTimeFormat& timeFormat, std::int32_t sampleCount, const TimeAxisLayout& layout);

}  // namespace spiro
