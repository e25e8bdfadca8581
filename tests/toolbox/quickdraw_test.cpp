// QuickDraw: ports and their coordinates, regions, clipping, rectangle
// arithmetic, drawing calls recorded as display-list operations with the
// state they were drawn in, and theme drawing states.
#include <gtest/gtest.h>

#include "quickdraw_test_support.h"
#include "toolbox/appearance.h"
#include "toolbox/fonts.h"
#include "toolbox/memory.h"
#include "toolbox/quickdraw.h"

namespace {

using qd_test::PStr;
using qd_test::ScopedPort;
using toolbox::DrawKind;

// Disposing of the current port must not leave it dangling; a clip round-trips
// through a region; out of memory gives null and memFullErr.
TEST(QuickDrawPorts, CurrentPortClipRegionsAndRunningOutOfMemory) {
  GrafPtr before = nullptr;
  GetPort(&before);
  CGrafPtr doomed = CreateNewPort();
  SetPort(doomed);
  DisposePort(doomed);
  GrafPtr now = nullptr;
  GetPort(&now);
  EXPECT_EQ(now, toolbox::ScreenPort());
  SetPort(before);

  ScopedPort scoped;
  RgnHandle rgn = NewRgn();
  Rect bounds;
  GetClip(rgn);  // the initial clip is wide open
  EXPECT_EQ(*GetRegionBounds(rgn, &bounds), (Rect{-32768, -32768, 32767, 32767}));
  SetRectRgn(rgn, 35, 25, 100, 100);
  SetClip(rgn);
  EXPECT_EQ(scoped.port().clipRect, (Rect{25, 35, 100, 100}));
  SetRectRgn(rgn, 50, 50, 40, 60);  // inverted: the empty region
  EXPECT_TRUE(EmptyRgn(rgn));
  DisposeRgn(rgn);

  toolbox::FailAllocationAfter(1);
  EXPECT_EQ(NewRgn(), nullptr);
  EXPECT_EQ(QDError(), memFullErr);
  toolbox::FailAllocationAfter(1);
  EXPECT_EQ(CreateNewPort(), nullptr);
  EXPECT_EQ(QDError(), memFullErr);
  toolbox::FailAllocationAfter(0);
}

TEST(QuickDrawGeometry, RectangleArithmeticFollowsThePlatform) {
  Rect r;
  SetRect(&r, 10, 20, 30, 60);
  InsetRect(&r, 3, 5);
  EXPECT_EQ(r, (Rect{25, 13, 55, 27}));
  InsetRect(&r, 8, 0);  // width would go below 1
  EXPECT_EQ(r, (Rect{0, 0, 0, 0}));

  const Rect a{0, 0, 10, 10}, b{5, 5, 20, 20}, c{10, 10, 20, 20};
  Rect out;
  EXPECT_TRUE(SectRect(&a, &b, &out));
  EXPECT_EQ(out, (Rect{5, 5, 10, 10}));
  EXPECT_FALSE(SectRect(&a, &c, &out));  // touching edges share no pixel
  EXPECT_EQ(out, (Rect{0, 0, 0, 0}));

  // Top-left pixel in, bottom and right edges out.
  for (const auto& [point, in] : {std::pair{Point{0, 0}, true}, {Point{9, 9}, true}, {Point{10, 9}, false},
                                  {Point{9, 10}, false}})
    EXPECT_EQ(PtInRect(point, &a), in) << point.v << "," << point.h;

  // StuffHex stops at the first non-hex digit and drops an odd last digit.
  unsigned char bytes[3] = {1, 2, 3};
  StuffHex(bytes, PStr("0fF0zz12").data());
  EXPECT_EQ(bytes[2], 3);
  StuffHex(bytes, PStr("abc").data());
  EXPECT_EQ(std::vector<unsigned char>(bytes, bytes + 2), (std::vector<unsigned char>{0xAB, 0xF0}));
}

TEST(QuickDrawDisplayList, PenMovesAsThePlatformsAndLinesCarryThePenState) {
  ScopedPort scoped;
  MoveTo(10, 20);
  LineTo(30, 20);
  Line(0, 15);
  Move(5, 5);
  PenSize(3, 2);
  Line(-10, 0);
  Point pen;
  GetPen(&pen);
  EXPECT_EQ(pen, (Point{40, 25}));

  const auto& ops = scoped.ops();
  ASSERT_EQ(ops.size(), 3u);
  EXPECT_EQ(ops[0].from, (Point{20, 10}));
  EXPECT_EQ(ops[1].to, (Point{35, 30}));
  EXPECT_EQ(ops[2].from, (Point{40, 35}));
  EXPECT_EQ(ops[2].state.penSize, (Point{2, 3}));
}

TEST(QuickDrawDisplayList, ShapesRecordClipAndColoursAndLeaveThePenAlone) {
  ScopedPort scoped;
  const Rect clip{5, 5, 50, 50};
  ClipRect(&clip);
  ForeColor(redColor);
  MoveTo(1, 2);
  const Rect r{10, 10, 20, 30};
  FrameRect(&r);
  Pattern light;
  FillRect(&r, GetQDGlobalsLightGray(&light));
  const RGBColor grey{0x8000, 0x8000, 0x8000};
  RGBForeColor(&grey);
  InvertRect(&r);

  Point pen;
  GetPen(&pen);
  EXPECT_EQ(pen, (Point{2, 1}));
  const auto& ops = scoped.ops();
  ASSERT_EQ(ops.size(), 3u);
  EXPECT_EQ(ops[0].kind, DrawKind::kFrameRect);
  EXPECT_EQ(ops[0].rect, r);
  EXPECT_EQ(ops[0].state.clip, clip);
  EXPECT_EQ(ops[0].state.foreColor, (RGBColor{0xFFFF, 0, 0}));
  EXPECT_EQ(ops[1].fillPattern, light);
  EXPECT_EQ(ops[2].state.foreColor, grey);
  RGBColor fore;
  GetForeColor(&fore);
  EXPECT_EQ(fore, grey);
}

// Erasing all that is visible restarts the list; a partial erase, or one under
// a clip narrower than the port, keeps the rest of the picture.
TEST(QuickDrawDisplayList, ErasingTheWholePortRestartsTheListButAPartialEraseDoesNot) {
  ScopedPort scoped(Rect{0, 0, 100, 200});
  MoveTo(0, 0);
  LineTo(50, 50);
  const Rect part{0, 0, 50, 50};
  EraseRect(&part);
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

TEST(QuickDrawDisplayList, TextIsDrawnAtThePenInThePortsTextStateAndAdvancesIt) {
  ScopedPort scoped;
  TextFont(applFont);
  TextSize(9);
  TextFace(bold | underline);
  MoveTo(12, 40);
  DrawString(PStr("Flow").data());
  DrawChar('!');
  const char buffer[] = "xxVolumexx";
  DrawText(buffer, 2, 6);

  const auto& ops = scoped.ops();
  ASSERT_EQ(ops.size(), 3u);
  EXPECT_EQ(ops[0].from, (Point{40, 12}));
  EXPECT_EQ(ops[0].state.textFont, applFont);
  EXPECT_EQ(ops[0].state.textSize, 9);
  EXPECT_EQ(ops[0].state.textFace, bold | underline);
  EXPECT_EQ(ops[2].text, "Volume");  // where each piece starts, the renderer's tests check
  Point pen;
  GetPen(&pen);
  EXPECT_EQ(pen.h, ops[2].from.h + TextWidth(buffer, 2, 6));
}

constexpr RGBColor kBlack{0, 0, 0};

// Theme drawing states: pen and colours are restored as the extension's
// drawing state test shows (with memory running out); here what it does not
// look at: text, clip, and the state's single use. And the theme text colours.
TEST(Appearance, AStateRestoresTextAndClipOnceAndTextColoursFollowActivation) {
  qd_test::ScopedPort scoped;
  GrafPort* const port = &scoped.port();
  const Rect clip{5, 5, 50, 50};
  TextFont(21);
  TextFace(bold);
  ClipRect(&clip);
  ThemeDrawingState saved = nullptr;
  ASSERT_EQ(GetThemeDrawingState(&saved), noErr);
  ASSERT_EQ(NormalizeThemeDrawingState(), noErr);
  TextFont(1);
  const Rect wide{0, 0, 500, 500};
  ClipRect(&wide);
  ASSERT_EQ(SetThemeDrawingState(saved, true), noErr);
  EXPECT_EQ(port->txFont, 21);
  EXPECT_EQ(port->txFace, bold);
  EXPECT_EQ(port->clipRect, clip);
  // Disposed with the call: a second use is refused, not a use after free.
  EXPECT_EQ(SetThemeDrawingState(saved, true), paramErr);
  EXPECT_EQ(DisposeThemeDrawingState(saved), paramErr);

  // Inactive dialog text is grey on a colour device, black on a one-bit one.
  RGBColor active{}, inactive{}, oneBit{};
  ASSERT_EQ(GetThemeTextColor(kThemeTextColorDialogActive, 32, true, &active), noErr);
  ASSERT_EQ(GetThemeTextColor(kThemeTextColorDialogInactive, 32, true, &inactive), noErr);
  ASSERT_EQ(GetThemeTextColor(kThemeTextColorDialogInactive, 1, false, &oneBit), noErr);
  EXPECT_EQ(active, kBlack);
  EXPECT_NE(inactive, kBlack);
  EXPECT_EQ(oneBit, kBlack);
  EXPECT_EQ(GetThemeTextColor(-7, 32, true, &active), paramErr);
  ASSERT_EQ(SetThemeTextColor(kThemeTextColorDialogInactive, 32, true), noErr);
  EXPECT_EQ(port->rgbFgColor, inactive);
}

}  // namespace
