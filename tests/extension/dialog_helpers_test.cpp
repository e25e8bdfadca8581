#include "extension/dialog_helpers.h"

#include <gtest/gtest.h>

#include "extension/dispose_helpers.h"
#include "support/extension_resources.h"
#include "toolbox/appearance.h"

using namespace spiro;

namespace {

class DialogHelpersTest : public ExtensionDialogTest {
 protected:
  void SetUp() override {
    ExtensionDialogTest::SetUp();
    dialog_ = MakeDialog();
    ASSERT_NE(dialog_, nullptr);
    SetPort(GetDialogPort(dialog_));
    RGBForeColor(&kRed);
  }
  void TearDown() override {
    SetPort(nullptr);
    DisposeDialogAndClear(&dialog_);
    ExtensionDialogTest::TearDown();
  }
  static RGBColor Foreground() {
    RGBColor colour{};
    GetForeColor(&colour);
    return colour;
  }
  static constexpr RGBColor kRed{0xFFFF, 0, 0};
  DialogRef dialog_ = nullptr;
};

// The dialog's text colour follows its window's highlight; restoring gives
// back the caller's colour once, and a state that cannot be saved changes nothing.
TEST_F(DialogHelpersTest, TextColourFollowsTheHighlightAndIsRestored) {
  RGBColor colours[2]{};
  GetThemeTextColor(kThemeTextColorDialogInactive, 32, true, &colours[0]);
  GetThemeTextColor(kThemeTextColorDialogActive, 32, true, &colours[1]);
  ASSERT_FALSE(colours[0] == colours[1] || colours[0] == kRed || colours[1] == kRed);
  for (const bool active : {true, false}) {
    const RGBColor expected = colours[active ? 1 : 0];
    ThemeDrawingState saved = nullptr;
    HiliteWindow(GetDialogWindow(dialog_), active);
    ASSERT_EQ(SetDialogTextColor(dialog_, &saved), noErr);
    EXPECT_EQ(Foreground(), expected) << active;
    RestoreThemeState(&saved);
    EXPECT_EQ(saved, nullptr);
    EXPECT_EQ(Foreground(), kRed);
    RestoreThemeState(&saved);  // nothing held: nothing to do
    EXPECT_EQ(Foreground(), kRed);
  }
  ThemeDrawingState saved = nullptr;
  toolbox::FailAllocationAfter(1);
  EXPECT_EQ(SetDialogTextColor(dialog_, &saved), memFullErr);
  EXPECT_EQ(saved, nullptr);
  EXPECT_EQ(Foreground(), kRed);
}

// A radio group with nothing checked reads -1; the host's filter turns
// Return into the default item.
TEST_F(DialogHelpersTest, RadioGroupAndTheHostsFilter) {
  SetRadioGroup(dialog_, 5, 6, 7);  // no item of the group has that offset
  EXPECT_EQ(GetRadioGroup(dialog_, 5, 6), -1);
  EventRecord event{keyDown, kReturnCharCode, 0, {}, 0};
  DialogItemIndex item = 0;
  EXPECT_TRUE(CallHostModalFilter(dialog_, &event, &item));
  EXPECT_EQ(item, kStdOkItemIndex);
}

}  // namespace
