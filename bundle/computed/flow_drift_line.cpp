#include "computed/flow_drift_line.h"

#include "computed/flow_zero_level.h"
#include "frame/host_services_data.h"

namespace spiro {

DriftLine DriftLineThrough(double a, double levelA, double b, double levelB) {
  if (b == a) return {0.0, levelA};
  const double slope = (levelB - levelA) / (b - a);
  return {slope, levelB - b * slope};
}

std::optional<DriftLine> FindDriftLine(std::int16_t block, const SourceSelection& selection,
                                       double valueOffset) {
  const std::int32_t blockStart = DataPositionOfBlockOffset(MakeBlockOffset(block, 0));
  std::int32_t a = 0;
  std::int32_t b = 0;
  DataService491(blockStart, &a, &b);
  const std::int16_t startBlock = DataBlockOfPosition(static_cast<std::uint32_t>(a));
  const std::int16_t endBlock = DataBlockOfPosition(static_cast<std::uint32_t>(b));
  const std::optional<double> startLevel = FindZeroLevel(startBlock, selection, true, valueOffset);
  if (!startLevel) return std::nullopt;
  const std::optional<double> endLevel = FindZeroLevel(endBlock, selection, false, valueOffset);
  if (!endLevel) return std::nullopt;
  return DriftLineThrough(static_cast<double>(a) - blockStart, *startLevel,
                          static_cast<double>(b) - blockStart, *endLevel);
}

}  // namespace spiro
