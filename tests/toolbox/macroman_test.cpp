// MacRoman conversions, checked against glibc's independent table and the
// characters the resource sources and the platform's texts depend on.
#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "toolbox/macroman.h"

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

TEST(MacRoman, CharactersOfThePlatformsTextsMapAsDocumented) {
  EXPECT_EQ(MacRomanToUnicode(0xCA), U'\u00A0');
  EXPECT_EQ(MacRomanToUnicode(0xC9), U'\u2026');
  EXPECT_EQ(MacRomanToUnicode(0xD6), U'\u00F7');
  EXPECT_EQ(MacRomanToUnicode(0xB5), U'\u00B5');
  EXPECT_EQ(MacRomanToUnicode(0xDB), U'\u20AC');
  EXPECT_EQ(MacRomanToUnicode(0xBD), U'\u03A9');
  EXPECT_EQ(Utf8ToMacRoman("Volume (µL) … 5 €"), "Volume (\xB5L) \xC9 5 \xDB");
}

TEST(MacRoman, EveryByteSurvivesARoundTripThroughUtf8) {
  const std::string bytes = AllBytes();
  const auto back = Utf8ToMacRoman(MacRomanToUtf8(bytes));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, bytes);
}

TEST(MacRoman, LookAlikeCharactersMapToTheGlyphMacRomanHas) {
  EXPECT_EQ(Utf8ToMacRoman("\u03BC"), "\xB5");  // Greek mu as micro sign
  EXPECT_EQ(Utf8ToMacRoman("\u2126"), "\xBD");  // ohm sign as omega
  EXPECT_EQ(Utf8ToMacRoman("\u0394"), "\xC6");  // Greek delta as increment
}

TEST(MacRoman, UnmappableCharactersAreRefusedWithTheirCodePointAndOffset) {
  std::string problem;
  EXPECT_FALSE(Utf8ToMacRoman("ok \u2192", &problem).has_value());
  EXPECT_EQ(problem, "U+2192 at byte 3 has no MacRoman equivalent");
  EXPECT_FALSE(Utf8ToMacRoman("e\u0301", &problem).has_value()) << "combining accents are not composed";
  EXPECT_EQ(problem, "U+0301 at byte 1 has no MacRoman equivalent");
  EXPECT_FALSE(Utf8ToMacRoman("\U0001F600", &problem).has_value());
  EXPECT_EQ(problem, "U+1F600 at byte 0 has no MacRoman equivalent");
}

TEST(MacRoman, MalformedUtf8IsRefused) {
  const char* malformed[] = {
      "\x80",              // continuation without a lead byte
      "\xC0\xAF",          // overlong '/'
      "\xE2\x82",          // truncated euro sign
      "\xED\xA0\x80",      // surrogate
      "\xF4\x90\x80\x80",  // past U+10FFFF
      "\xFF",
  };
  for (const char* text : malformed) {
    std::string problem;
    EXPECT_FALSE(Utf8ToMacRoman(text, &problem).has_value()) << text;
    EXPECT_EQ(problem.rfind("malformed UTF-8 at byte 0", 0), 0u) << problem;
  }
}

TEST(MacRoman, UpperCaseFoldsAccentedLettersButKeepsTheirAccents) {
  EXPECT_EQ(MacRomanUpperCase('a'), 'A');
  EXPECT_EQ(MacRomanUpperCase('Z'), 'Z');
  EXPECT_EQ(MacRomanUpperCase('1'), '1');
  EXPECT_EQ(MacRomanUpperCase(0x8E), 0x83);  // é -> É
  EXPECT_EQ(MacRomanUpperCase(0x88), 0xCB);  // à -> À
  EXPECT_EQ(MacRomanUpperCase(0xCF), 0xCE);  // œ -> Œ
  EXPECT_EQ(MacRomanUpperCase(0xD8), 0xD9);  // ÿ -> Ÿ
  EXPECT_EQ(MacRomanUpperCase(0xBF), 0xAF);  // ø -> Ø
  EXPECT_EQ(MacRomanUpperCase(0xA7), 0xA7);  // ß has no single capital
  EXPECT_EQ(MacRomanUpperCase(0xD6), 0xD6);  // ÷ is no letter
  EXPECT_NE(MacRomanUpperCase('e'), MacRomanUpperCase(0x8E));
}

}  // namespace
