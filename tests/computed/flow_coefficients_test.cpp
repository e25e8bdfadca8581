// Whether the flow head's transform does anything, and folding a source
// block's scaling into the coefficients.
#include "computed/flow_coefficients.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "computed/flow_channel_scaling.h"
#include "computed/flow_object.h"

using namespace spiro;

namespace {

const double kNaN = std::nan("");

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

}  // namespace
