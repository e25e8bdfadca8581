// The volume channel's units, made from its flow source's: litres, or
// millilitres for a source in millilitres, with a gain sized to the source's
// full-scale flow.
#pragma once

#include <cstdint>

#include "computed/resp_volume_settings.h"
#include "vantor/records.h"

namespace spiro {

// The source's scaling for the block: that of its displayed samples when it
// is computed, of its recorded ones otherwise.
vantor::ChannelScaling VolumeSourceScaling(const RespVolumeSettings& settings, std::int16_t block);

// The host's standard scale info for a computed channel (HostService333).
void FillComputedScaleInfo(vantor::ChannelScaleInfo& info);

// Turns a copy of the source's scaling into the output's (host services 84, 333).
void MakeVolumeUnits(vantor::ChannelScaling& record);

// A calibrated source's scaling with a per-minute gain taken per second, so
// that its full scale is a flow per second like any other source's.
vantor::ChannelScaling PerSecondScaling(const vantor::ChannelScaling& source);

// The output's scaling for a source: PerSecondScaling, then MakeVolumeUnits.
// Both the integration and the units query use it, so the samples and the
// units they are shown in agree.
vantor::ChannelScaling VolumeUnitsOfSource(const vantor::ChannelScaling& source);

}  // namespace spiro
