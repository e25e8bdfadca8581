// The indices of the analysed stretch once it is cut into phases: extremes
// and peak flows, breathing frequency, ventilation, tidal volume, and the
// forced expiration with its FVC and FEV1.
#pragma once

#include <cstdint>

#include "extension/spiro_records.h"
#include "spirometry/breath_phases.h"

namespace spiro {

namespace spirometry {

// phases: record.phaseCount records, locked by the caller; results go to
// record (in litres and litres per second).
void ComputeBreathIndices(LocalDataType& record, BreathPhase* phases, const float* flow,
                          const float* volume, std::int32_t count, BreathCycles cycles);

}  // namespace spirometry

}  // namespace spiro
