#include "computed/live_rings.h"

#include <algorithm>

#include "vantor/byte_access.h"
#include "vantor/messages.h"

namespace spiro {

RingSpans RingSpansToDo(std::int16_t lastDone, std::int16_t lastToDo, std::int16_t ringLength) {
  RingSpans result;
  const bool inRing = ringLength > 0 && lastDone >= -1 && lastDone < ringLength && lastToDo >= 0 &&
                      lastToDo < ringLength;
  if (!inRing) return result;
  const auto add = [&result](std::int32_t first, std::int32_t end) {
    if (first < end) result.spans[static_cast<std::size_t>(result.count++)] = {first, end};
  };
  const std::int32_t start = lastDone + 1 == ringLength ? 0 : lastDone + 1;
  if (lastToDo >= start) {
    add(start, lastToDo + 1);
  } else {
    add(start, ringLength);
    add(0, lastToDo + 1);
  }
  return result;
}

float* LiveRing(const std::uint32_t* rings, std::int32_t channel) {
  if (rings == nullptr || channel < 1 ||
      channel > static_cast<std::int32_t>(vantor::kLiveRingCount)) {
    return nullptr;
  }
  const std::uint32_t address =
      vantor::LoadAt<std::uint32_t>(rings, (channel - 1) * sizeof(std::uint32_t));
  return vantor::PointerFromU32<float>(address);
}

void CopyRingSpans(const float* input, float* output, const RingSpans& spans) {
  if (input == nullptr || output == nullptr || input == output) return;
  for (int s = 0; s < spans.count; ++s) {
    const RingSpan& span = spans.spans[static_cast<std::size_t>(s)];
    std::copy(input + span.first, input + span.end, output + span.first);
  }
}

void PassLiveInputThrough(const ComputeLiveRequest& request, const RingSpans& spans) {
  CopyRingSpans(LiveRing(request.inputRings, request.channel),
                LiveRing(request.outputRings, request.channel), spans);
}

}  // namespace spiro
