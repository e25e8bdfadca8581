// Text on the raster: it is drawn where and as wide as QuickDraw measured it.
#include <gtest/gtest.h>

#include <algorithm>

#include "quickdraw_test_support.h"
#include "toolbox/quickdraw.h"
#include "toolbox/render.h"

namespace {

using qd_test::kWhitePixel;
using qd_test::PStr;
using qd_test::ScopedPort;

toolbox::RasterImage Render(ScopedPort& scoped) {
  return toolbox::RenderToImage(scoped.port().displayList, scoped.port().portRect);
}

struct Ink {
  int left = 1 << 20, right = -1, top = 1 << 20, bottom = -1;
};

Ink InkOf(const toolbox::RasterImage& image, std::uint32_t paper = kWhitePixel) {
  Ink ink;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if (image.At(x, y) == paper) continue;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
    }
  }
  return ink;
}

TEST(RenderText, TextIsDrawnOnItsBaselineWithinItsMeasuredWidth) {
  ScopedPort scoped;
  TextFont(applFont);
  TextSize(12);
  MoveTo(20, 50);
  DrawString(PStr("Ventilation").data());
  const SInt16 width = StringWidth(PStr("Ventilation").data());
  const Ink ink = InkOf(Render(scoped));
  EXPECT_GE(ink.left, 20);
  EXPECT_LE(ink.left, 22);
  EXPECT_LT(ink.right, 20 + width);
  EXPECT_GE(ink.right, 20 + width - 4);
  EXPECT_LT(ink.bottom, 50 + 3);  // no descenders in the word
  EXPECT_GE(ink.top, 50 - 12);
}

TEST(RenderText, MeasuredWidthsAreTheWidthsTheRendererDraws) {
  // Drawn in two calls, each starting where QuickDraw measured the first to
  // end, the text must come out pixel for pixel as drawn in one call.
  for (SInt16 font : {applFont, systemFont, kFontIDTimes, kFontIDCourier}) {
    for (SInt16 size : {9, 12, 17}) {
      ScopedPort whole;
      TextFont(font);
      TextSize(size);
      MoveTo(3, 40);
      DrawString(PStr("Flow-Volume Plot: FEV1/FVC 81%").data());
      ScopedPort pieces;
      TextFont(font);
      TextSize(size);
      MoveTo(3, 40);
      DrawString(PStr("Flow-Volume Plo").data());
      DrawString(PStr("t: FEV1/FV").data());
      for (char c : std::string_view("C 81%")) DrawChar(c);
      EXPECT_EQ(Render(whole), Render(pieces)) << "font " << font << " size " << size;
    }
  }
}

TEST(RenderText, CopyModePaintsTheBackgroundAndGrayishTextIsDimmed) {
  ScopedPort scoped;
  TextFont(applFont);
  BackColor(yellowColor);
  TextMode(srcCopy);
  MoveTo(10, 30);
  DrawString(PStr("i i").data());
  const SInt16 spaceAt = static_cast<SInt16>(10 + CharWidth('i') + 1);
  TextMode(grayishTextOr);
  MoveTo(10, 70);
  DrawString(PStr("MMMM").data());
  const auto image = Render(scoped);
  EXPECT_EQ(image.At(spaceAt, 28), 0xFFFFFF00u);  // inside the text's box, between glyphs
  std::uint32_t darkest = 0xFF;
  for (int y = 55; y < 72; ++y) {
    for (int x = 10; x < 60; ++x) darkest = std::min(darkest, (image.At(x, y) >> 16) & 0xFF);
  }
  EXPECT_GE(darkest, 0x70u);  // red channel halfway between black and the yellow background
  EXPECT_LE(darkest, 0x90u);
}

TEST(RenderText, UnderlineRunsTheWholeWidthBelowTheBaseline) {
  ScopedPort scoped;
  TextFace(underline);
  TextFont(applFont);
  MoveTo(10, 30);
  DrawString(PStr("a b").data());
  const SInt16 width = StringWidth(PStr("a b").data());
  const auto image = Render(scoped);
  for (int x = 10; x < 10 + width; ++x) EXPECT_NE(image.At(x, 31), kWhitePixel) << x;
  EXPECT_EQ(image.At(10 + width, 31), kWhitePixel);
}

// Axis labels are 9 pixels high: their strokes must reach full ink, not the
// pale grey that smoothing leaves of one-pixel stems.
TEST(RenderText, SmallTextIsDrawnInFullInk) {
  for (SInt16 size : {9, 10}) {
    ScopedPort scoped;
    TextFont(kFontIDHelvetica);
    TextSize(size);
    MoveTo(10, 30);
    DrawString(PStr("Flow 0.5 L/s").data());
    const auto image = Render(scoped);
    const auto ink = std::count_if(image.pixels.begin(), image.pixels.end(), [](auto p) { return p != kWhitePixel; });
    const auto black = std::count(image.pixels.begin(), image.pixels.end(), qd_test::kBlackPixel);
    EXPECT_GT(ink, 50) << size;
    EXPECT_EQ(black, ink) << "size " << size << ": every inked pixel black";
  }
}

}  // namespace
