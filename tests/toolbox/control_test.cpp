// Controls of a window: the root control, hit testing (the part codes the
// callers act on), values within range, pop-up buttons tracked from the
// script, drawing, and disposal with the window.
#include <gtest/gtest.h>

#include "toolbox/compiled_resources.h"
#include "toolbox/toolbox_test.h"
#include "toolbox/controls.h"
#include "toolbox/resource_test_support.h"
#include "toolbox/script.h"
#include "toolbox/windows.h"

namespace {

using resource_test::PString;

class ControlTest : public toolbox_test::ToolboxTest {
 protected:
  void SetUp() override {
    ToolboxTest::SetUp();
    const Rect bounds{50, 50, 250, 350};
    window_ = NewCWindow(nullptr, &bounds, PString("W").get(), true, documentProc, kWindowInFront, true, 0);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    DisposeWindow(window_);
    ToolboxTest::TearDown();
  }

  ControlRef Make(const Rect& r, SInt16 procID, SInt16 value = 0, SInt16 min = 0, SInt16 max = 1) {
    return NewControl(window_, &r, PString("Title").get(), true, value, min, max, procID, 0);
  }

  WindowRef window_ = nullptr;
};

TEST_F(ControlTest, FindControlAnswersThePartOfTheFrontmostActiveVisibleControl) {
  CreateRootControl(window_, nullptr);
  ControlRef button = Make(Rect{10, 10, 30, 90}, pushButProc);
  ControlRef box = Make(Rect{40, 10, 56, 200}, kControlCheckBoxProc);
  ControlRef over = Make(Rect{20, 50, 50, 120}, radioButProc);
  ControlRef found = nullptr;
  EXPECT_EQ(FindControl(Point{15, 20}, window_, &found), kControlButtonPart);
  EXPECT_EQ(found, button);
  EXPECT_EQ(FindControl(Point{45, 150}, window_, &found), kControlCheckBoxPart);
  EXPECT_EQ(found, box);
  EXPECT_EQ(FindControl(Point{25, 60}, window_, &found), kControlRadioButtonPart);
  EXPECT_EQ(found, over);
  DrawControls(window_);
  const auto& ops = GetWindowPort(window_)->displayList.ops;
  EXPECT_TRUE(std::any_of(ops.begin(), ops.end(), [](const toolbox::DrawOp& op) { return op.text == "Title"; }));
  HiliteControl(over, kControlInactivePart);
  EXPECT_EQ(FindControl(Point{25, 60}, window_, &found), kControlButtonPart);
  HideControl(button);
  EXPECT_EQ(FindControl(Point{25, 60}, window_, &found), kControlNoPart);
  EXPECT_EQ(found, nullptr);
  HideWindow(window_);
  EXPECT_EQ(FindControl(Point{45, 150}, window_, &found), kControlNoPart);
}

TEST_F(ControlTest, ValuesStayWithinTheRangeAndPopUpsTakeTheScriptedChoice) {
  ControlRef c = Make(Rect{0, 0, 10, 10}, pushButProc, 5, 0, 3);
  EXPECT_EQ(GetControlValue(c), 3);
  SetControlValue(c, -4);
  EXPECT_EQ(GetControlValue(c), 0);
  SetControlMaximum(c, 10);
  SetControlValue(c, 7);
  SetControlMinimum(c, 8);
  EXPECT_EQ(GetControlValue(c), 8);
  DisposeControl(c);
  EXPECT_FALSE(toolbox::IsLiveControl(c));
  EXPECT_EQ(GetControlValue(c), 0);
  SetControlValue(c, 1);  // a disposed control is ignored

  // A pop-up button owns its menu and takes the scripted choice.
  MenuRef menu = NewMenu(40, PString("Sex").get());
  AppendMenu(menu, PString("Not given;Female;Male").get());
  ControlRef popUp = Make(Rect{60, 10, 80, 200}, kControlPopupButtonProc, 0, 0, 0);
  SetControlPopupMenuHandle(popUp, menu);
  EXPECT_EQ(GetControlMaximum(popUp), 3);
  EXPECT_EQ(GetControlValue(popUp), 1);
  toolbox::PushScriptAction(toolbox::MenuChoiceAction(3));
  EXPECT_EQ(TrackControl(popUp, Point{70, 50}, nullptr), kControlMenuPart);
  EXPECT_EQ(GetControlValue(popUp), 3);
  EXPECT_EQ(TrackControl(popUp, Point{70, 50}, nullptr), kControlNoPart);  // nothing chosen
  EXPECT_EQ(GetControlValue(popUp), 3);
  DisposeControl(popUp);
  EXPECT_FALSE(toolbox::IsLiveMenu(menu));
}

TEST_F(ControlTest, APopUpFromAResourceReadsItsMenuFromTheMinimum) {
  toolbox_test::CompiledResources resources(R"(
[[data]]
type = "CNTL"
id = 128
hex = "000A 000A 001E 00C8 0000 0100 0028 0081 0190 00000000 04 53657820"

[[MENU]]
id = 129
title = "Sex"
items = [{ text = "Not given" }, { text = "Female" }]
)");
  ControlRef c = GetNewControl(128, window_);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(GetControlMinimum(c), 1);
  EXPECT_EQ(GetControlMaximum(c), 2);
  EXPECT_EQ(GetControlValue(c), 1);
  EXPECT_EQ(CountMenuItems(GetControlPopupMenuHandle(c)), 2);
  EXPECT_EQ(GetNewControl(130, window_), nullptr);
}

// A window has one root control, which is no target; disposing of the root
// or the window disposes of every control.
TEST_F(ControlTest, DisposingOfTheRootOrTheWindowDisposesOfEveryControl) {
  ControlRef root = nullptr, again = nullptr, found = nullptr;
  ASSERT_EQ(CreateRootControl(window_, &root), noErr);
  EXPECT_EQ(CreateRootControl(window_, &again), errRootAlreadyExists);
  EXPECT_EQ(again, root);
  EXPECT_EQ(FindControl(Point{10, 10}, window_, &found), kControlNoPart);
  ControlRef a = Make(Rect{0, 0, 10, 10}, pushButProc);
  DisposeControl(root);
  EXPECT_FALSE(toolbox::IsLiveControl(a));
  EXPECT_EQ(GetRootControl(window_, &root), errNoRootControl);
  const Rect bounds{0, 0, 100, 100};
  WindowRef other = NewCWindow(nullptr, &bounds, nullptr, false, documentProc, nullptr, false, 0);
  ControlRef b = NewControl(other, &bounds, nullptr, true, 0, 0, 1, pushButProc, 0);
  ASSERT_TRUE(toolbox::IsLiveControl(b));
  DisposeWindow(other);
  EXPECT_FALSE(toolbox::IsLiveControl(b));
}

}  // namespace
