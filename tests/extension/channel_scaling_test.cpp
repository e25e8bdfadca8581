#include "extension/channel_scaling.h"

#include <gtest/gtest.h>

#include "extension/scaling_fixtures.h"

using namespace spiro;

namespace {

TEST(ChannelScaling, CalibratedUsesUnitFactorGainAndOffset) {
  const auto scaling = CalibratedScaling(0.5, 4.0, -1.25);
  EXPECT_DOUBLE_EQ(UnitsPerRaw(scaling), 2.0);
  EXPECT_DOUBLE_EQ(RawToUnits(0.75, scaling), 0.25);
  EXPECT_DOUBLE_EQ(UnitsToRaw(0.25, scaling), 0.75);
  EXPECT_DOUBLE_EQ(UnitsToRaw(0.0, scaling), 0.625);
}

TEST(ChannelScaling, UncalibratedUsesTheRawFactorAlone) {
  const auto scaling = UncalibratedScaling(8.0);
  EXPECT_DOUBLE_EQ(UnitsPerRaw(scaling), 8.0);
  EXPECT_DOUBLE_EQ(RawToUnits(-0.5, scaling), -4.0);
  EXPECT_DOUBLE_EQ(UnitsToRaw(-4.0, scaling), -0.5);
}

TEST(ChannelScaling, UnitsToRawInvertsRawToUnits) {
  for (const auto& scaling : {CalibratedScaling(0.001, -3.0, 12.5), UncalibratedScaling(0.03125)}) {
    for (double raw : {-0.9765625, -0.1, 0.0, 0.3, 0.9765625}) {
      EXPECT_NEAR(UnitsToRaw(RawToUnits(raw, scaling), scaling), raw, 1e-12);
    }
  }
}

}  // namespace
