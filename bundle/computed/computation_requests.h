// What the host asks of a computed function, as the dispatcher unpacks it.
#pragma once

#include <cstdint>

#include "toolbox/mac_types.h"

namespace spiro {

// Message 8: fill offsets [first, end) of the output for one block.
struct ComputeBlockRequest {
  Handle input;          // the channel's recorded samples of the block
  Handle output;         // the samples to fill
  std::int16_t channel;  // the channel being computed
  std::int16_t block;
  std::int16_t first;
  std::int16_t end;  // exclusive
};

// Message 15: fill the ring offsets after lastDone up to lastToDo while sampling.
struct ComputeLiveRequest {
  std::int16_t lastDone;
  std::int16_t lastToDo;
  std::int16_t ringLength;
  std::int16_t channel;
  const std::uint32_t* inputRings;   // 32 ring addresses: the channels' inputs
  const std::uint32_t* outputRings;  // 32 ring addresses: the channels' computed values
};

}  // namespace spiro
