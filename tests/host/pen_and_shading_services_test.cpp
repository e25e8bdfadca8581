// Rectangle scaling (171) and preparation (74) on a port of the test's own:
// what must not wrap and what must be restored (pens and colour styles are
// drawn with by every window of the bundle).
#include <gtest/gtest.h>

#include "drawing_test_port.h"
#include "service_call.h"

namespace {

using namespace vantor::service;
using testext::Call;
using toolbox::DrawKind;

struct PenServices : testext::DrawingTest {};

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
