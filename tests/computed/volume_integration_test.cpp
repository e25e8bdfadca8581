// Integrating flow into volume, and the gains taken from the source's units.
#include "computed/volume_integration.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

#include "computed/volume_coefficients.h"
#include "toolbox/pascal_string.h"

using namespace spiro;

namespace {

VolumeIntegrationCoefficients Plain() { return {0.5, 0.01, 2.0, 1.25, 0.3, false, false}; }

std::vector<float> Integrate(const VolumeIntegrationCoefficients& c,
                             const std::vector<float>& flow) {
  VolumeRunningState state = kRestartedVolume;
  std::vector<float> out(flow.size());
  IntegrateVolumeSamples(c, state, flow.data(), out.data(), 0,
                         static_cast<std::int32_t>(flow.size()));
  return out;
}

TEST(VolumeIntegration, WithoutCorrectionsItIsTheScaledRunningSum) {
  const std::vector<float> flow{0.2f, -0.4f, 1.0f, 0.0f, -2.0f};
  const std::vector<float> out = Integrate(Plain(), flow);
  double sum = 0;
  for (std::size_t i = 0; i < flow.size(); ++i) {
    sum += static_cast<double>(flow[i]) * 0.5 + 0.01;
    EXPECT_FLOAT_EQ(out[i], static_cast<float>(sum * 2.0)) << i;
  }
}

TEST(VolumeIntegration, ResetComesOnlyWhenTheFlowTurnsPositive) {
  VolumeIntegrationCoefficients c = Plain();
  c.offsetPerSample = 0.0;
  c.resetAtPositiveFlow = true;
  // The first sample never resets (the previous flow starts at +infinity).
  const std::vector<float> out = Integrate(c, {1.0f, 1.0f, -1.0f, 0.0f, 2.0f, 1.0f});
  EXPECT_FLOAT_EQ(out[0], 1.0f);
  EXPECT_FLOAT_EQ(out[1], 2.0f);
  EXPECT_FLOAT_EQ(out[2], 1.0f);
  EXPECT_FLOAT_EQ(out[3], 1.0f);
  EXPECT_EQ(out[4], 0.0f) << "zero flow, then positive: reset";
  EXPECT_FLOAT_EQ(out[5], 1.0f) << "the next sample starts from its own volume";
}

TEST(VolumeIntegration, ExpiratoryFlowIsDividedOncePastTheThreshold) {
  VolumeIntegrationCoefficients c{1.0, 0.0, 1.0, 2.0, 0.25, true, false};
  VolumeRunningState state = kRestartedVolume;
  // Expiring 0.1 L per sample: the reservoir reaches 0.2, then would pass 0.25.
  EXPECT_FLOAT_EQ(IntegrateVolumeSample(c, state, -0.1f), -0.1f);
  EXPECT_FLOAT_EQ(IntegrateVolumeSample(c, state, -0.1f), -0.2f);
  EXPECT_FLOAT_EQ(IntegrateVolumeSample(c, state, -0.1f), -0.25f);
  EXPECT_DOUBLE_EQ(state.reservoir, 0.25);
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

TEST(VolumeGains, UnitTextSaysMillilitresAndPerMinute) {
  const VolumeGains litresPerSecond = DeriveVolumeGains(Source("L/s", true), 0.01);
  EXPECT_DOUBLE_EQ(litresPerSecond.gainPerSample, 0.01 * 2.0 * 3.0);
  EXPECT_DOUBLE_EQ(litresPerSecond.offsetPerSample, 0.01 * 0.6);
  EXPECT_DOUBLE_EQ(litresPerSecond.zeroValue, -0.6 / 6.0);

  const VolumeGains perMinute = DeriveVolumeGains(Source("ml/min", true), 0.01);
  EXPECT_DOUBLE_EQ(perMinute.gainPerSample, 0.01 * 6.0 / 1000 / 60);
  EXPECT_DOUBLE_EQ(perMinute.offsetPerSample, 0.01 * 0.6 / 1000 / 60);
}

TEST(VolumeGains, UncalibratedSourceUsesItsRawFactorAndNoOffset) {
  const VolumeGains gains = DeriveVolumeGains(Source("ml/min", false), 0.01);
  EXPECT_DOUBLE_EQ(gains.gainPerSample, 0.07);
  EXPECT_EQ(gains.offsetPerSample, 0.0);
  EXPECT_EQ(gains.zeroValue, 0.0);
}

TEST(VolumeGains, UnitTextLongerThanItsFieldIsReadWithinIt) {
  vantor::ChannelScaling scaling = Source("L/s", true);
  scaling.unitText[0] = 200;  // a lying length byte
  scaling.decimals = 0x6e69;  // "in" right after the field would make "min" with an 'm' at 25
  scaling.unitText[25] = 'm';
  const VolumeGains gains = DeriveVolumeGains(scaling, 1.0);
  EXPECT_DOUBLE_EQ(gains.gainPerSample, 6.0) << "only the field's 25 characters are text";
}

TEST(VolumeGains, OutputScaleIsPerMillilitreForMillilitres) {
  vantor::ChannelScaling units{};
  units.gain = 0.5;
  units.info.unitFactor = 4.0;
  std::memcpy(units.unitText, "\x01L", 2);
  EXPECT_DOUBLE_EQ(OutputScaleOf(units), 0.5);
  std::memcpy(units.unitText, "\x02mL", 3);
  EXPECT_DOUBLE_EQ(OutputScaleOf(units), 500.0);
}

}  // namespace
