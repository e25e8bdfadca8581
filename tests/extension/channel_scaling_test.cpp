#include "extension/channel_scaling.h"

#include <gtest/gtest.h>

#include "extension/scaling_fixtures.h"

using namespace spiro;

namespace {

// Calibrated: units = raw * unit factor * gain + offset; otherwise raw * raw factor.
TEST(ChannelScaling, ConvertsBothWaysWithTheCalibrationOrTheRawFactor) {
  EXPECT_DOUBLE_EQ(RawToUnits(0.75, CalibratedScaling(0.5, 4.0, -1.25)), 0.25);
  EXPECT_DOUBLE_EQ(RawToUnits(-0.5, UncalibratedScaling(8.0)), -4.0);
  for (const auto& scaling : {CalibratedScaling(0.001, -3.0, 12.5), UncalibratedScaling(0.03125)}) {
    for (double raw : {-0.9765625, 0.0, 0.3}) {
      EXPECT_NEAR(UnitsToRaw(RawToUnits(raw, scaling), scaling), raw, 1e-12);
    }
  }
}

}  // namespace
