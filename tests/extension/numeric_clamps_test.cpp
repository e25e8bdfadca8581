#include "extension/numeric_clamps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace spiro;

namespace {

TEST(ClampInt, TestsTheUpperBoundFirst) {
  EXPECT_EQ(ClampInt(5, 10, 0), 0);
  EXPECT_EQ(ClampInt(-5, 10, 0), 10);
  EXPECT_EQ(ClampInt(15, 0, 10), 10);
  EXPECT_EQ(ClampInt(-3, 0, 10), 0);
  EXPECT_EQ(ClampInt(7, 0, 10), 7);
}

TEST(ClampDouble, TestsTheUpperBoundFirstAndPassesNaNThrough) {
  EXPECT_EQ(ClampDouble(5.0, 10.0, 0.0), 0.0);
  EXPECT_EQ(ClampDouble(-0.5, 0.0, 1.0), 0.0);
  EXPECT_EQ(ClampDouble(0.25, 0.0, 1.0), 0.25);
  EXPECT_TRUE(std::isnan(ClampDouble(std::nan(""), 0.0, 1.0)));
}

TEST(RoundToLong, RoundsHalvesAwayFromZeroAndSaturates) {
  EXPECT_EQ(RoundToLong(2.5), 3);
  EXPECT_EQ(RoundToLong(-2.5), -3);
  EXPECT_EQ(RoundToLong(2.4999), 2);
  EXPECT_EQ(RoundToLong(1e12), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(RoundToLong(-1e12), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(RoundToLong(std::numeric_limits<double>::infinity()),
            std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(RoundToLong(std::nan("")), std::numeric_limits<std::int32_t>::min());
}

}  // namespace
