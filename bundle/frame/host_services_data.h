// The host's data services: block positions, sample blocks and the per
// channel and per block records of the document. Each call goes to the
// bundle-wide host data object (HostDataObject), created on first use.
#pragma once

#include <cstdint>

#include "frame/host_service_wrappers.h"

namespace spiro {

// The packed {i16 block, i16 offset} that DataPositionOfBlockOffset reads.
struct BlockOffset {
  unsigned char bytes[vantor::kBlockOffsetBytes];
};
BlockOffset MakeBlockOffset(std::int16_t block, std::int16_t offset);

// The absolute sample position of the pair, read by the host.
std::int32_t DataPositionOfBlockOffset(const BlockOffset& blockOffset);

}  // namespace spiro
