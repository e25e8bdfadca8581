// Theme drawing states saved and restored around drawing (their failure when
// memory runs out is swept by the extension's drawing state test), and the
// theme text colours.
#include "toolbox/appearance.h"

#include <gtest/gtest.h>

#include "toolbox/memory.h"

namespace {

constexpr RGBColor kBlack{0, 0, 0};

class AppearanceTest : public testing::Test {
 protected:
  void SetUp() override {
    port_ = CreateNewPort();
    ASSERT_NE(port_, nullptr);
    SetPort(port_);
  }
  void TearDown() override {
    toolbox::FailAllocationAfter(0);
    SetPort(nullptr);
    DisposePort(port_);
  }
  CGrafPtr port_ = nullptr;
};

// Pen and colours are restored as the extension's drawing state test shows;
// here what it does not look at: text, clip, and the state's single use.
TEST_F(AppearanceTest, AStateRestoresTextAndClipOnceAndTextColoursFollowActivation) {
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
  EXPECT_EQ(port_->txFont, 21);
  EXPECT_EQ(port_->txFace, bold);
  EXPECT_EQ(port_->clipRect, clip);
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
  EXPECT_EQ(port_->rgbFgColor, inactive);
}

}  // namespace
