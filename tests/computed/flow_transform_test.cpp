// The flow head's transform on its own: the per-sample correction, whether it
// does anything, folding a source block's scaling into its coefficients, the
// zero level of a block's quiet ends and the drift line through them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

#include "computed/flow_channel_scaling.h"
#include "computed/flow_coefficients.h"
#include "computed/flow_drift_line.h"
#include "computed/flow_object.h"
#include "computed/flow_sample_correction.h"
#include "computed/flow_zero_level.h"

using namespace spiro;

namespace {

const double kNaN = std::nan("");

// The transform as two branches, the way the flow head's linearisation is stated.
double TwoBranchLinearisation(double y, double k) {
  return y > 0 ? y * (1 - k * y) : y * (1 + k * y);
}

TEST(FlowSampleCorrection, BranchFreeFormMatchesBothBranchesToTheBit) {
  const double inf = std::numeric_limits<double>::infinity();
  const std::vector<double> ys{0.0, -0.0, 1e-300, -1e-300, 0.3, -0.3, 0.9765625, -2.5, inf, -inf};
  const std::vector<double> ks{0.0, -0.0, 0.1, -0.37, 12.5, inf, -inf};
  for (double y : ys) {
    for (double k : ks) {
      const double expected = TwoBranchLinearisation(y, k);
      const double actual = LineariseFlowHead(y, k);
      if (std::isnan(expected)) {
        EXPECT_TRUE(std::isnan(actual)) << y << " " << k;
      } else {
        EXPECT_EQ(actual, expected) << y << " " << k;
        EXPECT_EQ(std::signbit(actual), std::signbit(expected)) << y << " " << k;
      }
    }
  }
  EXPECT_TRUE(std::isnan(LineariseFlowHead(kNaN, 0.1)));
}

TEST(FlowSampleCorrection, OffsetAndDriftComeBeforeTheLinearisation) {
  const FlowSampleTransform transform{0.25, 0.2};
  // y = 0.5 + 0.25 - 0.25 = 0.5 -> 0.5 * (1 - 0.1)
  EXPECT_FLOAT_EQ(CorrectFlowSample(0.5f, transform, 0.25), 0.45f);
  // y = -0.5 + 0.25 = -0.25 -> -0.25 * (1 - 0.05)
  EXPECT_FLOAT_EQ(CorrectFlowSample(-0.5f, transform, 0.0), -0.2375f);
  const DriftLine line = DriftLineThrough(7.0, 0.03, 7.0, 0.03);
  EXPECT_EQ(line.slope, 0.0) << "a one-sample stretch is level, not NaN";
  EXPECT_EQ(line.intercept, 0.03);
}

TEST(FlowCoefficients, TransformIsActiveOnlyWhenItChangesSamples) {
  struct Case {
    const char* what;
    bool linearise;
    double zeroOffset;
    bool drift;
    double nonlinearity;
    bool active;
  };
  const Case cases[] = {
      {"a nonlinearity without linearise", false, 0.0, false, 0.006, false},
      {"a zero offset", false, 0.2, false, 0.006, true},
      {"drift correction", false, 0.0, true, 0.0, true},
      {"linearise with a zero nonlinearity", true, 0.0, false, 0.0, false},
      {"a NaN nonlinearity", true, 0.0, false, kNaN, true},
      {"a NaN offset", false, kNaN, false, 0.0, true},
  };
  for (const Case& c : cases) {
    RespFlowSettings settings = flow::DefaultSettings(2);
    settings.linearise = c.linearise ? 1 : 0;
    settings.zeroOffset = c.zeroOffset;
    settings.driftCorrection = c.drift ? 1 : 0;
    SetFlowCoefficients(settings, {1.3, c.nonlinearity});
    EXPECT_EQ(settings.correctionActive, c.active ? 1 : 0) << c.what;
  }
}

vantor::ChannelScaling Scaling(bool calibrated, double offset, double gain, unsigned char marker) {
  vantor::ChannelScaling scaling{};
  scaling.calibrated = calibrated ? 1 : 0;
  scaling.offset = offset;
  scaling.gain = gain;
  std::memcpy(scaling.info.baseUnitText, "\x03mV", 4);
  scaling.info.baseUnitText[3] = marker;
  return scaling;
}

// Only a calibration that restates the raw factor (gain 4 x unit factor 2 /
// raw factor 8), with the marker and an offset, folds into the value offset.
TEST(FlowChannelScaling, OnlyAFoldableCalibrationJoinsTheValueOffset) {
  struct Case {
    const char* what;
    double zeroOffset, nonlinearity, unitFactor;
    vantor::ChannelScaling scaling;
    double valueOffset, valueNonlinearity;
    int pending, active;
  };
  const Case cases[] = {
      {"uncalibrated, in value terms", 0.5, 0.01, 4.0, Scaling(false, 0.0, 1.0, 0), 0.125, 0.04, 0, 1},
      {"foldable", 0.0, 0.0, 2.0, Scaling(true, 0.6, 4.0, 214), 0.075, 0.0, 0, 1},
      {"no calibration offset", 0.0, 0.0, 2.0, Scaling(true, 0.0, 4.0, 214), 0.0, 0.0, 1, 0},
      {"another base unit", 0.0, 0.0, 2.0, Scaling(true, 0.6, 4.0, 'x'), 0.0, 0.0, 1, 0},
      {"a gain of its own", 0.0, 0.0, 2.0, Scaling(true, 0.6, 4.1, 214), 0.0, 0.0, 1, 0},
      {"uncalibrated, never pending", 0.0, 0.0, 2.0, Scaling(false, 0.6, 4.0, 214), 0.0, 0.0, 0, 0},
  };
  for (const Case& c : cases) {
    RespFlowSettings settings = flow::DefaultSettings(2);
    settings.zeroOffset = c.zeroOffset;
    SetFlowCoefficients(settings, {1.0, c.nonlinearity});
    vantor::ChannelScaleInfo info{};
    info.unitFactor = c.unitFactor;
    info.rawFactor = c.unitFactor == 4.0 ? 4.0 : 8.0;
    FoldChannelScaling(settings, info, c.scaling);
    EXPECT_DOUBLE_EQ(double{settings.valueOffset}, c.valueOffset) << c.what;
    EXPECT_DOUBLE_EQ(double{settings.valueNonlinearity}, c.valueNonlinearity) << c.what;
    EXPECT_EQ(settings.unitsConversionPending, c.pending) << c.what;
    EXPECT_EQ(settings.correctionActive, c.active) << c.what;
  }
}

// The mean of the first or last ten samples, leaving out those away from the
// end's own sample; a short block uses all its samples for both ends.
TEST(ZeroLevel, IsTheMeanOfTheQuietSamplesAtOneEnd) {
  std::vector<float> ends(30, 0.5f);
  std::fill_n(ends.begin(), 10, 0.01f);
  std::fill_n(ends.end() - 10, 10, -0.02f);
  // Reference 0.0 (the first sample); 0.03 lies beyond 0.9765625 / 40, 0.024 within.
  const std::vector<float> away{0.0f, 0.03f, 0.024f, -0.02f, 0.5f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.9f};
  const std::vector<float> brief{0.010f, 0.011f, 0.012f, 0.013f};
  const double briefMean = (0.010 + 0.011 + 0.012 + 0.013) / 4 - 0.25;  // the offset comes first
  const std::vector<float> nanFirst{std::nanf(""), 0.0f, 0.0f};
  struct Case {
    const char* what;
    const std::vector<float>& samples;
    bool atStart;
    double offset;
    std::optional<double> level;  // NaN: any
    double tolerance;
  };
  const Case cases[] = {
      {"the first ten", ends, true, 0.0, 0.01, 1e-9},
      {"the last ten", ends, false, 0.0, -0.02, 1e-9},
      {"away from the reference", away, true, 0.0, (double{0.024f} + double{-0.02f}) / 8.0, 1e-12},
      {"a short block's start", brief, true, -0.25, briefMean, 1e-7},
      {"a short block's end", brief, false, -0.25, briefMean, 1e-7},
      {"a NaN reference", nanFirst, true, 0.0, std::nullopt, 0.0},
      {"a NaN away from the reference", nanFirst, false, 0.0, kNaN, 0.0},
  };
  for (const Case& c : cases) {
    const auto level =
        ZeroLevelOfSamples(c.samples.data(), static_cast<std::int32_t>(c.samples.size()), c.atStart, c.offset);
    ASSERT_EQ(level.has_value(), c.level.has_value()) << c.what;
    if (level && !std::isnan(*c.level)) {
      EXPECT_NEAR(*level, *c.level, c.tolerance) << c.what;
    }
  }
  for (const std::int32_t count : {0, -3}) {
    EXPECT_FALSE(ZeroLevelOfSamples(nullptr, count, true, 0.0)) << count;
    EXPECT_FALSE(ZeroLevelOfSamples(nullptr, count, false, 0.0)) << count;
  }
}

}  // namespace
