// MacRoman conversions, checked against glibc's independent table and the
// characters the resource sources and the platform's texts depend on; and
// length-prefixed strings: stores are cut to their field, reads never go
// past it, and text MacRoman lacks keeps what it can.
#include <gtest/gtest.h>
#include <iconv.h>

#include <string>
#include <tuple>
#include <vector>

#include "toolbox/macroman.h"
#include "toolbox/pascal_string.h"

namespace {

using toolbox::MacRomanToUnicode;
using toolbox::MacRomanToUtf8;
using toolbox::MacRomanUpperCase;
using toolbox::Utf8ToMacRoman;

std::string AllBytes() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<char>(b));
  return bytes;
}

// glibc's "MACINTOSH" table, one byte at a time, as a UTF-32 code point.
char32_t GlibcMacRoman(unsigned char byte) {
  iconv_t cd = iconv_open("UTF-32BE", "MACINTOSH");
  if (cd == reinterpret_cast<iconv_t>(-1)) return 0;
  char in = static_cast<char>(byte);
  unsigned char out[4] = {};
  char* inPtr = &in;
  char* outPtr = reinterpret_cast<char*>(out);
  std::size_t inLeft = 1;
  std::size_t outLeft = sizeof out;
  iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  return static_cast<char32_t>(out[0] << 24 | out[1] << 16 | out[2] << 8 | out[3]);
}

TEST(MacRoman, TheTableAgreesWithGlibcWhereBothFollowTheSameMapping) {
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    // glibc maps 0xC6 to Greek delta and the Apple logo to a private-use
    // character of its own; the Mac OS Roman mapping has U+2206 and U+F8FF.
    if (byte == 0xC6 || byte == 0xF0) continue;
    EXPECT_EQ(MacRomanToUnicode(byte), GlibcMacRoman(byte)) << "byte " << b;
  }
  EXPECT_EQ(MacRomanToUnicode(0xC6), U'\u2206');
  EXPECT_EQ(MacRomanToUnicode(0xF0), U'\uF8FF');
}

TEST(MacRoman, EveryByteSurvivesARoundTripThroughUtf8AndLookAlikesMapToTheGlyphMacRomanHas) {
  const std::string bytes = AllBytes();
  EXPECT_EQ(Utf8ToMacRoman(MacRomanToUtf8(bytes)), bytes);
  EXPECT_EQ(Utf8ToMacRoman("Volume (µL) … 5 €"), "Volume (\xB5L) \xC9 5 \xDB");
  // Greek mu as micro sign, ohm sign as omega, Greek delta as increment.
  EXPECT_EQ(Utf8ToMacRoman("\u03BC \u2126 \u0394"), "\xB5 \xBD \xC6");
}

// Combining accents are not composed; each problem names its code point and offset.
TEST(MacRoman, UnmappableOrMalformedTextIsRefusedAndUpperCaseKeepsAccents) {
  const std::pair<const char*, const char*> refused[] = {
      {"ok \u2192", "U+2192 at byte 3 has no MacRoman equivalent"},
      {"e\u0301", "U+0301 at byte 1 has no MacRoman equivalent"},
      {"\U0001F600", "U+1F600 at byte 0 has no MacRoman equivalent"},
      {"\x80", "malformed UTF-8 at byte 0"},          // continuation without a lead byte
      {"\xC0\xAF", "malformed UTF-8 at byte 0"},      // overlong '/'
      {"\xE2\x82", "malformed UTF-8 at byte 0"},      // truncated euro sign
      {"\xED\xA0\x80", "malformed UTF-8 at byte 0"},  // surrogate
      {"\xF4\x90\x80\x80", "malformed UTF-8 at byte 0"},  // past U+10FFFF
      {"\xFF", "malformed UTF-8 at byte 0"},
  };
  for (const auto& [text, expected] : refused) {
    std::string problem;
    EXPECT_FALSE(Utf8ToMacRoman(text, &problem).has_value()) << expected;
    EXPECT_EQ(problem.rfind(expected, 0), 0u) << problem;
  }

  // Upper case folds accented letters but keeps their accents.
  // é É, à À, œ Œ, ÿ Ÿ, ø Ø; ß has no single capital and ÷ is no letter.
  const std::pair<unsigned char, unsigned char> cases[] = {{'a', 'A'},   {'Z', 'Z'},   {'1', '1'},   {0x8E, 0x83},
                                                           {0x88, 0xCB}, {0xCF, 0xCE}, {0xD8, 0xD9}, {0xBF, 0xAF},
                                                           {0xA7, 0xA7}, {0xD6, 0xD6}};
  for (const auto& [lower, upper] : cases) EXPECT_EQ(MacRomanUpperCase(lower), upper) << int{lower};
}

// Stores are cut to the field (whole characters), text MacRoman lacks keeps what it can.
TEST(PascalString, StoresAppendsAndDamagedLengthsStayWithinTheField) {
  const std::tuple<std::string, std::size_t, std::string> cases[] = {
      {"L/s", 8, "L/s"}, {"litres", 4, "lit"}, {"mV", 0, ""}, {"\xC2\xB5V", 8, "\xB5V"},
      {"a\xE2\x86\x92" "b", 8, "a?b"}, {std::string(300, 'x'), 400, std::string(255, 'x')}};
  for (const auto& [utf8, capacity, stored] : cases) {
    SCOPED_TRACE(utf8.substr(0, 8));
    std::vector<unsigned char> field(capacity + 1, 0xEE);
    toolbox::StorePascalText(field.data(), capacity, utf8);
    EXPECT_EQ(toolbox::PascalView(field.data(), capacity), stored);
    EXPECT_EQ(field[capacity], 0xEE) << "wrote past the field";
    if (capacity > 0) {
      EXPECT_EQ(field[0], stored.size());
    }
  }

  // A damaged length is read within the field; appends and overlapping stores stop at 255.
  const unsigned char field[4] = {200, 'a', 'b', 'c'};
  EXPECT_EQ(toolbox::PascalView(field, sizeof field), "abc");
  EXPECT_EQ(toolbox::PascalView(nullptr), "");
  EXPECT_EQ(toolbox::PascalTextToUtf8(field, sizeof field), "abc");
  unsigned char text[toolbox::kStr255Bytes]{};
  toolbox::StorePascal(text, std::string(250, 'a'));
  toolbox::AppendPascal(text, "bcdefgh");
  EXPECT_EQ(toolbox::PascalView(text), std::string(250, 'a') + "bcdef");
  toolbox::StorePascal(text, toolbox::PascalView(text).substr(248, 4));
  EXPECT_EQ(toolbox::PascalView(text), "aabc");
}

}  // namespace
