#include "computed/flow_zero_level.h"

#include <algorithm>
#include <cmath>

#include "frame/host_services_data.h"

namespace spiro {

std::optional<double> ZeroLevelOfSamples(const float* samples, std::int32_t count, bool atStart,
                                         double valueOffset) {
  if (count <= 0) return std::nullopt;
  const std::int32_t first = atStart ? 0 : std::max(count - kZeroWindowSamples, 0);
  const std::int32_t last = atStart ? std::min(count - 1, kZeroWindowSamples - 1) : count - 1;
  const double reference = static_cast<double>(samples[atStart ? 0 : count - 1]) + valueOffset;
  double sum = 0.0;
  std::int32_t quiet = 0;
  for (std::int32_t i = first; i <= last; ++i) {
    const double v = static_cast<double>(samples[i]) + valueOffset;
    if (std::fabs(v - reference) <= kZeroSearchTolerance) {
      sum += v;
      ++quiet;
    }
  }
  if (quiet == 0) return std::nullopt;
  return sum / quiet;
}

std::optional<double> FindZeroLevel(std::int16_t zeroBlock, const SourceSelection& selection,
                                    bool atStart, double valueOffset) {
  const std::int32_t length = DataBlockLength(zeroBlock);
  const SourceSamples samples(selection, zeroBlock);
  return ZeroLevelOfSamples(samples.data(), std::min(length, samples.count()), atStart,
                            valueOffset);
}

}  // namespace spiro
