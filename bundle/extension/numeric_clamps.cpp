#include "extension/numeric_clamps.h"

#include <cmath>
#include <limits>

namespace spiro {

std::int32_t MaxInt(std::int32_t a, std::int32_t b) { return a > b ? a : b; }

std::int32_t ClampInt(std::int32_t value, std::int32_t lo, std::int32_t hi) {
  if (value > hi) return hi;
  if (value < lo) return lo;
  return value;
}

double MaxDouble(double a, double b) { return a > b ? a : b; }

double ClampDouble(double value, double lo, double hi) {
  if (value > hi) return hi;
  if (value < lo) return lo;
  return value;
}

std::int32_t RoundToLong(double value) {
  using Limits = std::numeric_limits<std::int32_t>;
  if (std::isnan(value)) return Limits::min();
  const double rounded = std::round(value);
  if (rounded >= static_cast<double>(Limits::max())) return Limits::max();
  if (rounded <= static_cast<double>(Limits::min())) return Limits::min();
  return static_cast<std::int32_t>(rounded);
}

}  // namespace spiro
