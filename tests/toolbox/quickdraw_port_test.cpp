// Ports, regions, clipping and rectangle arithmetic.
#include <gtest/gtest.h>

#include "quickdraw_test_support.h"
#include "toolbox/memory.h"
#include "toolbox/quickdraw.h"

namespace {

using qd_test::ScopedPort;

TEST(QuickDrawPorts, CurrentPortFollowsSetPortAndFallsBackToTheScreen) {
  GrafPtr before = nullptr;
  GetPort(&before);
  SetPort(nullptr);
  GrafPtr now = nullptr;
  GetPort(&now);
  EXPECT_EQ(now, toolbox::ScreenPort());
  // Destroying the current port must not leave a dangling current port.
  CGrafPtr doomed = CreateNewPort();
  SetPort(doomed);
  DisposePort(doomed);
  GetPort(&now);
  EXPECT_EQ(now, toolbox::ScreenPort());
  SetPort(before);
}

TEST(QuickDrawPorts, WindowIsAPortAndConvertsCoordinatesByItsGlobalOrigin) {
  OpaqueWindowPtr window;
  const Rect bounds{0, 0, 120, 300};
  SetPortBounds(GetWindowPort(&window), &bounds);
  toolbox::SetPortGlobalOrigin(GetWindowPort(&window), Point{44, 10});
  EXPECT_EQ(GetWindowFromPort(GetWindowPort(&window)), &window);

  GrafPtr saved = nullptr;
  GetPort(&saved);
  SetPortWindowPort(&window);
  Point p{5, 7};
  GlobalToLocal(&p);
  EXPECT_EQ(p, (Point{-39, -3}));
  Point extreme{32000, 32000};
  LocalToGlobal(&extreme);
  EXPECT_EQ(extreme, (Point{32044, 32010}));
  SetPort(saved);
}

TEST(QuickDrawRegions, ClipRegionsRoundTripThroughHandles) {
  ScopedPort scoped;
  RgnHandle rgn = NewRgn();
  EXPECT_TRUE(EmptyRgn(rgn));
  GetClip(rgn);  // the initial clip is wide open
  Rect bounds;
  EXPECT_EQ(*GetRegionBounds(rgn, &bounds), (Rect{-32768, -32768, 32767, 32767}));

  const Rect clip{10, 20, 30, 40};
  ClipRect(&clip);
  GetClip(rgn);
  EXPECT_EQ(*GetRegionBounds(rgn, &bounds), clip);
  EXPECT_TRUE(PtInRgn(Point{10, 20}, rgn));
  EXPECT_FALSE(PtInRgn(Point{30, 20}, rgn));

  RgnHandle other = NewRgn();
  SetRectRgn(other, 35, 25, 100, 100);
  SectRgn(rgn, other, other);
  EXPECT_EQ(*GetRegionBounds(other, &bounds), (Rect{25, 35, 30, 40}));
  OffsetRgn(other, -35, -25);
  EXPECT_EQ(*GetRegionBounds(other, &bounds), (Rect{0, 0, 5, 5}));
  SetClip(other);
  EXPECT_EQ(scoped.port().clipRect, (Rect{0, 0, 5, 5}));

  SetRectRgn(other, 50, 50, 40, 60);  // inverted: the empty region
  EXPECT_TRUE(EmptyRgn(other));
  DisposeRgn(other);
  DisposeRgn(rgn);
}

TEST(QuickDrawRegions, OutOfMemoryGivesNullAndMemFullErr) {
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
  EXPECT_EQ(r, (Rect{20, 10, 60, 30}));
  InsetRect(&r, 3, 5);
  EXPECT_EQ(r, (Rect{25, 13, 55, 27}));
  InsetRect(&r, 8, 0);  // width would go below 1
  EXPECT_EQ(r, (Rect{0, 0, 0, 0}));

  const Rect a{0, 0, 10, 10};
  const Rect b{5, 5, 20, 20};
  Rect out;
  EXPECT_TRUE(SectRect(&a, &b, &out));
  EXPECT_EQ(out, (Rect{5, 5, 10, 10}));
  const Rect c{10, 10, 20, 20};
  EXPECT_FALSE(SectRect(&a, &c, &out));  // touching edges share no pixel
  EXPECT_EQ(out, (Rect{0, 0, 0, 0}));
  UnionRect(&a, &c, &out);
  EXPECT_EQ(out, (Rect{0, 0, 20, 20}));

  // Top-left pixel in, bottom and right edges out.
  for (const auto& [point, in] : {std::pair{Point{0, 0}, true}, {Point{9, 9}, true}, {Point{10, 9}, false},
                                  {Point{9, 10}, false}})
    EXPECT_EQ(PtInRect(point, &a), in) << point.v << "," << point.h;

  Rect edge{0, 32760, 10, 32766};
  OffsetRect(&edge, 100, 0);
  EXPECT_EQ(edge.right, 32767);  // clamped, not wrapped
}

TEST(QuickDrawGeometry, StuffHexFillsBytesAndStopsAtTheFirstNonHexDigit) {
  Pattern gray{};
  StuffHex(&gray, qd_test::PStr("55AA55AA55AA55AA").data());
  EXPECT_EQ(gray, (Pattern{{0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA}}));

  unsigned char bytes[4] = {1, 2, 3, 4};
  StuffHex(bytes, qd_test::PStr("0fF0zz12").data());
  EXPECT_EQ(bytes[0], 0x0F);
  EXPECT_EQ(bytes[1], 0xF0);
  EXPECT_EQ(bytes[2], 3);  // untouched after "zz"
  StuffHex(bytes, qd_test::PStr("abc").data());  // the odd digit is dropped
  EXPECT_EQ(bytes[0], 0xAB);
  EXPECT_EQ(bytes[1], 0xF0);
}

}  // namespace
