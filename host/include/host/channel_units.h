// A channel's values in its units, and the name of those units, from its
// ChannelScaling: the one conversion the host's readouts, axes and exports use.
#pragma once

#include <string_view>

#include "vantor/records.h"

namespace host {

// Calibrated: value × unit factor × gain + offset; otherwise value × raw factor.
double ValueInUnits(const vantor::ChannelScaling& scaling, double sampleValue);

// The unit the converted values are in (MacRoman, at most 25 characters): the
// calibrated unit text when calibrated; otherwise the base unit of the raw
// values, or the unit text when the record names no base unit. The view
// points into `scaling`.
std::string_view UnitTextOf(const vantor::ChannelScaling& scaling);

}  // namespace host
