#include "extension/drawing_state.h"

#include <gtest/gtest.h>

#include "support/port_fixture.h"

using namespace spiro;

namespace {

constexpr RGBColor kRed{0xFFFF, 0, 0};
constexpr RGBColor kBlue{0, 0, 0xFFFF};
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
};

// Saving draws on white in copy mode; without memory for the theme state
// only the background is whitened. Either way restoring puts everything back
// once, and the theme state is given back.
TEST_F(DrawingStateTest, SavingNormalisesThePortRestoringPutsEverythingBackAndDimmingLeavesItBe) {
  const auto ptrsBefore = toolbox::LivePtrCount(toolbox::CurrentMemoryOwner());
  for (const bool memory : {true, false}) {
    SCOPED_TRACE(memory);
    DrawingState state{};
    toolbox::FailAllocationAfter(memory ? 0 : 1);
    SaveDrawingState(state);
    toolbox::FailAllocationAfter(0);
    EXPECT_EQ(state.status, memory ? noErr : memFullErr);
    EXPECT_EQ(state.theme != nullptr, memory);
    EXPECT_EQ(port_->rgbBkColor, kWhite);
    EXPECT_EQ(port_->pnMode, memory ? patCopy : patXor);
    RestoreDrawingState(state);
    RestoreDrawingState(state);
    EXPECT_EQ(state.theme, nullptr);
    EXPECT_EQ(port_->rgbFgColor, kRed);
    EXPECT_EQ(port_->rgbBkColor, kBlue);
    EXPECT_EQ(port_->pnMode, patXor);
    EXPECT_EQ(port_->pnSize, (Point{3, 3}));
  }
  EXPECT_EQ(toolbox::LivePtrCount(toolbox::CurrentMemoryOwner()), ptrsBefore);

  // Dimming paints in the host's colour and leaves pen and colour as they were.
  PenNormal();
  const Rect area{10, 20, 50, 120};
  DimRect(area);
  ASSERT_FALSE(Drawn().ops.empty());
  const toolbox::DrawOp& paint = Drawn().ops.back();
  EXPECT_EQ(paint.kind, toolbox::DrawKind::kPaintRect);
  EXPECT_EQ(paint.rect, area);
  EXPECT_EQ(paint.state.penMode, addMax);
  EXPECT_EQ(port_->rgbFgColor, kRed);
  EXPECT_EQ(port_->pnMode, patCopy);
}

}  // namespace
