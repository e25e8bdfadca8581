// Reading a channel's samples over a stretch of absolute positions that may
// span several blocks.
#pragma once

#include <cstdint>

#include "toolbox/mac_types.h"

namespace spiro {

// The absolute sample position of an offset within a block.
std::int32_t AbsolutePosition(std::int16_t block, std::int16_t offset);

// Copies count f32 samples of the channel, from absolute position start on,
// into the destination handle: the recorded samples when recorded is true,
// else the displayed (computed) ones. A block without samples leaves its part
// of the destination as it was. Nothing is written past the end of the
// destination, nothing read past the end of a block's samples. Ticks the busy
// indicator once per block. A null destination or a count below 1 does nothing.
void ReadChannelSamples(Handle destination, std::int16_t channel, std::int32_t start,
                        std::int32_t count, bool recorded);

}  // namespace spiro
