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

constexpr std::uint32_t kRed = 0xFFFF0000;

struct Pixel {
  int x, y;
  std::uint32_t colour;
};

void ExpectPixels(const toolbox::RasterImage& image, std::initializer_list<Pixel> pixels) {
  for (const Pixel& p : pixels) EXPECT_EQ(image.At(p.x, p.y), p.colour) << "at " << p.x << "," << p.y;
}

TEST(RenderRaster, RectanglesCoverTopLeftButNotBottomOrRightEdgesAndFramesLieInside) {
  ScopedPort scoped;
  const Rect r{10, 20, 30, 50};
  PaintRect(&r);
  PenSize(2, 3);
  const Rect framed{40, 20, 70, 60};
  FrameRect(&framed);
  const auto image = scoped.Image();
  ExpectPixels(image, {{20, 10, kBlackPixel}, {49, 29, kBlackPixel}, {50, 29, kWhitePixel},
                       {49, 30, kWhitePixel}, {19, 10, kWhitePixel}, {20, 9, kWhitePixel}});
  // The frame: a band as wide as the pen (2) at left and right, as high (3) at top and bottom.
  ExpectPixels(image, {{21, 55, kBlackPixel}, {22, 55, kWhitePixel}, {58, 55, kBlackPixel}, {60, 55, kWhitePixel},
                       {40, 42, kBlackPixel}, {40, 43, kWhitePixel}, {40, 67, kBlackPixel}, {40, 66, kWhitePixel},
                       {40, 70, kWhitePixel}});
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
  const auto image = scoped.Image();
  for (int x = 5; x <= 15; ++x) EXPECT_EQ(image.At(x, 5), kBlackPixel) << x;
  // The pen 3 wide and 2 high reaches row 31; the dot is one pixel.
  ExpectPixels(image, {{16, 5, kWhitePixel}, {10, 6, kWhitePixel}, {7, 31, kBlackPixel}, {8, 25, kWhitePixel},
                       {5, 32, kWhitePixel}, {60, 60, kBlackPixel}, {61, 60, kWhitePixel}, {60, 61, kWhitePixel},
                       {40, 40, kBlackPixel}, {50, 45, kBlackPixel}});
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

TEST(RenderRaster, AnXorCrossDrawnTwiceLeavesEveryPixelAsItWas) {
  ScopedPort scoped;
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
  const auto before = scoped.Image();
  const Rect clip{0, 0, 100, 200};
  for (Point p : {Point{45, 62}, Point{50, 31}, Point{2, 2}}) XorCross(p, clip);
  const auto once = scoped.Image();
  EXPECT_EQ(once.At(62, 42), 0xFFFFFFFF - before.At(62, 42) + 0xFF000000);  // top of the first cross
  for (Point p : {Point{45, 62}, Point{50, 31}, Point{2, 2}}) XorCross(p, clip);
  EXPECT_EQ(scoped.Image(), before);
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
  const auto image = scoped.Image();
  for (int y = 11; y < 21; ++y) {
    for (int x = 21; x < 31; ++x) {
      EXPECT_EQ(image.At(x, y), (x + y) % 2 == 0 ? kBlackPixel : kWhitePixel) << x << "," << y;
    }
  }
  // Set bits red; clear bits over the gray pattern's white and over black.
  ExpectPixels(image, {{32, 12, kRed}, {33, 12, kWhitePixel}, {43, 12, kBlackPixel}, {44, 12, kRed}});
  const auto shifted = toolbox::RenderToImage(scoped.port().displayList, Rect{1, 1, 50, 50});
  EXPECT_EQ(shifted.At(21, 11), image.At(22, 12));
  EXPECT_EQ(shifted.At(22, 11), image.At(23, 12));
}

// InvertRect twice restores the colours; addMax lightens; erasing paints the background colour.
TEST(RenderRaster, InvertAddMaxAndEraseTransferColours) {
  ScopedPort scoped;
  ForeColor(redColor);
  const Rect red{0, 0, 10, 10};
  PaintRect(&red);
  const Rect r{5, 5, 20, 20};
  InvertRect(&r);
  ExpectPixels(scoped.Image(), {{7, 7, 0xFF00FFFF}, {15, 15, kBlackPixel}, {2, 2, kRed}});  // red became cyan
  InvertRect(&r);
  ExpectPixels(scoped.Image(), {{7, 7, kRed}, {15, 15, kWhitePixel}});
  ForeColor(blackColor);
  const Rect dark{30, 0, 40, 20};
  PaintRect(&dark);
  const RGBColor dim{0x8000, 0x8000, 0x8000};
  RGBForeColor(&dim);
  PenMode(addMax);
  const Rect both{30, 0, 40, 40};
  PaintRect(&both);
  PenNormal();
  BackColor(yellowColor);
  const Rect erased{50, 0, 60, 10};
  EraseRect(&erased);
  // Black lightened to the grey, white stays white.
  ExpectPixels(scoped.Image(), {{5, 35, 0xFF808080}, {30, 35, kWhitePixel}, {5, 55, 0xFFFFFF00}});
}

TEST(RenderRaster, ClippingOvalsImagesAndEmptyShapes) {
  ScopedPort scoped;
  const Rect clip{0, 0, 50, 50};
  ClipRect(&clip);
  const Rect beyond{40, 40, 60, 60};
  PaintRect(&beyond);
  const Rect all{-32768, -32768, 32767, 32767};
  ClipRect(&all);
  const Rect oval{0, 100, 40, 140};
  PaintOval(&oval);
  const std::uint32_t pixels[4] = {kRed, 0x00000000, 0xFF0000FF, 0xFF00FF00};
  toolbox::DrawImage(Rect{60, 60, 64, 64}, 2, 2, pixels);
  // Empty and inverted shapes draw nothing and do not stop later drawing.
  const Rect flat{0, 60, 0, 0};
  const Rect inverted{17, 90, 30, 80};
  PaintOval(&flat);
  FrameOval(&inverted);
  PaintRect(&inverted);
  const Rect r{5, 5, 10, 10};
  PaintRect(&r);
  // The oval's centre in, its bounding box's corner out; each image pixel
  // scaled to 2x2, a transparent one showing the page.
  ExpectPixels(scoped.Image(), {{45, 45, kBlackPixel}, {55, 55, kWhitePixel}, {120, 20, kBlackPixel},
                                {101, 1, kWhitePixel}, {61, 61, kRed}, {62, 61, kWhitePixel},
                                {60, 63, 0xFF0000FF}, {63, 62, 0xFF00FF00}, {7, 7, kBlackPixel},
                                {85, 20, kWhitePixel}});
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
