// Deriving the flow head's coefficients and folding a source block's scaling
// into them.
#include "computed/flow_coefficients.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "computed/flow_channel_scaling.h"
#include "computed/flow_object.h"

using namespace spiro;

namespace {

RespFlowSettings Settings() { return flow::DefaultSettings(2); }

TEST(FlowCoefficients, NeverSetCustomScaleFallsBackToTheDefaultModel) {
  RespFlowSettings settings = Settings();
  settings.SpirometerModel = kCustomSpirometerModel;
  EXPECT_TRUE(ResolveSpirometerModel(settings));
  EXPECT_EQ(settings.SpirometerModel, kDefaultSpirometerModel);

  settings.SpirometerModel = kCustomSpirometerModel;
  settings.customScale = 2.5;
  EXPECT_FALSE(ResolveSpirometerModel(settings));
  EXPECT_EQ(settings.SpirometerModel, kCustomSpirometerModel);

  settings.SpirometerModel = 3;
  EXPECT_TRUE(ResolveSpirometerModel(settings));
  EXPECT_EQ(settings.SpirometerModel, 3);
}

TEST(FlowCoefficients, TransformIsActiveOnlyWhenItChangesSamples) {
  RespFlowSettings settings = Settings();
  settings.linearise = 0;
  SetFlowCoefficients(settings, {1.3, 0.006});
  EXPECT_EQ(settings.correctionActive, 0) << "a nonlinearity without linearise does nothing";
  EXPECT_EQ(double{settings.scale}, 1.3);
  EXPECT_EQ(double{settings.nonlinearity}, 0.006);

  settings.zeroOffset = 0.2;
  SetFlowCoefficients(settings, {1.3, 0.006});
  EXPECT_EQ(settings.correctionActive, 1);
  EXPECT_EQ(double{settings.offset}, 0.2);

  settings.zeroOffset = 0.0;
  settings.driftCorrection = 1;
  SetFlowCoefficients(settings, {1.3, 0.0});
  EXPECT_EQ(settings.correctionActive, 1);

  settings.driftCorrection = 0;
  settings.linearise = 1;
  SetFlowCoefficients(settings, {1.3, 0.0});
  EXPECT_EQ(settings.correctionActive, 0) << "linearise with a zero nonlinearity does nothing";
  SetFlowCoefficients(settings, {1.3, std::nan("")});
  EXPECT_EQ(settings.correctionActive, 1) << "a NaN counts as non-zero";
  settings.zeroOffset = std::nan("");
  settings.linearise = 0;
  SetFlowCoefficients(settings, {1.3, 0.0});
  EXPECT_EQ(settings.correctionActive, 1);
}

vantor::ChannelScaleInfo Info(double rawFactor, double unitFactor) {
  vantor::ChannelScaleInfo info{};
  info.rawFactor = rawFactor;
  info.unitFactor = unitFactor;
  return info;
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

TEST(FlowChannelScaling, CoefficientsMoveIntoSampleValueTerms) {
  RespFlowSettings settings = Settings();
  settings.zeroOffset = 0.5;
  SetFlowCoefficients(settings, {1.0, 0.01});
  FoldChannelScaling(settings, Info(4.0, 4.0), Scaling(false, 0.0, 1.0, 0));
  EXPECT_DOUBLE_EQ(double{settings.valueNonlinearity}, 0.04);
  EXPECT_DOUBLE_EQ(double{settings.valueOffset}, 0.125);
  EXPECT_EQ(settings.unitsConversionPending, 0);

  settings.linearise = 0;
  FoldChannelScaling(settings, Info(4.0, 4.0), Scaling(false, 0.0, 1.0, 0));
  EXPECT_EQ(double{settings.valueNonlinearity}, 0.0);
}

TEST(FlowChannelScaling, FoldableCalibrationOffsetJoinsTheValueOffset) {
  RespFlowSettings settings = Settings();
  SetFlowCoefficients(settings, {1.0, 0.0});
  ASSERT_EQ(settings.correctionActive, 0);
  // gain restates the raw factor: unitFactor * gain / rawFactor == 1.
  FoldChannelScaling(settings, Info(8.0, 2.0), Scaling(true, 0.6, 4.0, 214));
  EXPECT_DOUBLE_EQ(double{settings.valueOffset}, (0.6 * 2.0 / 8.0) / 2.0);
  EXPECT_EQ(settings.unitsConversionPending, 0);
  EXPECT_EQ(settings.correctionActive, 1);
}

TEST(FlowChannelScaling, OtherCalibrationsStayPending) {
  struct Case {
    const char* what;
    vantor::ChannelScaling scaling;
  };
  const Case cases[] = {
      {"no calibration offset", Scaling(true, 0.0, 4.0, 214)},
      {"another base unit", Scaling(true, 0.6, 4.0, 'x')},
      {"a gain of its own", Scaling(true, 0.6, 4.1, 214)},
  };
  for (const Case& c : cases) {
    RespFlowSettings settings = Settings();
    SetFlowCoefficients(settings, {1.0, 0.0});
    FoldChannelScaling(settings, Info(8.0, 2.0), c.scaling);
    EXPECT_EQ(double{settings.valueOffset}, 0.0) << c.what;
    EXPECT_EQ(settings.unitsConversionPending, 1) << c.what;
    EXPECT_EQ(settings.correctionActive, 0) << c.what;
  }
}

TEST(FlowChannelScaling, UncalibratedSourceIsNeverPending) {
  RespFlowSettings settings = Settings();
  SetFlowCoefficients(settings, {1.0, 0.0});
  FoldChannelScaling(settings, Info(8.0, 2.0), Scaling(false, 0.6, 4.0, 214));
  EXPECT_EQ(settings.unitsConversionPending, 0);
  EXPECT_EQ(double{settings.valueOffset}, 0.0);
}

}  // namespace
