// The host's live ring buffers: per channel, a ring of f32 samples whose
// address comes in an array of 32 four-byte addresses. Each live call covers
// the offsets after the last one done up to and including the last one to
// do, wrapping at the ring's length.
#pragma once

#include <array>
#include <cstdint>

#include "computed/computation_requests.h"

namespace spiro {

struct RingSpan {
  std::int32_t first;
  std::int32_t end;  // exclusive
};

// The offsets to visit as at most two spans, in visiting order. Equal last
// offsets mean one whole turn. Offsets outside the ring (lastDone outside
// -1 .. length-1, lastToDo outside 0 .. length-1, or no length) give no spans:
// there is nothing sound to visit.
struct RingSpans {
  std::array<RingSpan, 2> spans{};
  int count = 0;
};
RingSpans RingSpansToDo(std::int16_t lastDone, std::int16_t lastToDo, std::int16_t ringLength);

// The ring of a channel (1-based); null outside 1 .. 32 or when the host has none.
float* LiveRing(const std::uint32_t* rings, std::int32_t channel);

// Copies the spans of one ring into another (a channel passed through).
void CopyRingSpans(const float* input, float* output, const RingSpans& spans);

// The ring a function reads while sampling: its source's computed values when
// the source is computed by a function, else the source's input.
template <class Settings>
const float* LiveSourceRing(const Settings& settings, const ComputeLiveRequest& request) {
  const bool computed = settings.liveSourceIsComputed != 0;
  return LiveRing(computed ? request.outputRings : request.inputRings, settings.sourceChannel);
}

// Without settings a function passes its own channel's input through.
void PassLiveInputThrough(const ComputeLiveRequest& request, const RingSpans& spans);

}  // namespace spiro
