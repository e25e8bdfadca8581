// Length-prefixed strings: stores are cut to their field, reads never go past
// it, and text MacRoman lacks keeps what it can.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolbox/pascal_string.h"

namespace {

struct StoreCase {
  std::string utf8;
  std::size_t capacity;
  std::string stored;  // MacRoman bytes after the length byte
};

class StorePascalText : public ::testing::TestWithParam<StoreCase> {};

TEST_P(StorePascalText, CutsToTheFieldAndReadsBackWithinIt) {
  const StoreCase& c = GetParam();
  std::vector<unsigned char> field(c.capacity + 1, 0xEE);
  toolbox::StorePascalText(field.data(), c.capacity, c.utf8);
  EXPECT_EQ(toolbox::PascalView(field.data(), c.capacity), c.stored);
  EXPECT_EQ(field[c.capacity], 0xEE) << "wrote past the field";
  if (c.capacity > 0) {
    EXPECT_EQ(field[0], c.stored.size());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, StorePascalText,
    ::testing::Values(StoreCase{"L/s", 8, "L/s"}, StoreCase{"litres", 4, "lit"},
                      StoreCase{"mV", 0, ""}, StoreCase{"\xC2\xB5V", 8, "\xB5V"},
                      StoreCase{"a\xE2\x86\x92" "b", 8, "a?b"},
                      StoreCase{std::string(300, 'x'), 400, std::string(255, 'x')}));

TEST(PascalString, DamagedLengthIsReadWithinTheFieldAndNullIsEmpty) {
  const unsigned char field[4] = {200, 'a', 'b', 'c'};
  EXPECT_EQ(toolbox::PascalView(field, sizeof field), "abc");
  EXPECT_EQ(toolbox::PascalView(nullptr), "");
  EXPECT_EQ(toolbox::PascalTextToUtf8(field, sizeof field), "abc");
}

TEST(PascalString, AppendingAndOverlappingStoresStopAt255) {
  unsigned char text[toolbox::kStr255Bytes]{};
  toolbox::StorePascal(text, std::string(250, 'a'));
  toolbox::AppendPascal(text, "bcdefgh");
  EXPECT_EQ(toolbox::PascalView(text), std::string(250, 'a') + "bcdef");
  toolbox::StorePascal(text, toolbox::PascalView(text).substr(248, 4));
  EXPECT_EQ(toolbox::PascalView(text), "aabc");
}

}  // namespace
