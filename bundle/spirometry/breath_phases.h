// Cutting the analysed stretch into alternating inspiratory and expiratory
// phases at the flow's sustained zero crossings.
#pragma once

#include <cstdint>

#include "extension/spiro_records.h"
#include "toolbox/mac_types.h"

namespace spiro {

namespace spirometry {

// Whole breathing cycles seen by the phase scan.
struct BreathCycles {
  std::int32_t cycleSamples;  // samples spanned by the whole cycles
  std::int32_t cycles;
};

// Grows the list by one record (allocating it when empty). A memory error
// is returned unchanged and leaves count and list as they were.
OSErr AppendBreathPhase(std::int16_t& count, Handle& list, std::int32_t index,
                        std::uint8_t direction, float volumeChange);

// Fills record.phases, phaseCount and the inspiration and expiration counts
// from the trimmed samples (count >= 2). Running out of memory ends the scan
// early with the phases found so far.
BreathCycles CutIntoPhases(LocalDataType& record, const float* flow, const float* volume,
                           std::int32_t count);

}  // namespace spirometry

}  // namespace spiro
