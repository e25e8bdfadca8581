// Small numeric helpers shared by the drawing and analysis code.
#pragma once

#include <cstdint>

namespace spiro {

std::int32_t MaxInt(std::int32_t a, std::int32_t b);
// The upper bound is tested first: with lo > hi, a value above hi gives hi
// and any other lo.
std::int32_t ClampInt(std::int32_t value, std::int32_t lo, std::int32_t hi);
double MaxDouble(double a, double b);
// Same order of tests as ClampInt; a NaN value passes through unchanged.
double ClampDouble(double value, double lo, double hi);

// The nearest integer, halves away from zero, saturated to the i32 range; NaN
// gives INT32_MIN. Every rounding to a pixel, a sample or a tick goes through
// it, so a degenerate scale (infinite or NaN) never becomes undefined behaviour.
std::int32_t RoundToLong(double value);

}  // namespace spiro
