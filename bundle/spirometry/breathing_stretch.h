// Trimming a selection to where breathing is present: the first and the
// last run of at least minRun samples of sustained flow in one direction.
#pragma once

#include <cstdint>

namespace spiro {

namespace spirometry {

struct BreathingStretch {
  bool found;
  std::int32_t start;  // first sample of the stretch
  std::int32_t end;    // last sample of the stretch (inclusive)
};

// threshold: the flow magnitude counted as no flow.
BreathingStretch FindBreathingStretch(const float* flow, std::int32_t count, std::int32_t minRun,
                                      float threshold);

}  // namespace spirometry

}  // namespace spiro
