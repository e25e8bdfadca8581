// The volume function's block and live computations. A block's volume
// continues the volume of the blocks before it: every block computation
// replays its stretch from the stretch's first block. Without settings the
// block computation writes zeros and the live one passes its own input through.
#pragma once

#include <cstdint>

#include "computed/computation_requests.h"
#include "computed/resp_volume_settings.h"
#include "computed/source_samples.h"

// Stretches start at blocks 1 .. kMaxStretchStartBlock; anything else is no stretch.
inline constexpr std::int16_t kMaxStretchStartBlock = 16000;

void ComputeVolumeBlock(const ComputeBlockRequest& request, Handle settings);
void ComputeVolumeLive(const ComputeLiveRequest& request, Handle settings);
