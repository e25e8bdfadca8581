// The template parsers on data whose lengths and counts lie: every proper
// prefix of a valid template is refused, and no parser reads outside its input
// (each prefix is its own heap block, so AddressSanitizer sees any overread).
// Well-formed templates are read field by field through the window, dialog,
// menu and control tests.
#include "toolbox/resource_templates.h"

#include <gtest/gtest.h>

#include <functional>

#include "toolbox/resource_test_support.h"

namespace {

using Bytes = std::vector<unsigned char>;
using resource_test::Hex;

struct Template {
  const char* what;
  std::string hex;
  std::function<bool(const Bytes&)> parses;
};

template <class Parser>
std::function<bool(const Bytes&)> Parses(Parser parser) {
  return [parser](const Bytes& data) { return parser(data).has_value(); };
}

const std::string kWindow = "00 28 00 0A 00 F0 01 9A 00 08 01 00 01 00 00 00 01 02 04 44 61 74 61";
const std::string kItem = "00 00 00 00 00 00 00 00 00 0A 00 0A ";
const std::string kItems =
    "00 03 00 00 00 00 00 01 00 02 00 03 00 04 04 02 4F 4B 00 00 00 00 00 05 00 06 00 07 00 08 88 03 61 62 63 00"
    " 00 00 00 00 00 00 00 00 00 20 00 20 20 02 00 80 00 00 00 00 00 09 00 09 00 09 00 09 00 00";
const std::string kMenu =
    "00 05 00 00 00 00 00 00 00 00 FF FF FF F3 01 4D 01 41 00 53 12 03 01 2D 00 00 00 00 01 42 03 1B 09 00 00";

const Template kValid[] = {
    {"WIND", kWindow, Parses(toolbox::ParseWindowTemplate)},
    {"DLOG", "00 00 00 00 00 64 00 C8 00 05 00 00 00 00 00 00 00 00 20 6D 02 41 62",
     Parses(toolbox::ParseDialogTemplate)},
    {"DITL", kItems, Parses(toolbox::ParseDialogItemList)},
    {"MENU", kMenu, Parses(toolbox::ParseMenuTemplate)},
    {"CNTL", "00 0A 00 0A 00 1E 00 C8 00 00 01 00 00 28 00 81 01 90 00 00 00 00 04 53 65 78 20",
     Parses(toolbox::ParseControlTemplate)},
};

TEST(ResourceTemplates, EveryProperPrefixOfAValidTemplateIsRefused) {
  for (const Template& t : kValid) {
    SCOPED_TRACE(t.what);
    const Bytes data = Hex(t.hex);
    EXPECT_TRUE(t.parses(data));
    for (std::size_t n = 0; n < data.size(); ++n) {
      EXPECT_FALSE(t.parses(Bytes(data.begin(), data.begin() + static_cast<long>(n)))) << "prefix of " << n;
    }
  }
}

const Template kLying[] = {
    {"window title past the data", kWindow.substr(0, 54) + "C8 44 61 74 61", Parses(toolbox::ParseWindowTemplate)},
    {"more items than data", "00 04" + kItems.substr(5), Parses(toolbox::ParseDialogItemList)},
    {"65536 items", "FF FF" + kItems.substr(5), Parses(toolbox::ParseDialogItemList)},
    {"item data past the data", kItems.substr(0, 45) + "F0" + kItems.substr(47), Parses(toolbox::ParseDialogItemList)},
    {"item of unknown kind", "00 00 " + kItem + "03 00", Parses(toolbox::ParseDialogItemList)},
    {"icon without its id", "00 00 " + kItem + "20 01 01 00", Parses(toolbox::ParseDialogItemList)},
    {"picture without its id", "00 00 " + kItem + "40 00", Parses(toolbox::ParseDialogItemList)},
    {"control without its id", "00 00 " + kItem + "07 01 01 00", Parses(toolbox::ParseDialogItemList)},
    {"menu title past the data", kMenu.substr(0, 42) + "FA" + kMenu.substr(44), Parses(toolbox::ParseMenuTemplate)},
    {"menu item past the data", kMenu.substr(0, 48) + "64" + kMenu.substr(50), Parses(toolbox::ParseMenuTemplate)},
};

TEST(ResourceTemplates, LyingLengthsCountsAndKindsAreRefused) {
  for (const Template& t : kLying) EXPECT_FALSE(t.parses(Hex(t.hex))) << t.what;
}

}  // namespace
