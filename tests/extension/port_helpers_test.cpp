#include "extension/port_helpers.h"

#include <gtest/gtest.h>

#include <tuple>

#include "extension/port_fixture.h"
#include "util/pstring.h"

using namespace spiro;

namespace {

class PortHelpersTest : public PortTest {
 protected:
  void SetUp() override {
    PortTest::SetUp();
    const Rect content{100, 50, 300, 450};  // global: 400 wide, 200 high
    window_ = NewCWindow(nullptr, &content, kTitle.data(), true, documentProc, kWindowInFront,
                         true, 0);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    DisposeWindow(window_);
    PortTest::TearDown();
  }
  static constexpr auto kTitle = PStringLiteral("Data");
  void ValidateAll() {
    const Rect everything{-32768, -32768, 32767, 32767};
    ValidWindowRect(window_, &everything);
  }

  static constexpr Rect kLocalBounds{0, 0, 200, 400};
  WindowRef window_ = nullptr;
};

TEST_F(PortHelpersTest, ClipAndEraseCoverTheWindowsPortBounds) {
  SetPortWindowPort(window_);
  ClipToPortBounds(window_);
  EXPECT_EQ(GetWindowPort(window_)->clipRect, kLocalBounds);
  ErasePortBounds(window_);
  const auto& ops = GetWindowPort(window_)->displayList.ops;
  ASSERT_FALSE(ops.empty());
  EXPECT_EQ(ops.back().kind, toolbox::DrawKind::kEraseRect);
  EXPECT_EQ(ops.back().rect, kLocalBounds);
}

TEST_F(PortHelpersTest, InvalidationAddsToTheUpdateRegion) {
  ValidateAll();
  const Rect part{10, 20, 30, 40};
  InvalidateWindowRect(window_, part);
  EXPECT_EQ(toolbox::WindowUpdateRect(window_), part);

  ValidateAll();
  InvalidatePortBounds(window_);
  EXPECT_EQ(toolbox::WindowUpdateRect(window_), kLocalBounds);

  ValidateAll();
  InvalidateWindow(window_);
  EXPECT_EQ(toolbox::WindowUpdateRect(window_), kLocalBounds);
  InvalidateWindow(nullptr);
}

TEST_F(PortHelpersTest, GlobalBoundsAreTheContentOnTheDesktopAndTheCurrentPortStays) {
  EXPECT_EQ(GetGlobalPortBounds(window_), (Rect{100, 50, 300, 450}));
  GrafPtr current = nullptr;
  GetPort(&current);
  EXPECT_EQ(current, port_);
}

TEST_F(PortHelpersTest, NormalizingMovesTheWindowToWhereItIsWithoutBringingItForward) {
  Spy<vantor::service::HostService173> move;
  NormalizeWindowPosition(window_);
  ASSERT_EQ(move.count(), 1u);
  const auto& [window, h, v, front] = move.last();
  EXPECT_EQ(window, window_);
  EXPECT_EQ(h, 50);
  EXPECT_EQ(v, 100);
  EXPECT_FALSE(front);
}

TEST_F(PortHelpersTest, VisibleRegionIsEmptyOnlyForAHiddenWindowAndAssumedWithoutMemory) {
  EXPECT_TRUE(HasVisibleRegion(window_));
  HideWindow(window_);
  const auto handlesBefore = toolbox::LiveHandleCount(toolbox::CurrentMemoryOwner());
  EXPECT_FALSE(HasVisibleRegion(window_));
  EXPECT_EQ(toolbox::LiveHandleCount(toolbox::CurrentMemoryOwner()), handlesBefore);
  toolbox::FailAllocationAfter(1);
  EXPECT_TRUE(HasVisibleRegion(window_));
}

}  // namespace
