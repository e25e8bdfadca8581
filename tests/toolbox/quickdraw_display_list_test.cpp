// Drawing calls as display-list operations: what is recorded, with which state.
#include <gtest/gtest.h>

#include "quickdraw_test_support.h"
#include "toolbox/fonts.h"
#include "toolbox/quickdraw.h"

namespace {

using qd_test::PStr;
using qd_test::ScopedPort;
using toolbox::DrawKind;

TEST(QuickDrawDisplayList, PenMovesAsThePlatformsAndLinesCarryThePenState) {
  ScopedPort scoped;
  MoveTo(10, 20);
  LineTo(30, 20);
  Line(0, 15);
  Move(5, 5);
  PenSize(3, 2);
  PenMode(patXor);
  Pattern gray;
  PenPat(GetQDGlobalsGray(&gray));
  Line(-10, 0);
  Point pen;
  GetPen(&pen);
  EXPECT_EQ(pen, (Point{40, 25}));

  const auto& ops = scoped.ops();
  ASSERT_EQ(ops.size(), 3u);
  EXPECT_EQ(ops[0].from, (Point{20, 10}));
  EXPECT_EQ(ops[0].to, (Point{20, 30}));
  EXPECT_EQ(ops[1].to, (Point{35, 30}));
  EXPECT_EQ(ops[1].state.penMode, patCopy);
  EXPECT_EQ(ops[2].from, (Point{40, 35}));
  EXPECT_EQ(ops[2].state.penSize, (Point{2, 3}));
  EXPECT_EQ(ops[2].state.penMode, patXor);
  EXPECT_EQ(ops[2].state.penPattern, gray);
}

TEST(QuickDrawDisplayList, ShapesRecordClipAndColoursAndLeaveThePenAlone) {
  ScopedPort scoped;
  const Rect clip{5, 5, 50, 50};
  ClipRect(&clip);
  ForeColor(redColor);
  BackColor(blueColor);
  MoveTo(1, 2);
  const Rect r{10, 10, 20, 30};
  FrameRect(&r);
  PaintOval(&r);
  Pattern light;
  FillRect(&r, GetQDGlobalsLightGray(&light));
  const RGBColor grey{0x8000, 0x8000, 0x8000};
  RGBForeColor(&grey);
  InvertRect(&r);

  Point pen;
  GetPen(&pen);
  EXPECT_EQ(pen, (Point{2, 1}));
  const auto& ops = scoped.ops();
  ASSERT_EQ(ops.size(), 4u);
  EXPECT_EQ(ops[0].kind, DrawKind::kFrameRect);
  EXPECT_EQ(ops[0].rect, r);
  EXPECT_EQ(ops[0].state.clip, clip);
  EXPECT_EQ(ops[0].state.foreColor, (RGBColor{0xFFFF, 0, 0}));
  EXPECT_EQ(ops[0].state.backColor, (RGBColor{0, 0, 0xFFFF}));
  EXPECT_EQ(ops[1].kind, DrawKind::kPaintOval);
  EXPECT_EQ(ops[2].fillPattern, light);
  EXPECT_EQ(ops[3].state.foreColor, grey);
}

TEST(QuickDrawDisplayList, ErasingTheWholePortRestartsTheListButAPartialEraseDoesNot) {
  ScopedPort scoped(Rect{0, 0, 100, 200});
  MoveTo(0, 0);
  LineTo(50, 50);
  const Rect part{0, 0, 50, 50};
  EraseRect(&part);
  EXPECT_EQ(scoped.ops().size(), 2u);

  // A clip narrower than the port keeps the rest of the picture visible.
  const Rect narrow{0, 0, 100, 100};
  ClipRect(&narrow);
  const Rect all{-10, -10, 200, 300};
  EraseRect(&all);
  EXPECT_EQ(scoped.ops().size(), 3u);

  const Rect wide{-32768, -32768, 32767, 32767};
  ClipRect(&wide);
  EraseRect(&all);
  ASSERT_EQ(scoped.ops().size(), 1u);
  EXPECT_EQ(scoped.ops()[0].kind, DrawKind::kEraseRect);
}

TEST(QuickDrawDisplayList, TextIsDrawnAtThePenAndAdvancesItByItsWidth) {
  ScopedPort scoped;
  TextFont(applFont);
  TextSize(9);
  TextFace(bold | underline);
  TextMode(srcCopy);
  MoveTo(12, 40);
  DrawString(PStr("Flow").data());
  DrawChar('!');
  const char buffer[] = "xxVolumexx";
  DrawText(buffer, 2, 6);

  const auto& ops = scoped.ops();
  ASSERT_EQ(ops.size(), 3u);
  EXPECT_EQ(ops[0].text, "Flow");
  EXPECT_EQ(ops[0].from, (Point{40, 12}));
  EXPECT_EQ(ops[0].state.textFont, applFont);
  EXPECT_EQ(ops[0].state.textSize, 9);
  EXPECT_EQ(ops[0].state.textFace, bold | underline);
  EXPECT_EQ(ops[0].state.textMode, srcCopy);
  const SInt16 flowWidth = StringWidth(PStr("Flow").data());
  EXPECT_EQ(ops[1].from.h, 12 + flowWidth);
  EXPECT_EQ(ops[2].text, "Volume");
  EXPECT_EQ(ops[2].from.h, 12 + flowWidth + CharWidth('!'));
  Point pen;
  GetPen(&pen);
  EXPECT_EQ(pen.h, ops[2].from.h + TextWidth(buffer, 2, 6));
}

TEST(QuickDrawDisplayList, HiddenPenDrawsNothingButStillMoves) {
  ScopedPort scoped;
  HidePen();
  MoveTo(0, 0);
  LineTo(10, 10);
  ShowPen();
  Line(1, 1);
  ASSERT_EQ(scoped.ops().size(), 1u);
  EXPECT_EQ(scoped.ops()[0].from, (Point{10, 10}));
}

}  // namespace
