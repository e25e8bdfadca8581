#include "extension/drawing_state.h"

#include <gtest/gtest.h>

#include "extension/port_fixture.h"

using namespace spiro;

namespace {

constexpr RGBColor kRed{0xFFFF, 0, 0};
constexpr RGBColor kBlue{0, 0, 0xFFFF};
constexpr RGBColor kBlack{0, 0, 0};
constexpr RGBColor kWhite{0xFFFF, 0xFFFF, 0xFFFF};

class DrawingStateTest : public PortTest {
 protected:
  void SetUp() override {
    PortTest::SetUp();
    RGBForeColor(&kRed);
    RGBBackColor(&kBlue);
    PenMode(patXor);
    PenSize(3, 3);
  }
  RGBColor Fore() const { return port_->rgbFgColor; }
  RGBColor Back() const { return port_->rgbBkColor; }
};

TEST_F(DrawingStateTest, SavingNormalisesThePortAndRestoringPutsEverythingBack) {
  const auto ptrsBefore = toolbox::LivePtrCount(toolbox::CurrentMemoryOwner());
  DrawingState state{};
  SaveDrawingState(state);
  EXPECT_EQ(state.status, noErr);
  EXPECT_NE(state.theme, nullptr);
  EXPECT_EQ(Fore(), kBlack);
  EXPECT_EQ(Back(), kWhite);
  EXPECT_EQ(port_->pnMode, patCopy);

  RestoreDrawingState(state);
  EXPECT_EQ(state.theme, nullptr);
  EXPECT_EQ(Fore(), kRed);
  EXPECT_EQ(Back(), kBlue);
  EXPECT_EQ(port_->pnMode, patXor);
  EXPECT_EQ(port_->pnSize, (Point{3, 3}));
  RestoreDrawingState(state);  // the theme state is given back only once
  EXPECT_EQ(toolbox::LivePtrCount(toolbox::CurrentMemoryOwner()), ptrsBefore);
}

TEST_F(DrawingStateTest, WithoutMemoryForTheThemeStateTheBackgroundIsWhitenedAndRestored) {
  DrawingState state{};
  toolbox::FailAllocationAfter(1);
  SaveDrawingState(state);
  EXPECT_EQ(state.status, memFullErr);
  EXPECT_EQ(state.theme, nullptr);
  EXPECT_EQ(Back(), kWhite);
  RestoreDrawingState(state);
  EXPECT_EQ(Back(), kBlue);
  EXPECT_EQ(Fore(), kRed);
}

TEST_F(DrawingStateTest, DimRectPaintsInTheHostsColourAndLeavesPenAndColourAsTheyWere) {
  PenNormal();
  const Rect area{10, 20, 50, 120};
  DimRect(area);
  ASSERT_FALSE(Drawn().ops.empty());
  const toolbox::DrawOp& paint = Drawn().ops.back();
  EXPECT_EQ(paint.kind, toolbox::DrawKind::kPaintRect);
  EXPECT_EQ(paint.rect, area);
  EXPECT_EQ(paint.state.penMode, addMax);
  EXPECT_FALSE(paint.state.foreColor == kRed);
  EXPECT_EQ(Fore(), kRed);
  EXPECT_EQ(port_->pnMode, patCopy);
}

}  // namespace
