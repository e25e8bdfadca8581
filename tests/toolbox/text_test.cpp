// Text: measured by font number, face and size, drawn on the raster where and
// as wide as it was measured, and set in boxes by TETextBox (wrapping at
// spaces and returns, clipped to the box, the caller's clip restored).
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>

#include "quickdraw_test_support.h"
#include "toolbox/fonts.h"
#include "toolbox/quickdraw.h"
#include "toolbox/render.h"
#include "toolbox/textedit.h"

namespace {

using qd_test::kWhitePixel;
using qd_test::PStr;
using qd_test::ScopedPort;

// The system font is the application font in bold; Helvetica is the application font.
TEST(QuickDrawText, FontNumbersPickFamiliesFacesPickFilesAndSizesScale) {
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

  // Size zero is twelve and metrics scale with the size.
  TextFace(normal);
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
  EXPECT_LE(small.ascent + small.descent, 16);
  EXPECT_GT(large.ascent, small.ascent);

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
  const Ink ink = InkOf(scoped.Image());
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
      EXPECT_EQ(whole.Image(), pieces.Image()) << "font " << font << " size " << size;
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
  const auto image = scoped.Image();
  EXPECT_EQ(image.At(spaceAt, 28), 0xFFFFFF00u);  // inside the text's box, between glyphs
  std::uint32_t darkest = 0xFF;
  for (int y = 55; y < 72; ++y) {
    for (int x = 10; x < 60; ++x) darkest = std::min(darkest, (image.At(x, y) >> 16) & 0xFF);
  }
  EXPECT_GE(darkest, 0x70u);  // red channel halfway between black and the yellow background
  EXPECT_LE(darkest, 0x90u);
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
    const auto image = scoped.Image();
    const auto ink = std::count_if(image.pixels.begin(), image.pixels.end(), [](auto p) { return p != kWhitePixel; });
    const auto black = std::count(image.pixels.begin(), image.pixels.end(), qd_test::kBlackPixel);
    EXPECT_GT(ink, 50) << size;
    EXPECT_EQ(black, ink) << "size " << size << ": every inked pixel black";
  }
}

// The texts a port recorded, in order.
std::vector<toolbox::DrawOp> Texts(const ScopedPort& scoped) {
  std::vector<toolbox::DrawOp> texts;
  std::copy_if(scoped.ops().begin(), scoped.ops().end(), std::back_inserter(texts),
               [](const toolbox::DrawOp& op) { return op.kind == toolbox::DrawKind::kText; });
  return texts;
}

SInt16 Width(std::string_view s) { return TextWidth(s.data(), 0, static_cast<SInt16>(s.size())); }

TEST(TextBox, LinesBreakAtSpacesThatFitAndAtReturnsAndStayInTheBox) {
  ScopedPort scoped(Rect{0, 0, 400, 400});
  TextFont(applFont);
  const std::string_view text = "Spirometer flow head calibration\rdone";
  const SInt16 width = static_cast<SInt16>(Width("Spirometer flow") + 2);
  const Rect box{10, 20, 200, static_cast<SInt16>(20 + width)};
  TETextBox(text.data(), static_cast<SInt32>(text.size()), &box, teFlushLeft);
  const auto lines = Texts(scoped);
  std::vector<std::string> texts;
  for (const auto& line : lines) texts.push_back(line.text);
  ASSERT_EQ(texts, (std::vector<std::string>{"Spirometer flow", "head", "calibration", "done"}));
  FontInfo info{};
  GetFontInfo(&info);
  EXPECT_EQ(lines[0].from, (Point{static_cast<SInt16>(10 + info.ascent), 20}));
  EXPECT_EQ(lines[1].from.v - lines[0].from.v, info.ascent + info.descent + info.leading);
  EXPECT_EQ(lines[0].state.clip, box);
  EXPECT_EQ(scoped.port().clipRect, (Rect{-32768, -32768, 32767, 32767})) << "the caller's clip returns";

  // A word wider than the box is cut, and lines below the box are not drawn.
  const std::size_t before = lines.size();
  const Rect narrow{0, 0, 30, 10};
  const std::string_view word = "Inspiration";
  TETextBox(word.data(), static_cast<SInt32>(word.size()), &narrow, teFlushLeft);
  const auto cut = Texts(scoped);
  ASSERT_GT(cut.size(), before);
  EXPECT_LE(cut.size(), before + 3);  // a 30-pixel box holds at most two lines and part of a third
  std::string shown;
  for (std::size_t i = before; i < cut.size(); ++i) shown += cut[i].text;
  EXPECT_EQ(word.substr(0, shown.size()), shown);
  TETextBox(nullptr, 5, &narrow, teFlushLeft);  // refused
  TETextBox(word.data(), -1, &narrow, teFlushLeft);
  EXPECT_EQ(Texts(scoped).size(), cut.size());
}

}  // namespace
