#include "util/rect_layout.h"

#include <gtest/gtest.h>

#include "toolbox/quickdraw.h"

using namespace spiro;

namespace {

TEST(ConstrainRect, MovesInsideKeepingTheMinimumSizeAndClipsWhatCannotFit) {
  const struct {
    Rect bounds, r;
    std::int16_t minWidth, minHeight;
    Rect constrained;
  } cases[] = {
      {{0, 0, 100, 100}, {90, 90, 110, 130}, 40, 20, {80, 60, 100, 100}},   // overhanging
      {{0, 0, 100, 100}, {-30, -50, -10, -10}, 40, 20, {0, 0, 20, 40}},     // wholly outside
      {{0, 0, 100, 100}, {10, 20, 30, 60}, 40, 20, {10, 20, 30, 60}},       // inside: untouched
      {{20, 10, 220, 310}, {-50, -80, 500, 700}, 780, 550, {20, 10, 220, 310}},  // too large
  };
  for (const auto& c : cases) {
    Rect r = c.r;
    ConstrainRect(c.bounds, r, c.minWidth, c.minHeight);
    EXPECT_EQ(r, c.constrained) << r.top << " " << r.left << " " << r.bottom << " " << r.right;
  }
}

}  // namespace
