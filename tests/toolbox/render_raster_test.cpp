// The raster renderer at sample pixels: where the pen, rectangles, patterns
// and transfer modes put their pixels.
#include <gtest/gtest.h>

#include "quickdraw_test_support.h"
#include "toolbox/quickdraw.h"
#include "toolbox/render.h"

namespace {

using qd_test::kBlackPixel;
using qd_test::kWhitePixel;
using qd_test::PStr;
using qd_test::ScopedPort;

toolbox::RasterImage Render(ScopedPort& scoped) {
  return toolbox::RenderToImage(scoped.port().displayList, scoped.port().portRect);
}

TEST(RenderRaster, RectanglesCoverTopLeftButNotBottomOrRightEdges) {
  ScopedPort scoped;
  const Rect r{10, 20, 30, 50};
  PaintRect(&r);
  const auto image = Render(scoped);
  ASSERT_EQ(image.width, 200);
  ASSERT_EQ(image.height, 100);
  EXPECT_EQ(image.At(20, 10), kBlackPixel);
  EXPECT_EQ(image.At(49, 29), kBlackPixel);
  EXPECT_EQ(image.At(50, 29), kWhitePixel);
  EXPECT_EQ(image.At(49, 30), kWhitePixel);
  EXPECT_EQ(image.At(19, 10), kWhitePixel);
  EXPECT_EQ(image.At(20, 9), kWhitePixel);
}

TEST(RenderRaster, FrameRectDrawsAPenWideBandInside) {
  ScopedPort scoped;
  PenSize(2, 3);
  const Rect r{10, 20, 40, 60};
  FrameRect(&r);
  const auto image = Render(scoped);
  EXPECT_EQ(image.At(20, 25), kBlackPixel);  // left band: columns 20, 21
  EXPECT_EQ(image.At(21, 25), kBlackPixel);
  EXPECT_EQ(image.At(22, 25), kWhitePixel);
  EXPECT_EQ(image.At(58, 25), kBlackPixel);  // right band: columns 58, 59
  EXPECT_EQ(image.At(60, 25), kWhitePixel);
  EXPECT_EQ(image.At(40, 12), kBlackPixel);  // top band: rows 10..12
  EXPECT_EQ(image.At(40, 13), kWhitePixel);
  EXPECT_EQ(image.At(40, 37), kBlackPixel);  // bottom band: rows 37..39
  EXPECT_EQ(image.At(40, 36), kWhitePixel);
  EXPECT_EQ(image.At(40, 40), kWhitePixel);
}

TEST(RenderRaster, ThePenHangsBelowAndRightAndLinesIncludeBothEnds) {
  ScopedPort scoped;
  MoveTo(5, 5);
  LineTo(15, 5);
  PenSize(3, 2);
  MoveTo(5, 20);
  LineTo(5, 30);
  PenNormal();
  MoveTo(60, 60);
  Line(0, 0);  // a one-point dot
  MoveTo(40, 40);
  LineTo(50, 45);
  const auto image = Render(scoped);
  for (int x = 5; x <= 15; ++x) EXPECT_EQ(image.At(x, 5), kBlackPixel) << x;
  EXPECT_EQ(image.At(16, 5), kWhitePixel);
  EXPECT_EQ(image.At(10, 6), kWhitePixel);
  EXPECT_EQ(image.At(7, 31), kBlackPixel);  // pen 3 wide, 2 high: down to row 31
  EXPECT_EQ(image.At(8, 25), kWhitePixel);
  EXPECT_EQ(image.At(5, 32), kWhitePixel);
  EXPECT_EQ(image.At(60, 60), kBlackPixel);
  EXPECT_EQ(image.At(61, 60), kWhitePixel);
  EXPECT_EQ(image.At(60, 61), kWhitePixel);
  EXPECT_EQ(image.At(40, 40), kBlackPixel);
  EXPECT_EQ(image.At(50, 45), kBlackPixel);
  for (int x = 40; x <= 50; ++x) {
    int inked = 0;
    for (int y = 38; y <= 47; ++y) inked += image.At(x, y) == kBlackPixel ? 1 : 0;
    EXPECT_EQ(inked, 1) << "column " << x;  // a thin line: one pixel per column
  }
}

// The readout cross: a vertical and a horizontal stroke in exclusive-or.
void XorCross(Point p, const Rect& clip) {
  ClipRect(&clip);
  PenMode(srcXor);
  MoveTo(p.h, static_cast<SInt16>(p.v - 3));
  Line(0, 6);
  MoveTo(static_cast<SInt16>(p.h - 3), p.v);
  Line(6, 0);
  PenNormal();
}

void DrawBackground() {
  ForeColor(redColor);
  const Rect coloured{20, 20, 60, 80};
  PaintRect(&coloured);
  ForeColor(blackColor);
  Pattern gray;
  PenPat(GetQDGlobalsGray(&gray));
  const Rect patterned{40, 60, 90, 120};
  PaintRect(&patterned);
  PenNormal();
  TextFont(applFont);
  MoveTo(30, 50);
  DrawString(PStr("Vt 0.52").data());
}

TEST(RenderRaster, AnXorCrossDrawnTwiceLeavesEveryPixelAsItWas) {
  ScopedPort scoped;
  DrawBackground();
  const auto before = Render(scoped);
  const Rect clip{0, 0, 100, 200};
  for (Point p : {Point{45, 62}, Point{50, 31}, Point{2, 2}}) XorCross(p, clip);
  const auto once = Render(scoped);
  EXPECT_NE(once.At(62, 42), before.At(62, 42));  // top of the first cross changed
  EXPECT_EQ(once.At(62, 42), 0xFFFFFFFF - before.At(62, 42) + 0xFF000000);
  for (Point p : {Point{45, 62}, Point{50, 31}, Point{2, 2}}) XorCross(p, clip);
  EXPECT_EQ(Render(scoped), before);
}

TEST(RenderRaster, InvertRectInvertsColoursAndTwiceRestoresThem) {
  ScopedPort scoped;
  ForeColor(redColor);
  const Rect red{0, 0, 10, 10};
  PaintRect(&red);
  const Rect r{5, 5, 20, 20};
  InvertRect(&r);
  auto image = Render(scoped);
  EXPECT_EQ(image.At(7, 7), 0xFF00FFFFu);  // red became cyan
  EXPECT_EQ(image.At(15, 15), kBlackPixel);
  EXPECT_EQ(image.At(2, 2), 0xFFFF0000u);
  InvertRect(&r);
  image = Render(scoped);
  EXPECT_EQ(image.At(7, 7), 0xFFFF0000u);
  EXPECT_EQ(image.At(15, 15), kWhitePixel);
}

TEST(RenderRaster, PatternsAlignToTheLocalOriginWhateverAreaIsRendered) {
  ScopedPort scoped;
  Pattern gray;
  PenPat(GetQDGlobalsGray(&gray));
  const Rect r{11, 21, 31, 41};
  PaintRect(&r);
  PenNormal();
  const Rect black{11, 41, 21, 61};
  PaintRect(&black);
  PenPat(&gray);
  ForeColor(redColor);
  PenMode(patOr);  // clear bits leave what is there
  const Rect over{11, 31, 21, 51};
  PaintRect(&over);
  const auto image = Render(scoped);
  for (int y = 11; y < 21; ++y) {
    for (int x = 21; x < 31; ++x) {
      EXPECT_EQ(image.At(x, y), (x + y) % 2 == 0 ? kBlackPixel : kWhitePixel) << x << "," << y;
    }
  }
  EXPECT_EQ(image.At(32, 12), 0xFFFF0000u);  // set bit: red
  EXPECT_EQ(image.At(33, 12), kWhitePixel);  // clear bit over the gray pattern's white
  EXPECT_EQ(image.At(43, 12), kBlackPixel);  // clear bit over black
  EXPECT_EQ(image.At(44, 12), 0xFFFF0000u);
  const auto shifted = toolbox::RenderToImage(scoped.port().displayList, Rect{1, 1, 50, 50});
  EXPECT_EQ(shifted.At(21, 11), image.At(22, 12));
  EXPECT_EQ(shifted.At(22, 11), image.At(23, 12));
}

TEST(RenderRaster, AddMaxLightensAndEraseUsesTheBackgroundColour) {
  ScopedPort scoped;
  const Rect dark{0, 0, 10, 20};
  PaintRect(&dark);
  const RGBColor dim{0x8000, 0x8000, 0x8000};
  RGBForeColor(&dim);
  PenMode(addMax);
  const Rect both{0, 0, 10, 40};
  PaintRect(&both);
  PenNormal();
  BackColor(yellowColor);
  const Rect erased{20, 0, 30, 10};
  EraseRect(&erased);
  const auto image = Render(scoped);
  EXPECT_EQ(image.At(5, 5), 0xFF808080u);   // black lightened to the grey
  EXPECT_EQ(image.At(30, 5), kWhitePixel);  // white stays white
  EXPECT_EQ(image.At(5, 25), 0xFFFFFF00u);
}

TEST(RenderRaster, ClippingOvalsAndImages) {
  ScopedPort scoped;
  const Rect clip{0, 0, 50, 50};
  ClipRect(&clip);
  const Rect beyond{40, 40, 60, 60};
  PaintRect(&beyond);
  const Rect oval{0, 100, 40, 140};
  const Rect all{-32768, -32768, 32767, 32767};
  ClipRect(&all);
  PaintOval(&oval);
  const std::uint32_t pixels[4] = {0xFFFF0000, 0x00000000, 0xFF0000FF, 0xFF00FF00};
  toolbox::DrawImage(Rect{60, 60, 64, 64}, 2, 2, pixels);
  const auto image = Render(scoped);
  EXPECT_EQ(image.At(45, 45), kBlackPixel);
  EXPECT_EQ(image.At(55, 55), kWhitePixel);
  EXPECT_EQ(image.At(120, 20), kBlackPixel);  // the oval's centre
  EXPECT_EQ(image.At(101, 1), kWhitePixel);   // its bounding box's corner
  EXPECT_EQ(image.At(61, 61), 0xFFFF0000u);   // each image pixel scaled to 2×2
  EXPECT_EQ(image.At(62, 61), kWhitePixel);   // a transparent pixel shows the page
  EXPECT_EQ(image.At(60, 63), 0xFF0000FFu);
  EXPECT_EQ(image.At(63, 62), 0xFF00FF00u);
}

TEST(RenderRaster, EmptyAndInvertedShapesDrawNothingAndDoNotStopLaterDrawing) {
  ScopedPort scoped;
  const Rect flat{0, 60, 0, 0};
  const Rect inverted{17, 90, 30, 80};
  PaintOval(&flat);
  FrameOval(&inverted);
  PaintRect(&inverted);
  const Rect r{5, 5, 10, 10};
  PaintRect(&r);
  const auto image = Render(scoped);
  EXPECT_EQ(image.At(7, 7), kBlackPixel);
  EXPECT_EQ(image.At(85, 20), kWhitePixel);
}

TEST(RenderRaster, APageTooLargeToRasteriseFailsInsteadOfExhaustingMemory) {
  std::vector<toolbox::RasterImage> pages;
  auto renderer = toolbox::NewRasterRenderer(&pages);
  renderer->BeginPage(Rect{-30000, -30000, 30000, 30000});
  renderer->RenderDisplayList({});
  renderer->EndPage();
  std::string error;
  EXPECT_FALSE(renderer->Finish(&error));
  EXPECT_EQ(error, "a page of 60000 x 60000 pixels is too large");
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].width, 0);
}

}  // namespace
