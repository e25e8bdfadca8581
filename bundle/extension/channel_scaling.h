// Conversion between a channel's sample values and its units, through the
// host's ChannelScaling record: calibrated channels use offset, gain and the
// unit factor; uncalibrated ones the raw factor alone.
#pragma once

#include "vantor/records.h"

namespace spiro {

// Units per sample value (the slope of RawToUnits).
double UnitsPerRaw(const vantor::ChannelScaling& scaling);
double RawToUnits(double value, const vantor::ChannelScaling& scaling);
// The inverse of RawToUnits; a zero slope gives an infinite or NaN value, as
// a division would.
double UnitsToRaw(double value, const vantor::ChannelScaling& scaling);

}  // namespace spiro
