// Pens (170), rectangle scaling (171), colour styles (530, 531), the dimming
// colour (68) and rectangle preparation (74), on a port of the test's own.
#include <gtest/gtest.h>

#include "drawing_test_port.h"
#include "host/draw_styles.h"
#include "service_call.h"

namespace {

using namespace vantor::service;
using testext::Call;
using toolbox::DrawKind;

constexpr Pattern kSolid{{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}};

struct PenServices : testext::DrawingTest {};

TEST_F(PenServices, EachKindSetsSizePatternAndModeForTheScale) {
  const RGBColor red{0xFFFF, 0, 0};
  RGBForeColor(&red);
  Call<HostService170>(std::int32_t{0x4000}, std::int16_t{3});
  EXPECT_EQ(port()->pnSize, (Point{3, 3}));
  EXPECT_EQ(port()->pnPat, kSolid);
  EXPECT_EQ(port()->pnMode, patCopy);

  Call<HostService170>(std::int32_t{0x8000}, std::int16_t{1});
  EXPECT_EQ(port()->pnSize, (Point{2, 2})) << "a one-point dot must show some pixels";
  EXPECT_NE(port()->pnPat, kSolid);
  EXPECT_EQ(port()->pnMode, patOr);

  Call<HostService170>(std::int32_t{0x20000}, std::int16_t{2});
  EXPECT_EQ(port()->pnSize, (Point{4, 4})) << "the dot is twice the scale";
  EXPECT_EQ(port()->pnPat, kSolid);

  Call<HostService170>(std::int32_t{0x10000}, std::int16_t{0});
  EXPECT_EQ(port()->pnSize, (Point{1, 1})) << "a scale below 1 counts as 1";
  EXPECT_EQ(port()->rgbFgColor, red) << "pens leave the colour alone";
}

TEST_F(PenServices, ScalingARectangleSaturatesInsteadOfWrapping) {
  Rect r{10, 20, 110, 220};
  Call<HostService171>(&r, std::int16_t{4});
  EXPECT_EQ(r, (Rect{40, 80, 440, 880}));
  Rect big{-20000, 0, 20000, 16384};
  Call<HostService171>(&big, std::int16_t{2});
  EXPECT_EQ(big, (Rect{-32768, 0, 32767, 32767}));
  Rect same{1, 2, 3, 4};
  Call<HostService171>(&same, std::int16_t{0});
  EXPECT_EQ(same, (Rect{1, 2, 3, 4}));
}

TEST_F(PenServices, ColourStylesSetForegroundAndBackground) {
  Call<HostSetDrawStyle530>(std::int16_t{100});
  EXPECT_EQ(port()->rgbFgColor, host::DrawStyleColor(100));
  EXPECT_NE(host::DrawStyleColor(103), host::DrawStyleColor(101)) << "channels differ";
  Call<HostSetDrawStyle531>(std::int16_t{202});
  EXPECT_EQ(port()->rgbBkColor, (RGBColor{0xFFFF, 0xFFFF, 0xFFFF}));
  Call<HostService68>();
  EXPECT_EQ(port()->rgbFgColor, host::kDimmingColor);
}

TEST_F(PenServices, PreparingARectangleErasesOrShadesAndRestoresThePen) {
  Rect label{10, 10, 24, 200};
  Call<HostService74>(&label, std::int16_t{-6}, std::int16_t{1});
  ASSERT_EQ(ops().size(), 1u);
  EXPECT_EQ(ops()[0].kind, DrawKind::kEraseRect);
  EXPECT_EQ(ops()[0].rect, label);

  PenSize(3, 3);
  PenMode(patXor);
  const RGBColor blue{0, 0, 0xFFFF};
  RGBForeColor(&blue);
  Rect strip{30, 40, 36, 90};
  Call<HostService74>(&strip, std::int16_t{-11}, std::int16_t{1});
  ASSERT_EQ(ops().size(), 2u);
  EXPECT_EQ(ops()[1].kind, DrawKind::kPaintRect);
  EXPECT_EQ(ops()[1].rect, strip);
  EXPECT_EQ(ops()[1].state.penMode, patCopy) << "shaded with the normal pen, not the caller's XOR";
  EXPECT_NE(ops()[1].state.foreColor, blue);
  EXPECT_EQ(strip, (Rect{30, 40, 36, 90})) << "the rectangle is not adjusted";
  EXPECT_EQ(port()->pnMode, patXor);
  EXPECT_EQ(port()->pnSize, (Point{3, 3}));
  EXPECT_EQ(port()->rgbFgColor, blue);

  Call<HostService74>(&strip, std::int16_t{-11}, std::int16_t{0});
  EXPECT_EQ(ops().size(), 2u) << "draw 0 draws nothing";
}

}  // namespace
