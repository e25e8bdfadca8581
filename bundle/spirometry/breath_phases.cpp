#include "spirometry/breath_phases.h"

#include <cmath>
#include <limits>

#include "frame/host_services_memory.h"
#include "frame/shared_constants.h"
#include "toolbox/memory.h"
#include "util/handle_record.h"

namespace spiro {

namespace spirometry {
namespace {

constexpr float kFullRange = static_cast<float>(kThousandOver1024);

// A phase volume whose sign contradicts its direction wrapped round the
// converter's range: shift it back by the full range.
float CorrectedVolumeChange(float dV, bool expiration) {
  if (expiration && dV < 0) return dV + kFullRange;
  if (!expiration && dV > 0) return dV - kFullRange;
  return dV;
}

}  // namespace

OSErr AppendBreathPhase(std::int16_t& count, Handle& list, std::int32_t index,
                        std::uint8_t direction, float volumeChange) {
  if (list == nullptr) {
    count = 0;
    list = HostNewHandleAlt(sizeof(BreathPhase));
  } else {
    HostSetHandleSize(list, static_cast<std::uint32_t>((count + 1) * sizeof(BreathPhase)));
  }
  const OSErr error = MemError();
  if (error != noErr) return error;
  if (list == nullptr) return memFullErr;
  const BreathPhase phase{index, direction, 0, volumeChange,
                          -std::numeric_limits<float>::infinity()};
  const HandleLock lock(list);
  if (lock.sizeBytes() < (static_cast<std::size_t>(count) + 1) * sizeof phase) return memFullErr;
  std::memcpy(lock.address() + static_cast<std::size_t>(count) * sizeof phase, &phase, sizeof phase);
  ++count;
  return noErr;
}

BreathCycles CutIntoPhases(LocalDataType& record, const float* flow, const float* volume,
                           std::int32_t n) {
  const float threshold = record.flowThreshold;
  const auto sign = [&](std::int32_t i) { return flow[i] > 0; };
  const bool first = sign(1);
  bool current = first;
  BreathCycles result{0, 0};
  std::int32_t lastCycleStart = 0;
  float prevV = volume[0];
  // Without the sentinel no record would mean what its position says.
  if (AppendBreathPhase(record.phaseCount, record.phases, 0, first ? 0 : 1,
                        kSentinelVolumeChange) != noErr) {
    return result;
  }
  for (std::int32_t i = 2; i <= n - 3; ++i) {
    if (!(std::fabs(flow[i]) > threshold) || sign(i) == current) continue;
    current = sign(i);
    // A positive flow ends an expiration.
    if (current) {
      ++record.expirationCount;
    } else {
      ++record.inspirationCount;
    }
    if (current == first) {
      result.cycleSamples += i - lastCycleStart;
      ++result.cycles;
      lastCycleStart = i;
    }
    const float dV = CorrectedVolumeChange(prevV - volume[i - 1], current);
    if (AppendBreathPhase(record.phaseCount, record.phases, i - 1, current ? 1 : 0, dV) != noErr) {
      break;
    }
    prevV = volume[i - 1];
  }
  const bool last = sign(n - 2);
  if (last) {
    ++record.inspirationCount;
  } else {
    ++record.expirationCount;
  }
  if (last != first) {
    result.cycleSamples += (n - 2) - lastCycleStart;
    ++result.cycles;
  }
  const float dV = CorrectedVolumeChange(prevV - volume[n - 1], !last);
  AppendBreathPhase(record.phaseCount, record.phases, n - 1, last ? 0 : 1, dV);
  return result;
}

}  // namespace spirometry

}  // namespace spiro
