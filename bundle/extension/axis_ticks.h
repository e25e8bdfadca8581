// Tick selection for an axis drawn by the bundle itself (the time axis and
// the grids): a rounded sixteenth of the range in units, expressed back in
// raw units so that ticks can be stepped over sample positions.
#pragma once

#include <cstdint>

#include "vantor/records.h"

namespace spiro {

struct AxisTicks {
  std::int16_t decimals;      // 0..5, for labels in units
  std::int32_t firstTick;     // raw units; the first tick at or above the raw low end
  std::int32_t roundedStep;   // raw units, at least 1
  double step;                // raw units
  std::uint8_t firstTickEven; // 1 when the first tick is an even multiple of the unit step
};

// No ticks: decimals 0, first tick and rounded step INT32_MIN, step +infinity.
AxisTicks EmptyAxisTicks();

// a: units per raw unit; high and low: the range in units; rawLow (raw units)
// bounds the first tick; offset: the units at raw 0. A range or slope that
// gives no positive finite step leaves the empty record.
void ComputeAxisTicks(AxisTicks& ticks, double rawLow, double a, double high, double low,
                      double offset);

// Ticks for the raw range [rawLow, rawHigh] in the scaling's units; the empty
// record when the range is empty.
void SetUpAxisTicks(const vantor::ChannelScaling& scaling, double rawHigh, double rawLow,
                    AxisTicks& ticks);

}  // namespace spiro
