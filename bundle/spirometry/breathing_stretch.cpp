#include "spirometry/breathing_stretch.h"

#include <cmath>
#include <optional>

namespace spiro {

namespace spirometry {
namespace {

struct Candidate {
  std::int32_t at;
  bool positive;
};

// One scan from `from` towards `to` (step +1 or -1); the neighbour already
// seen is i - step. A candidate becomes the sample next to the first of a run
// and stands once the run outlasts minRun.
std::optional<std::int32_t> FindRunEdge(const float* flow, std::int32_t from, std::int32_t to,
                                        std::int32_t step, std::int32_t minRun, float threshold) {
  const auto above = [&](std::int32_t i) { return std::fabs(flow[i]) > threshold; };
  const auto sign = [&](std::int32_t i) { return flow[i] > 0; };
  std::optional<Candidate> candidate;
  for (std::int32_t i = from; i != to + step; i += step) {
    const std::int32_t previous = i - step;
    if (!candidate) {
      if (above(i) && (!above(previous) || sign(i) != sign(previous))) {
        candidate = Candidate{previous, sign(i)};
      }
      continue;
    }
    const std::int64_t at = candidate->at;
    if (step > 0 ? i > at + minRun : i < at - minRun) break;
    if (!above(i)) {
      candidate.reset();
    } else if (sign(i) != candidate->positive) {
      candidate = Candidate{previous, sign(i)};
    }
  }
  if (!candidate) return std::nullopt;
  return candidate->at;
}

}  // namespace

BreathingStretch FindBreathingStretch(const float* flow, std::int32_t count, std::int32_t minRun,
                                      float threshold) {
  if (flow == nullptr || count < 2) return {false, 0, 0};
  const auto start = FindRunEdge(flow, 1, count - 1, 1, minRun, threshold);
  const auto end = FindRunEdge(flow, count - 2, 0, -1, minRun, threshold);
  if (!start || !end || *end <= *start) return {false, 0, 0};
  return {true, *start, *end};
}

}  // namespace spirometry

}  // namespace spiro
