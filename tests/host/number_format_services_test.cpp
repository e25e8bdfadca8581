// Number formatting and channel units through the table: nice rounding (84),
// sample times (336), channel values (340), computed-channel scale info (333)
// and unit text (343).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "host/document.h"
#include "service_call.h"
#include "toolbox/resource_test_support.h"
#include "vantor/records.h"

namespace {

using namespace vantor::service;
using testext::Call;
using resource_test::PString;
using resource_test::TextOf;

constexpr std::int16_t kRounding = 2048;

double Nice(double value) { return Call<HostService84>(value, kRounding); }

TEST(NiceRounding, PicksTheNearestOfOneTwoFiveOnALogScale) {
  const std::pair<double, double> cases[] = {
      {1.41, 1.0}, {1.42, 2.0}, {3.16, 2.0}, {3.17, 5.0}, {7.07, 5.0}, {7.08, 10.0},  // the √ boundaries
      {0.3, 0.2},       // exactly 0.2, not 0.2 plus rounding noise
      {-250.0, -200.0},  // the sign is kept
      {0.0, 0.0}, {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()},
  };
  for (const auto& [value, nice] : cases) EXPECT_EQ(Nice(value), nice) << value;
  EXPECT_TRUE(std::isnan(Nice(std::nan(""))));
}

std::string SampleTime(std::int32_t sample, const vantor::BlockTimeFormat* format, std::int16_t compact,
                       std::int16_t withUnit) {
  Str255 out = {5, 's', 't', 'a', 'l', 'e'};
  Call<HostFormatNumber336>(sample, format, compact, withUnit, &out);
  return TextOf(out);
}

TEST(SampleTimeText, ReadoutsCarryPrecisionAndUnitAxisLabelsAreCompact) {
  const vantor::BlockTimeFormat format = host::TimeFormatFor(0.01);
  EXPECT_EQ(SampleTime(250, &format, 0, 1), "2.500 s");
  EXPECT_EQ(SampleTime(250, &format, 1, 0), "2.5");
  EXPECT_EQ(SampleTime(0, &format, 1, 0), "0");
  EXPECT_EQ(SampleTime(300, &format, 1, 0), "3");
  EXPECT_EQ(SampleTime(1, nullptr, 0, 1), "") << "no format: empty, never a crash";
}

TEST(SampleTimeText, UsesTheDisplayIntervalAndUnitOfTheFormatWithinItsField) {
  vantor::BlockTimeFormat format = host::TimeFormatFor(0.5);
  format.displayInterval = 0.5 / 60.0;
  format.unitText[0] = 3;
  std::memcpy(format.unitText + 1, "min", 3);
  format.displayPrecision = 2;
  EXPECT_EQ(SampleTime(240, &format, 0, 1), "2.00 min");

  format = host::TimeFormatFor(1.0);
  std::memset(format.unitText + 1, 'x', sizeof format.unitText - 1);
  format.unitText[0] = 200;  // claims more than the 26-byte field holds
  EXPECT_EQ(SampleTime(2, &format, 1, 1), "2 " + std::string(25, 'x'));
}

vantor::ChannelScaling CalibratedFlow() {
  vantor::ChannelScaling scaling = host::DefaultScaling();
  scaling.calibrated = 1;
  scaling.info.unitFactor = 2.0;
  scaling.gain = 3.0;
  scaling.offset = 1.0;
  scaling.decimals = 2;
  scaling.unitText[0] = 3;
  std::memcpy(scaling.unitText + 1, "L/s", 3);
  return scaling;
}

std::string ChannelValue(double value, const vantor::ChannelScaling* scaling, std::int16_t inUnits,
                         std::int16_t withUnit, std::int16_t fixed) {
  Str255 out = {5, 's', 't', 'a', 'l', 'e'};
  Call<HostFormatNumber340>(value, scaling, inUnits, withUnit, fixed, &out);
  return TextOf(out);
}

TEST(ChannelValueText, ConvertsSampleValuesWithTheChannelScaling) {
  const vantor::ChannelScaling flow = CalibratedFlow();
  EXPECT_EQ(ChannelValue(0.5, &flow, 0, 1, 1), "4.00 L/s") << "0.5 × 2 × 3 + 1";
  EXPECT_EQ(ChannelValue(0.5, &flow, 0, 1, 0), "4 L/s");
  EXPECT_EQ(ChannelValue(0.5, &flow, 0, 0, 1), "4.00");
  EXPECT_EQ(ChannelValue(0.5, &flow, 1, 1, 1), "0.50 L/s") << "already in units";
  EXPECT_EQ(ChannelValue(std::nan(""), &flow, 0, 1, 1), "NaN L/s");
  EXPECT_EQ(ChannelValue(0.5, nullptr, 0, 1, 1), "");

  vantor::ChannelScaling raw = host::DefaultScaling();
  raw.info.rawFactor = 1000.0;
  raw.info.baseUnitText[0] = 2;
  std::memcpy(raw.info.baseUnitText + 1, "mV", 2);
  EXPECT_EQ(ChannelValue(0.001234, &raw, 0, 1, 1), "1.234 mV") << "uncalibrated: raw factor, base unit";
}

std::string UnitText(const vantor::ChannelScaling& scaling) {
  Str255 out = {5, 's', 't', 'a', 'l', 'e'};
  Call<HostService343>(&out, &scaling);
  return TextOf(out);
}

TEST(UnitText, IsTheCalibratedUnitOrElseTheBaseUnit) {
  EXPECT_EQ(UnitText(CalibratedFlow()), "L/s");
  vantor::ChannelScaling raw = host::DefaultScaling();
  raw.unitText[0] = 1;
  raw.unitText[1] = 'V';
  raw.info.baseUnitText[0] = 2;
  std::memcpy(raw.info.baseUnitText + 1, "mV", 2);
  EXPECT_EQ(UnitText(raw), "mV");
  raw.info.baseUnitText[0] = 0;
  EXPECT_EQ(UnitText(raw), "V") << "no base unit: the unit text";

  vantor::ChannelScaling damaged = CalibratedFlow();
  std::memset(damaged.unitText + 1, 'u', sizeof damaged.unitText - 1);
  damaged.unitText[0] = 255;
  EXPECT_EQ(UnitText(damaged), std::string(25, 'u')) << "never read past the 26-byte field";
}

TEST(ComputedScaleInfo, IsTheDefaultWithoutABaseUnitAndMarkedComputed) {
  vantor::ChannelScaleInfo info;
  std::memset(&info, 0xA5, sizeof info);
  Call<HostService333>(std::int16_t{5}, std::int16_t{1}, &info);
  const vantor::ChannelScaleInfo standard = host::DefaultScaling().info;
  // Packed fields are copied out before gtest binds references to them.
  const double raw = info.rawFactor, unit = info.unitFactor, top = info.rangeTop, bottom = info.rangeBottom;
  const double standardTop = standard.rangeTop, standardBottom = standard.rangeBottom;
  EXPECT_EQ(info.baseUnitText[0], 0);
  EXPECT_EQ(raw, 1.0);
  EXPECT_EQ(unit, 1.0) << "MakeVolumeUnits divides by it";
  EXPECT_EQ(top, standardTop);
  EXPECT_EQ(bottom, standardBottom);
  EXPECT_EQ(info.computedFlag, 1);
  EXPECT_EQ(info.reserved26[0], 0) << "the whole record is written";
}

}  // namespace
