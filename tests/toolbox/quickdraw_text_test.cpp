// Text measurement: font numbers, faces and sizes.
#include <gtest/gtest.h>

#include <string>

#include "quickdraw_test_support.h"
#include "toolbox/fonts.h"
#include "toolbox/quickdraw.h"

namespace {

using qd_test::PStr;
using qd_test::ScopedPort;

// The system font is the application font in bold; Helvetica is the application font.
TEST(QuickDrawText, FontNumbersPickFamiliesAndFacesPickFiles) {
  EXPECT_EQ(toolbox::FontFilePath(systemFont, normal), toolbox::FontFilePath(applFont, bold));
  EXPECT_EQ(toolbox::FontFilePath(kFontIDHelvetica, normal), toolbox::FontFilePath(applFont, normal));
  EXPECT_NE(toolbox::FontFilePath(kFontIDTimes, normal), toolbox::FontFilePath(applFont, normal));
  ScopedPort scoped;
  TextSize(12);
  TextFont(kFontIDCourier);
  EXPECT_EQ(CharWidth('i'), CharWidth('m'));  // monospaced
  TextFont(applFont);
  EXPECT_LT(CharWidth('i'), CharWidth('m'));
  const SInt16 plain = StringWidth(PStr("mmmm").data());
  TextFace(bold);
  EXPECT_GT(StringWidth(PStr("mmmm").data()), plain);
  TextFace(extend);
  EXPECT_EQ(StringWidth(PStr("mmmm").data()), plain + 4);
  TextFace(condense);
  EXPECT_EQ(StringWidth(PStr("mmmm").data()), plain - 4);
  TextFace(underline);
  EXPECT_EQ(StringWidth(PStr("mmmm").data()), plain);
}

TEST(QuickDrawText, SizeZeroIsTwelveAndMetricsScaleWithSize) {
  ScopedPort scoped;
  TextFont(applFont);
  TextSize(0);
  const SInt16 atDefault = StringWidth(PStr("Report").data());
  FontInfo small{};
  GetFontInfo(&small);
  TextSize(12);
  EXPECT_EQ(StringWidth(PStr("Report").data()), atDefault);
  TextSize(24);
  EXPECT_GT(StringWidth(PStr("Report").data()), atDefault * 3 / 2);
  FontInfo large{};
  GetFontInfo(&large);
  EXPECT_GE(small.ascent, 8);
  EXPECT_LE(small.ascent + small.descent, 16);
  EXPECT_GT(large.ascent, small.ascent);
  EXPECT_GE(large.widMax, CharWidth('W'));

  // Many sizes overflow the font cache; widths measured before must not change.
  for (SInt16 size = 1; size < 300; ++size) {
    TextSize(size);
    EXPECT_GE(StringWidth(PStr("Report").data()), 0);
  }
  TextSize(12);
  EXPECT_EQ(StringWidth(PStr("Report").data()), atDefault);
  TextSize(30000);
  const SInt16 huge = StringWidth(PStr("Re").data());
  TextSize(toolbox::kMaxTextSize);
  EXPECT_EQ(StringWidth(PStr("Re").data()), huge);
}

}  // namespace
