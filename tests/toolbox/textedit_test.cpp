// TETextBox: wrapping at spaces and returns, justification, clipping to the
// box and restoring the clip afterwards.
#include "toolbox/textedit.h"

#include <gtest/gtest.h>

#include <string_view>

#include "toolbox/quickdraw.h"

namespace {

class TextBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    port_ = CreateNewPort();
    ASSERT_NE(port_, nullptr);
    const Rect bounds{0, 0, 400, 400};
    SetPortBounds(port_, &bounds);
    SetPort(port_);
    TextFont(applFont);
    TextSize(12);
  }
  void TearDown() override {
    SetPort(nullptr);
    DisposePort(port_);
  }

  std::vector<toolbox::DrawOp> Texts() const {
    std::vector<toolbox::DrawOp> texts;
    for (const auto& op : port_->displayList.ops) {
      if (op.kind == toolbox::DrawKind::kText) texts.push_back(op);
    }
    return texts;
  }

  static SInt16 Width(std::string_view s) { return TextWidth(s.data(), 0, static_cast<SInt16>(s.size())); }

  CGrafPtr port_ = nullptr;
};

TEST_F(TextBoxTest, LinesBreakAtSpacesThatFitAndAtReturns) {
  const std::string_view text = "Spirometer flow head calibration\rdone";
  const SInt16 width = static_cast<SInt16>(Width("Spirometer flow") + 2);
  const Rect box{10, 20, 200, static_cast<SInt16>(20 + width)};
  TETextBox(text.data(), static_cast<SInt32>(text.size()), &box, teFlushLeft);
  const auto lines = Texts();
  std::vector<std::string> texts;
  for (const auto& line : lines) texts.push_back(line.text);
  ASSERT_EQ(texts, (std::vector<std::string>{"Spirometer flow", "head", "calibration", "done"}));
  FontInfo info{};
  GetFontInfo(&info);
  EXPECT_EQ(lines[0].from, (Point{static_cast<SInt16>(10 + info.ascent), 20}));
  EXPECT_EQ(lines[1].from.v - lines[0].from.v, info.ascent + info.descent + info.leading);
  EXPECT_EQ(lines[0].state.clip, box);
  EXPECT_EQ(port_->clipRect, (Rect{-32768, -32768, 32767, 32767})) << "the caller's clip returns";
}

TEST_F(TextBoxTest, AWordWiderThanTheBoxIsCutAndLinesBelowTheBoxAreNotDrawn) {
  const Rect narrow{0, 0, 30, 10};
  const std::string_view text = "Inspiration";
  TETextBox(text.data(), static_cast<SInt32>(text.size()), &narrow, teFlushLeft);
  const auto lines = Texts();
  ASSERT_FALSE(lines.empty());
  EXPECT_LE(lines.size(), 3u);  // a 30-pixel box holds at most two lines and part of a third
  std::string shown;
  for (const auto& line : lines) shown += line.text;
  EXPECT_EQ(text.substr(0, shown.size()), shown);
  TETextBox(nullptr, 5, &narrow, teFlushLeft);  // refused
  TETextBox(text.data(), -1, &narrow, teFlushLeft);
  EXPECT_EQ(Texts().size(), lines.size());
}

}  // namespace
