// The volume function's block and live computations. A block's volume
// continues the volume of the blocks before it: a block computation goes on
// from the state the previous block of the stretch left in the channel's
// record when that still holds, and otherwise integrates the stretch again
// from its first block, with the same samples either way. Without settings
// the block computation writes zeros and the live one passes its own input
// through.
#pragma once

#include <cstdint>

#include "computed/computation_requests.h"
#include "computed/resp_volume_settings.h"
#include "computed/source_samples.h"
#include "computed/volume_local_data.h"

namespace spiro {

// Stretches start at blocks 1 .. kMaxStretchStartBlock; anything else is no stretch.
inline constexpr std::int16_t kMaxStretchStartBlock = 16000;

void ComputeVolumeBlock(const ComputeBlockRequest& request, volume::LocalDataType** local);
void ComputeVolumeLive(const ComputeLiveRequest& request, Handle settings);

}  // namespace spiro
