#include "extension/resource_text_helpers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "support/extension_resources.h"
#include "support/service_spy.h"
#include "toolbox/resource_test_support.h"
#include "util/pstring.h"

using namespace spiro;

namespace {

namespace service = vantor::service;

constexpr auto Text = resource_test::TextOf;

constexpr auto SetPString = toolbox::StorePascal;

using ResourceTextTest = ExtensionResourcesTest;

TEST_F(ResourceTextTest, AppendedItemTextIsTakenVerbatimOptionallyAfterANulCharacter) {
  MenuRef menu = NewMenu(300, PStringLiteral("Channels").data());
  const auto text = PStringLiteral("(Flow;1/2 <B");
  AppendMenuItemText(menu, text.data(), false);
  AppendMenuItemText(menu, text.data(), true);
  ASSERT_EQ(CountMenuItems(menu), 2);
  Str255 item;
  GetMenuItemText(menu, 1, item);
  EXPECT_EQ(Text(item), "(Flow;1/2 <B");
  EXPECT_TRUE(IsMenuItemEnabled(menu, 1));
  GetMenuItemText(menu, 2, item);
  EXPECT_EQ(Text(item), std::string(1, '\0') + "(Flow;1/2 <B");

  // A full-length text loses its last character to the prefix.
  Str255 longest;
  longest[0] = 255;
  std::memset(longest + 1, 'a', 255);
  AppendMenuItemText(menu, longest, true);
  GetMenuItemText(menu, 3, item);
  EXPECT_EQ(item[0], 255);
  EXPECT_EQ(item[1], 0);
  EXPECT_EQ(item[255], 'a');

  AppendMenuItemText(nullptr, text.data(), true);
  DisposeMenu(menu);
}

TEST_F(ResourceTextTest, UnitTextComesFromTheHostGivenACopyOfTheScaling) {
  Str255 out;
  vantor::ChannelScaling scaling{};
  SetPString(scaling.unitText, "L/s");
  const vantor::ChannelScaling* seen = nullptr;
  Spy<service::HostService343> unitText{
      [&seen](Str255* text, const vantor::ChannelScaling* s) {
        seen = s;
        std::memcpy(*text, s->unitText, sizeof s->unitText);
      }};
  FormatText(scaling, out);
  EXPECT_EQ(Text(out), "L/s");
  // The host is handed a copy, never the caller's record.
  EXPECT_NE(seen, &scaling);
}

TEST_F(ResourceTextTest, SpirometerChannelIsOneWhoseInputIsNamedSpirometer) {
  std::int32_t kind = 12;
  std::string inputName = "Spirometer";
  Spy<service::HostService439> inputKind{[&kind](std::int16_t) { return kind; }};
  Spy<service::HostService437> inputNameOf{
      [&inputName](std::int32_t, std::int32_t*, std::int32_t*, Str255* name) {
        SetPString(*name, inputName);
      }};

  EXPECT_TRUE(IsSpirometerChannel(3));
  EXPECT_EQ(std::get<0>(inputKind.last()), 2);  // 0-based channel
  EXPECT_EQ(std::get<0>(inputNameOf.last()), 12);
  for (const char* other : {"spirometer", "Spirometer 2", "Pneumotach", ""}) {
    inputName = other;
    EXPECT_FALSE(IsSpirometerChannel(1)) << other;
  }
  kind = 4113;  // no input at all
  inputName = "Spirometer";
  const auto namesAsked = inputNameOf.count();
  EXPECT_FALSE(IsSpirometerChannel(1));
  EXPECT_EQ(inputNameOf.count(), namesAsked);
}

}  // namespace
