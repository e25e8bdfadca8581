#include "extension/numeric_clamps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace spiro;

namespace {

TEST(RoundToLong, RoundsHalvesAwayFromZeroAndSaturates) {
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(RoundToLong(2.5), 3);
  EXPECT_EQ(RoundToLong(-2.5), -3);
  EXPECT_EQ(RoundToLong(2.4999), 2);
  EXPECT_EQ(RoundToLong(1e12), kMax);
  EXPECT_EQ(RoundToLong(-1e12), kMin);
  EXPECT_EQ(RoundToLong(std::numeric_limits<double>::infinity()), kMax);
  EXPECT_EQ(RoundToLong(std::nan("")), kMin);
}

}  // namespace
