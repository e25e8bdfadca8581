// Which channels the analysis may read: flow and volume channels are the
// bundle's computed ones or recorded ones in a flow or volume unit.
#pragma once

#include <cstdint>

#include "extension/spiro_records.h"
#include "toolbox/mac_types.h"

namespace spiro {

namespace spirometry {

// The channel's unit text in the block, folded to lower case by the host;
// empty when the channel has no data there.
void ChannelUnitText(std::int16_t channel, std::int16_t block, StringPtr text);
bool IsFlowChannel(std::int16_t channel, std::int16_t block, const LocalDataType& record);
bool IsVolumeChannel(std::int16_t channel, std::int16_t block, const LocalDataType& record);
// The first channel whose input is a spirometer; 0 when none is.
std::int16_t FindSpirometerChannel();

}  // namespace spirometry

}  // namespace spiro
