#include "util/rect_layout.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace spiro;

namespace {

::testing::AssertionResult SameRect(const Rect& actual, const Rect& expected) {
  if (actual.top == expected.top && actual.left == expected.left &&
      actual.bottom == expected.bottom && actual.right == expected.right) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "(" << actual.top << ", " << actual.left << ", " << actual.bottom << ", "
         << actual.right << ") instead of (" << expected.top << ", " << expected.left << ", "
         << expected.bottom << ", " << expected.right << ")";
}

TEST(CenterRect, CentresKeepingSizeAndTruncatesHalvesTowardZero) {
  const Rect tenByTwenty{0, 0, 10, 20};
  EXPECT_TRUE(SameRect(CenterRect(tenByTwenty, Rect{0, 0, 100, 100}), Rect{45, 40, 55, 60}));
  // Larger than the target: (5 - 10) / 2 and (5 - 20) / 2 truncate to -2 and -7.
  EXPECT_TRUE(SameRect(CenterRect(tenByTwenty, Rect{0, 0, 5, 5}), Rect{-2, -7, 8, 13}));
  // The source's own position plays no part.
  EXPECT_TRUE(SameRect(CenterRect(Rect{300, -40, 310, -20}, Rect{20, 30, 40, 70}),
                       Rect{25, 40, 35, 60}));
}

TEST(ConstrainRect, MovesAnOverhangingRectInsideKeepingItsMinimumSize) {
  Rect r{90, 90, 110, 130};
  ConstrainRect(Rect{0, 0, 100, 100}, r, 40, 20);
  EXPECT_TRUE(SameRect(r, Rect{80, 60, 100, 100}));

  Rect aboveLeft{-30, -50, -10, -10};
  ConstrainRect(Rect{0, 0, 100, 100}, aboveLeft, 40, 20);
  EXPECT_TRUE(SameRect(aboveLeft, Rect{0, 0, 20, 40}));
}

TEST(ConstrainRect, LeavesARectInsideTheBoundsAlone) {
  Rect r{10, 20, 30, 60};
  ConstrainRect(Rect{0, 0, 100, 100}, r, 40, 20);
  EXPECT_TRUE(SameRect(r, Rect{10, 20, 30, 60}));
}

TEST(ConstrainRect, ClipsARectLargerThanTheBoundsToThem) {
  Rect r{-50, -80, 500, 700};
  ConstrainRect(Rect{20, 10, 220, 310}, r, 780, 550);
  EXPECT_TRUE(SameRect(r, Rect{20, 10, 220, 310}));
}

}  // namespace
