// Integrating flow into volume, and the gains taken from the source's units.
#include "computed/volume_integration.h"

#include <gtest/gtest.h>

#include <vector>

#include "computed/volume_coefficients.h"
#include "toolbox/pascal_string.h"

using namespace spiro;

namespace {

TEST(VolumeIntegration, ResetComesOnlyWhenTheFlowTurnsPositive) {
  const VolumeIntegrationCoefficients c{0.5, 0.0, 2.0, 1.25, 0.3, false, true};
  const std::vector<float> flow{1.0f, 1.0f, -1.0f, 0.0f, 2.0f, 1.0f};
  // The first sample never resets (the previous flow starts at +infinity);
  // zero flow, then positive: reset, and the next sample starts from its own volume.
  const std::vector<float> expected{1.0f, 2.0f, 1.0f, 1.0f, 0.0f, 1.0f};
  VolumeRunningState state = kRestartedVolume;
  std::vector<float> out(flow.size());
  IntegrateVolumeSamples(c, state, flow.data(), out.data(), 0, static_cast<std::int32_t>(flow.size()));
  EXPECT_EQ(out, expected);
}

TEST(VolumeIntegration, ExpiratoryFlowIsDividedOncePastTheThreshold) {
  VolumeIntegrationCoefficients c{1.0, 0.0, 1.0, 2.0, 0.25, true, false};
  VolumeRunningState state = kRestartedVolume;
  // Expiring 0.1 L per sample: the reservoir reaches 0.2, then would pass 0.25.
  EXPECT_FLOAT_EQ(IntegrateVolumeSample(c, state, -0.1f), -0.1f);
  EXPECT_FLOAT_EQ(IntegrateVolumeSample(c, state, -0.1f), -0.2f);
  EXPECT_FLOAT_EQ(IntegrateVolumeSample(c, state, -0.1f), -0.25f);
  EXPECT_FLOAT_EQ(IntegrateVolumeSample(c, state, -0.1f), -0.3f);
  // Inspiring drains the reservoir and is never divided.
  EXPECT_FLOAT_EQ(IntegrateVolumeSample(c, state, 0.2f), -0.1f);
  EXPECT_NEAR(state.reservoir, 0.05, 1e-8);
  EXPECT_FLOAT_EQ(IntegrateVolumeSample(c, state, 0.2f), 0.1f);
  EXPECT_EQ(state.reservoir, 0.0);
}

vantor::ChannelScaling Source(const char* unit, bool calibrated) {
  vantor::ChannelScaling scaling{};
  toolbox::StorePascal(scaling.unitText, unit);
  scaling.calibrated = calibrated ? 1 : 0;
  scaling.gain = 3.0;
  scaling.offset = 0.6;
  scaling.info.unitFactor = 2.0;
  scaling.info.rawFactor = 7.0;
  return scaling;
}

// Per sample of 0.01 s: 6 units per value (gain 3 x unit factor 2), offset
// 0.6; millilitres and per minute divide both, an uncalibrated source has
// its raw factor 7 and no offset.
TEST(VolumeGains, FollowTheSourcesCalibrationAndUnitText) {
  struct Case {
    const char* unit;
    bool calibrated;
    VolumeGains gains;
  };
  const Case cases[] = {
      {"L/s", true, {0.06, 0.006, -0.1}},
      {"ml/min", true, {0.06 / 60000, 0.006 / 60000, -0.1}},
      {"ml/min", false, {0.07, 0.0, 0.0}},
  };
  for (const Case& c : cases) {
    const VolumeGains gains = DeriveVolumeGains(Source(c.unit, c.calibrated), 0.01);
    EXPECT_DOUBLE_EQ(gains.gainPerSample, c.gains.gainPerSample) << c.unit << c.calibrated;
    EXPECT_DOUBLE_EQ(gains.offsetPerSample, c.gains.offsetPerSample) << c.unit << c.calibrated;
    EXPECT_DOUBLE_EQ(gains.zeroValue, c.gains.zeroValue) << c.unit << c.calibrated;
  }
}

TEST(VolumeGains, UnitTextLongerThanItsFieldIsReadWithinIt) {
  vantor::ChannelScaling scaling = Source("L/s", true);
  scaling.unitText[0] = 200;  // a lying length byte
  scaling.decimals = 0x6e69;  // "in" right after the field would make "min" with an 'm' at 25
  scaling.unitText[25] = 'm';
  const VolumeGains gains = DeriveVolumeGains(scaling, 1.0);
  EXPECT_DOUBLE_EQ(gains.gainPerSample, 6.0) << "only the field's 25 characters are text";
}

}  // namespace
