// Numbers and channel units through the table: numbers as users type them
// (85, 87) and with decimals (88), nice rounding (84), sample times (336),
// channel values (340), computed-channel scale info (333) and unit text (343).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <tuple>

#include "host/document.h"
#include "service_call.h"
#include "toolbox/pascal_string.h"
#include "vantor/records.h"

namespace {

using namespace vantor::service;
using testext::Call;
using testext::PString;
using testext::TextWritten;

TEST(NumberText, ParsesNumbersAsUsersTypeThem) {
  const std::pair<const char*, std::int32_t> integers[] = {
      {"  42", 42}, {"-17 ml", -17}, {"", 0}, {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1}};
  for (const auto& [text, value] : integers) EXPECT_EQ(Call<HostStringToLong>(PString(text).get()), value) << text;
  const std::pair<const char*, double> decimals[] = {{"1.25", 1.25}, {"1,5", 1.5}, {" -0.002 L", -0.002}, {"abc", 0.0}};
  for (const auto& [text, value] : decimals) {
    EXPECT_DOUBLE_EQ(Call<HostStringToDouble>(PString(text).get()), value) << text;
  }
}

TEST(NumberText, FormatsWithDecimalsWithinAStr255) {
  const std::tuple<double, std::int16_t, bool, std::string> cases[] = {
      {3.14159, 2, true, "3.14"}, {2.5, 3, true, "2.500"}, {2.5, 3, false, "2.5"}, {-0.6, 0, true, "-1"},
      {std::nan(""), 2, true, "NaN"}};
  for (const auto& [value, decimals, zeros, text] : cases) {
    EXPECT_EQ(TextWritten([&](Str255* out) { Call<HostDoubleToString>(out, value, decimals, zeros); }), text);
  }
  const std::string huge = TextWritten([](Str255* out) { Call<HostDoubleToString>(out, 1e300, std::int16_t{15}, true); });
  EXPECT_EQ(huge.size(), 255u) << "a huge number is cut to a Str255, not overflowed";
}

TEST(NiceRounding, PicksTheNearestOfOneTwoFiveOnALogScale) {
  const double inf = std::numeric_limits<double>::infinity();
  const std::pair<double, double> cases[] = {
      {1.41, 1.0}, {1.42, 2.0}, {3.16, 2.0}, {3.17, 5.0}, {7.07, 5.0}, {7.08, 10.0},  // the √ boundaries
      {0.3, 0.2},       // exactly 0.2, not 0.2 plus rounding noise
      {-250.0, -200.0}, {0.0, 0.0}, {inf, inf},
  };
  for (const auto& [value, nice] : cases) EXPECT_EQ(Call<HostService84>(value, std::int16_t{2048}), nice) << value;
  EXPECT_TRUE(std::isnan(Call<HostService84>(std::nan(""), std::int16_t{2048})));
}

std::string SampleTime(std::int32_t sample, const vantor::BlockTimeFormat* format, std::int16_t compact,
                       std::int16_t withUnit) {
  return TextWritten([&](Str255* out) { Call<HostFormatNumber336>(sample, format, compact, withUnit, out); });
}

TEST(SampleTimeText, ReadoutsCarryPrecisionAndUnitAxisLabelsAreCompact) {
  vantor::BlockTimeFormat format = host::TimeFormatFor(0.01);
  EXPECT_EQ(SampleTime(250, &format, 0, 1), "2.500 s");
  EXPECT_EQ(SampleTime(250, &format, 1, 0), "2.5");
  EXPECT_EQ(SampleTime(300, &format, 1, 0), "3");
  EXPECT_EQ(SampleTime(1, nullptr, 0, 1), "") << "no format: empty, never a crash";

  format = host::TimeFormatFor(0.5);
  format.displayInterval = 0.5 / 60.0;
  toolbox::StorePascal(format.unitText, "min");
  format.displayPrecision = 2;
  EXPECT_EQ(SampleTime(240, &format, 0, 1), "2.00 min") << "the display interval and unit";
  std::memset(format.unitText + 1, 'x', sizeof format.unitText - 1);
  format.unitText[0] = 200;  // claims more than the 26-byte field holds
  EXPECT_EQ(SampleTime(240, &format, 1, 1), "2 " + std::string(25, 'x'));
}

vantor::ChannelScaling WithUnits(const char* unit, const char* baseUnit) {
  vantor::ChannelScaling scaling = host::DefaultScaling();
  toolbox::StorePascal(scaling.unitText, unit);
  toolbox::StorePascal(scaling.info.baseUnitText, baseUnit);
  return scaling;
}

std::string ChannelValue(double value, const vantor::ChannelScaling* scaling, std::int16_t inUnits,
                         std::int16_t withUnit, std::int16_t fixed) {
  return TextWritten([&](Str255* out) { Call<HostFormatNumber340>(value, scaling, inUnits, withUnit, fixed, out); });
}

std::string UnitText(const vantor::ChannelScaling& scaling) {
  return TextWritten([&](Str255* out) { Call<HostService343>(out, &scaling); });
}

TEST(ChannelValueText, ConvertsSampleValuesWithTheChannelScalingAndItsUnit) {
  vantor::ChannelScaling flow = WithUnits("L/s", "mV");
  flow.calibrated = 1;
  flow.info.unitFactor = 2.0;
  flow.gain = 3.0;
  flow.offset = 1.0;
  flow.decimals = 2;
  EXPECT_EQ(ChannelValue(0.5, &flow, 0, 1, 1), "4.00 L/s") << "0.5 × 2 × 3 + 1";
  EXPECT_EQ(ChannelValue(0.5, &flow, 0, 0, 0), "4");
  EXPECT_EQ(ChannelValue(0.5, &flow, 1, 1, 1), "0.50 L/s") << "already in units";
  EXPECT_EQ(ChannelValue(std::nan(""), &flow, 0, 1, 1), "NaN L/s");
  EXPECT_EQ(ChannelValue(0.5, nullptr, 0, 1, 1), "");
  EXPECT_EQ(UnitText(flow), "L/s");
  std::memset(flow.unitText + 1, 'u', sizeof flow.unitText - 1);
  flow.unitText[0] = 255;
  EXPECT_EQ(UnitText(flow), std::string(25, 'u')) << "never read past the 26-byte field";

  vantor::ChannelScaling raw = WithUnits("V", "mV");
  raw.info.rawFactor = 1000.0;
  EXPECT_EQ(ChannelValue(0.001234, &raw, 0, 1, 1), "1.234 mV") << "uncalibrated: raw factor, base unit";
  EXPECT_EQ(UnitText(raw), "mV");
  EXPECT_EQ(UnitText(WithUnits("V", "")), "V") << "no base unit: the unit text";
}

TEST(ComputedScaleInfo, IsTheDefaultWithoutABaseUnitAndMarkedComputed) {
  vantor::ChannelScaleInfo info;
  std::memset(&info, 0xA5, sizeof info);
  Call<HostService333>(std::int16_t{5}, std::int16_t{1}, &info);
  // Packed fields are copied out before gtest binds references to them.
  const double raw = info.rawFactor, unit = info.unitFactor, top = info.rangeTop, bottom = info.rangeBottom;
  EXPECT_EQ(info.baseUnitText[0], 0);
  EXPECT_EQ(raw, 1.0);
  EXPECT_EQ(unit, 1.0) << "MakeVolumeUnits divides by it";
  EXPECT_EQ(top, double{host::DefaultScaling().info.rangeTop});
  EXPECT_EQ(bottom, double{host::DefaultScaling().info.rangeBottom});
  EXPECT_EQ(info.computedFlag, 1);
  EXPECT_EQ(info.reserved26[0], 0) << "the whole record is written";
}

}  // namespace
