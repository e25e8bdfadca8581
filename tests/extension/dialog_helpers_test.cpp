#include "extension/dialog_helpers.h"

#include <gtest/gtest.h>

#include "extension/dispose_helpers.h"
#include "extension/extension_resources.h"
#include "toolbox/appearance.h"
#include "toolbox/controls.h"

using namespace spiro;

namespace {

class DialogHelpersTest : public ExtensionDialogTest {
 protected:
  void SetUp() override {
    ExtensionDialogTest::SetUp();
    dialog_ = MakeDialog();
    ASSERT_NE(dialog_, nullptr);
    SetPort(GetDialogPort(dialog_));
  }
  void TearDown() override {
    SetPort(nullptr);
    DisposeDialogAndClear(&dialog_);
    ExtensionDialogTest::TearDown();
  }

  SInt16 RadioValue(DialogItemIndex item) const {
    ControlRef control = nullptr;
    GetDialogItemAsControl(dialog_, item, &control);
    return GetControlValue(control);
  }

  RGBColor Foreground() const {
    RGBColor colour{};
    GetForeColor(&colour);
    return colour;
  }

  DialogRef dialog_ = nullptr;
};

TEST_F(DialogHelpersTest, RadioGroupChecksOneItemAndReadsBackItsOffset) {
  SetRadioGroup(dialog_, 3, 5, 1);
  EXPECT_EQ(RadioValue(3), 0);
  EXPECT_EQ(RadioValue(4), 1);
  EXPECT_EQ(RadioValue(5), 0);
  EXPECT_EQ(GetRadioGroup(dialog_, 3, 5), 1);

  SetRadioGroup(dialog_, 3, 5, 2);
  EXPECT_EQ(RadioValue(4), 0);
  EXPECT_EQ(GetRadioGroup(dialog_, 3, 5), 2);
}

TEST_F(DialogHelpersTest, RadioGroupWithNothingCheckedReadsMinusOne) {
  SetRadioGroup(dialog_, 3, 5, 7);  // no item of the group has that offset
  EXPECT_EQ(GetRadioGroup(dialog_, 3, 5), -1);
}

TEST_F(DialogHelpersTest, EnablingAnItemGoesThroughTheHost) {
  EnableDialogItem(dialog_, 4, false);
  EXPECT_FALSE(toolbox::IsDialogItemEnabled(dialog_, 4));
  EnableDialogItem(dialog_, 4, true);
  EXPECT_TRUE(toolbox::IsDialogItemEnabled(dialog_, 4));
}

TEST_F(DialogHelpersTest, HostFilterTurnsReturnIntoTheDefaultItem) {
  EventRecord event{};
  event.what = keyDown;
  event.message = kReturnCharCode;
  DialogItemIndex item = 0;
  EXPECT_TRUE(CallHostModalFilter(dialog_, &event, &item));
  EXPECT_EQ(item, kStdOkItemIndex);

  event.what = nullEvent;
  item = 0;
  EXPECT_FALSE(CallHostModalFilter(dialog_, &event, &item));
  EXPECT_EQ(item, 0);
}

int gFilterCalls = 0;
Boolean CountingFilter(DialogRef, EventRecord*, DialogItemIndex* item) {
  ++gFilterCalls;
  *item = 5;
  return true;
}

TEST_F(DialogHelpersTest, OwnModalFilterIsCallableUntilDisposed) {
  ModalFilterUPP filter = NewModalFilter(&CountingFilter);
  ASSERT_NE(filter, nullptr);
  EventRecord event{};
  DialogItemIndex item = 0;
  EXPECT_TRUE(InvokeModalFilterUPP(dialog_, &event, &item, filter));
  EXPECT_EQ(item, 5);
  EXPECT_EQ(gFilterCalls, 1);
  DisposeModalFilterAndClear(&filter);
  EXPECT_EQ(filter, nullptr);
  DisposeModalFilterAndClear(&filter);
}

TEST_F(DialogHelpersTest, TextColourFollowsTheHighlightAndIsRestored) {
  const RGBColor red{0xFFFF, 0, 0};
  RGBForeColor(&red);
  RGBColor active{};
  RGBColor inactive{};
  GetThemeTextColor(kThemeTextColorDialogActive, 32, true, &active);
  GetThemeTextColor(kThemeTextColorDialogInactive, 32, true, &inactive);
  ASSERT_FALSE(active == inactive);

  ThemeDrawingState saved = nullptr;
  HiliteWindow(GetDialogWindow(dialog_), true);
  ASSERT_EQ(SetDialogTextColor(dialog_, &saved), noErr);
  EXPECT_EQ(Foreground(), active);
  RestoreThemeState(&saved);
  EXPECT_EQ(saved, nullptr);
  EXPECT_EQ(Foreground(), red);

  HiliteWindow(GetDialogWindow(dialog_), false);
  ASSERT_EQ(SetDialogTextColor(dialog_, &saved), noErr);
  EXPECT_EQ(Foreground(), inactive);
  RestoreThemeState(&saved);
  EXPECT_EQ(Foreground(), red);
  RestoreThemeState(&saved);  // nothing held: nothing to do
  EXPECT_EQ(Foreground(), red);
}

TEST_F(DialogHelpersTest, TextColourStopsWhenTheStateCannotBeSaved) {
  const RGBColor red{0xFFFF, 0, 0};
  RGBForeColor(&red);
  ThemeDrawingState saved = nullptr;
  toolbox::FailAllocationAfter(1);
  EXPECT_EQ(SetDialogTextColor(dialog_, &saved), memFullErr);
  EXPECT_EQ(saved, nullptr);
  EXPECT_EQ(Foreground(), red);
  RestoreThemeState(&saved);
  EXPECT_EQ(Foreground(), red);
}

}  // namespace
