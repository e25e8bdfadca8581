// Text services: numbers typed and formatted, channel units, Str255 operations,
// and the clipboard read back as UTF-8 lines (pictures written as PICT and PNG
// files are checked end to end by the command line's analyse).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "host/clipboard.h"
#include "host/document.h"
#include "service_call.h"
#include "toolbox/file_bytes.h"
#include "toolbox/memory.h"
#include "toolbox/pascal_string.h"
#include "toolbox/scrap.h"
#include "vantor/records.h"

namespace {

using namespace vantor::service;
using testext::Call;
using testext::PString;
using testext::TextOf;
using testext::TextWritten;

TEST(NumberText, ParsesNumbersAsUsersTypeThemAndFormatsWithDecimals) {
  const std::pair<const char*, std::int32_t> integers[] = {
      {"  42", 42}, {"-17 ml", -17}, {"", 0}, {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1}};
  for (const auto& [text, value] : integers) {
    EXPECT_EQ(Call<HostStringToLong>(PString(text).get()), value) << text;
  }
  const std::pair<const char*, double> reals[] = {
      {"1.25", 1.25}, {"1,5", 1.5}, {" -0.002 L", -0.002}, {"abc", 0.0}};
  for (const auto& [text, value] : reals) {
    EXPECT_DOUBLE_EQ(Call<HostStringToDouble>(PString(text).get()), value) << text;
  }
  const std::tuple<double, std::int16_t, bool, std::string> cases[] = {
      {3.14159, 2, true, "3.14"}, {2.5, 3, true, "2.500"}, {2.5, 3, false, "2.5"}, {-0.6, 0, true, "-1"},
      {std::nan(""), 2, true, "NaN"}};
  for (const auto& [value, decimals, zeros, text] : cases) {
    EXPECT_EQ(TextWritten([&](Str255* out) { Call<HostDoubleToString>(out, value, decimals, zeros); }), text);
  }
  const std::string huge =
      TextWritten([](Str255* out) { Call<HostDoubleToString>(out, 1e300, std::int16_t{15}, true); });
  EXPECT_EQ(huge.size(), 255u) << "a huge number is cut to a Str255, not overflowed";
}

TEST(NiceRounding, PicksTheNearestOfOneTwoFiveOnALogScale) {
  const double inf = std::numeric_limits<double>::infinity();
  const std::pair<double, double> cases[] = {
      {1.41, 1.0}, {1.42, 2.0}, {3.16, 2.0}, {3.17, 5.0}, {7.07, 5.0}, {7.08, 10.0},  // the √ boundaries
      {0.3, 0.2},       // exactly 0.2, not 0.2 plus rounding noise
      {-250.0, -200.0}, {0.0, 0.0}, {inf, inf},
  };
  for (const auto& [value, nice] : cases) {
    EXPECT_EQ(Call<HostService84>(value, std::int16_t{2048}), nice) << value;
  }
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
  return TextWritten(
      [&](Str255* out) { Call<HostFormatNumber340>(value, scaling, inUnits, withUnit, fixed, out); });
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

// The text a service leaves in a Str255 it changes in place.
template <class Change>
std::string Changed(std::string_view text, Change change) {
  PString s(text);
  change(s.bytes.data());
  return TextOf(s.get());
}

TEST(StringServices, AppendFoldCaseMakeTitlesAndClipboardLinesInPlace) {
  const auto append = [](std::string_view tail) {
    return [tail](unsigned char* t) { Call<HostAppendString>(t, PString(tail).get()); };
  };
  EXPECT_EQ(Changed("Flow: ", append("L/s")), "Flow: L/s");
  EXPECT_EQ(Changed(std::string(250, 'x'), append("0123456789")), std::string(250, 'x') + "01234")
      << "cut at 255";

  const auto fold = [](std::int16_t mode) { return [mode](unsigned char* t) { Call<HostService94>(t, mode); }; };
  EXPECT_EQ(Changed("L/s", fold(0)), "l/s") << "lower case makes unit texts comparable";
  EXPECT_EQ(Changed("\x80\x83\xAE", fold(0)), "\x8A\x8E\xBE") << "MacRoman Ä É Æ to ä é æ";
  EXPECT_EQ(Changed("\xB5V", fold(0)), "\xB5v") << "µ has no case";
  EXPECT_EQ(Changed("l/min", fold(1)), "L/MIN");
  EXPECT_EQ(Changed("Mixed", fold(7)), "Mixed") << "an unknown mode leaves the text";

  const auto title = [](std::string_view name) {
    return [name](unsigned char* t) { Call<HostService96>(t, std::int16_t{2}, PString(name).get()); };
  };
  EXPECT_EQ(Changed("Spirometry: ^2", title("Report")), "Spirometry: Report");
  EXPECT_EQ(Changed("^2 (^2)", title("Report")), "Report (Report)");
  EXPECT_EQ(Changed("Spirometry ^1", title("Report")), "Spirometry ^1 Report") << "another placeholder stays";
  EXPECT_EQ(Changed("Spirometry ", title("Report")), "Spirometry Report");
  EXPECT_EQ(Changed("^2^2", title("^2")), "^2^2") << "a title holding the placeholder is not expanded again";
  const std::string longTitle(250, 't');
  EXPECT_EQ(Changed("Print ^2", title(longTitle)), "Print " + longTitle.substr(0, 249)) << "cut at 255";

  const auto paste = [](unsigned char* t) { Call<HostService389>(t); };
  EXPECT_EQ(Changed("Flow\t1.25 L/s\r\n  ", paste), "Flow\t1.25 L/s") << "one row of tab-separated cells";
  EXPECT_EQ(Changed("   ", paste), "");
}

// A 'STR#' list in a handle, cut to its first `cutTo` bytes.
Handle StringList(const std::vector<std::string>& strings, std::size_t cutTo = SIZE_MAX) {
  std::vector<unsigned char> bytes = resource_test::StringListData(strings);
  bytes.resize(std::min(cutTo, bytes.size()));
  return resource_test::HandleWith({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

std::string ListString(Handle list, std::int16_t index) {
  return TextWritten([&](Str255* out) { Call<HostGetListString>(list, index, out); });
}

TEST(ListStrings, AnswerByIndexAndEmptyOutsideADamagedOrDeadList) {
  Handle list = StringList({"Flow", "", "Volume"});
  const std::pair<std::int16_t, const char*> answers[] = {{1, "Flow"}, {2, ""}, {3, "Volume"},
                                                          {0, ""},    {-1, ""}, {4, ""}};
  for (const auto& [index, text] : answers) EXPECT_EQ(ListString(list, index), text) << index;
  DisposeHandle(list);

  Handle cut = StringList({"Flow", "Volume"}, 9);  // the second string's length byte claims 6, 1 is there
  EXPECT_EQ(ListString(cut, 2), "");
  DisposeHandle(cut);
  Handle lying = StringList({"Flow"});
  (*lying)[1] = 9;  // the count claims nine strings
  EXPECT_EQ(ListString(lying, 5), "");
  DisposeHandle(lying);
  EXPECT_EQ(ListString(lying, 1), "") << "a disposed handle is not read";
  EXPECT_EQ(ListString(nullptr, 1), "");
}

void Put(ScrapFlavorType type, const void* data, Size size) {
  ScrapRef scrap = nullptr;
  ASSERT_EQ(GetCurrentScrap(&scrap), noErr);
  ASSERT_EQ(PutScrapFlavor(scrap, type, kScrapFlavorMaskNone, size, data), noErr);
}

// The scrap's flavours are the system's: emptied after each test.
struct Clipboard : ::testing::Test {
  void SetUp() override { ClearCurrentScrap(); }
  void TearDown() override { ClearCurrentScrap(); }
};

TEST_F(Clipboard, TextBecomesUtf8LinesAndEmptyRowsStay) {
  const char rows[] = "Flow\t1.2 L/s\r\r\x46\x9Fr\r";  // MacRoman ü
  Put(kScrapFlavorTypeText, rows, static_cast<Size>(std::strlen(rows)));
  EXPECT_EQ(host::ClipboardText(), "Flow\t1.2 L/s\n\nFür\n");
  const std::string path = ::testing::TempDir() + "report.txt";
  std::string error;
  ASSERT_TRUE(host::WriteClipboardText(path, &error)) << error;
  std::vector<unsigned char> bytes;
  ASSERT_EQ(toolbox::ReadFileBytes(path, bytes), noErr);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "Flow\t1.2 L/s\n\nFür\n");
  EXPECT_FALSE(host::WriteClipboardPictureAsPng(::testing::TempDir() + "none.png", &error));
  EXPECT_EQ(error, "the clipboard holds no picture");
  ClearCurrentScrap();
  EXPECT_FALSE(host::ClipboardText());
  EXPECT_FALSE(host::WriteClipboardText(::testing::TempDir() + "none.txt", &error));
}

}  // namespace
