#include "extension/message_box.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "extension/port_fixture.h"
#include "toolbox/resource_test_support.h"

using namespace spiro;

namespace {

namespace service = vantor::service;
using toolbox::DrawKind;

using resource_test::PString;
using resource_test::TextOf;

// The window area the messages go in: 280 wide, 160 high.
constexpr Rect kArea{20, 10, 180, 290};
constexpr int kAvailable = 280 - 6;

class MessageBoxTest : public PortTest {
 protected:
  // Widths as DrawMessageBox measures them, in its font.
  static int WidthOf(const std::string& text) {
    TextFont(applFont);
    TextSize(9);
    return StringWidth(PString(text).get());
  }
  // Words until the text is at least `width` pixels wide.
  static std::string TextWiderThan(int width) {
    std::string text = "Not enough breaths";
    while (WidthOf(text) <= width) text += " in the selection";
    return text;
  }
  static Rect Centred(int width, int height, const Rect& in) {
    const int left = (in.left + in.right - width) / 2;
    const int top = (in.top + in.bottom - height) / 2;
    return Rect{static_cast<std::int16_t>(top), static_cast<std::int16_t>(left),
                static_cast<std::int16_t>(top + height), static_cast<std::int16_t>(left + width)};
  }
  static Rect Inset(Rect r) {
    r.top += 1, r.bottom -= 1, r.left += 3, r.right -= 3;
    return r;
  }
  std::vector<const toolbox::DrawOp*> OpsOf(DrawKind kind) const {
    std::vector<const toolbox::DrawOp*> found;
    for (const auto& op : Drawn().ops) {
      if (op.kind == kind) found.push_back(&op);
    }
    return found;
  }
  std::string DrawnText() const {
    std::string all;
    for (const auto* op : OpsOf(DrawKind::kText)) all += (all.empty() ? "" : " ") + op->text;
    return all;
  }
  // The box is framed where expected, and nothing else is framed.
  void ExpectFramedBox(const Rect& box) const {
    const auto frames = OpsOf(DrawKind::kFrameRect);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]->rect, box);
  }

  std::vector<std::pair<std::string, Rect>> wrapped_;
  vantor::ServiceFn<service::HostService346> hostWrap_ =
      vantor::ServiceAt<service::HostService346>(host::Services());
  Spy<service::HostService346> wrap_{
      [this](ConstStr255Param text, const Rect* rect, std::int16_t justify) {
        wrapped_.emplace_back(TextOf(text), *rect);
        hostWrap_(text, rect, justify);
      }};
};

TEST_F(MessageBoxTest, EmptyTextOnlyHasTheHostPrepareTheArea) {
  Spy<service::HostService74> prepare;
  DrawMessageBox(kArea, PString("").get(), 0);
  ASSERT_EQ(prepare.count(), 1u);
  EXPECT_EQ(std::get<1>(prepare.last()), -6);
  EXPECT_EQ(std::get<2>(prepare.last()), 1);
  EXPECT_TRUE(Drawn().ops.empty());
  EXPECT_EQ(GetPortTextFont(port_), applFont);
  EXPECT_EQ(GetPortTextSize(port_), 9);
}

TEST_F(MessageBoxTest, ShortTextGetsAOneLineBoxCentredInTheArea) {
  const std::string text = "No flow channel";
  DrawMessageBox(kArea, PString(text).get(), 0);
  const Rect box = Centred(WidthOf(text) + 8, 15, kArea);
  ExpectFramedBox(box);
  EXPECT_EQ(OpsOf(DrawKind::kEraseRect).front()->rect, kArea);  // the host's preparation
  EXPECT_EQ(DrawnText(), text);
  EXPECT_EQ(OpsOf(DrawKind::kText).front()->state.clip, Inset(box));
  EXPECT_TRUE(wrapped_.empty());
}

TEST_F(MessageBoxTest, LongTextTakesTheWholeWidthOverTwoOrThreeLines) {
  const std::string twoLines = TextWiderThan(kAvailable - 6);
  ASSERT_LE(WidthOf(twoLines) / 2, kAvailable - 6);
  DrawMessageBox(kArea, PString(twoLines).get(), 0);
  ExpectFramedBox(Centred(kAvailable, 27, kArea));
  EXPECT_EQ(DrawnText(), twoLines);

  toolbox::ClearDisplayList(port_);
  const std::string threeLines = TextWiderThan(2 * (kAvailable - 6) + 1);
  DrawMessageBox(kArea, PString(threeLines).get(), 0);
  ExpectFramedBox(Centred(kAvailable, 39, kArea));
}

TEST_F(MessageBoxTest, TheBoxGoesWhereTheHostLeftTheArea) {
  Spy<service::HostService74> prepare{[](Rect* rect, std::int16_t, std::int16_t) {
    rect->left = 110;  // the host keeps the left part for itself
  }};
  const std::string text = "No volume channel";
  DrawMessageBox(kArea, PString(text).get(), 0);
  ExpectFramedBox(Centred(WidthOf(text) + 8, 15, Rect{20, 110, 180, 290}));
}

class ChannelMessageBoxTest : public MessageBoxTest {
 protected:
  Spy<service::HostQueryValue> query_{[](std::int16_t selector) -> vantor::HostProcedure {
    return selector == 1539 ? 4 : 0;
  }};
  Spy<service::HostGetChannelName> channelName_{[](std::int16_t channel, Str255* name) {
    std::memcpy(*name, PString("Flow " + std::to_string(channel)).get(), sizeof(Str255));
  }};
};

TEST_F(ChannelMessageBoxTest, AChannelsNameLeadsTheMessageOnOneLine) {
  const std::string text = "Clipped";
  DrawMessageBox(kArea, PString(text).get(), 2);
  const std::string whole = "Flow 2_: " + text;
  const Rect box = Centred(WidthOf(whole) + 8, 15, kArea);
  ExpectFramedBox(box);
  ASSERT_EQ(wrapped_.size(), 1u);
  EXPECT_EQ(wrapped_[0].first, whole);
  EXPECT_EQ(wrapped_[0].second, Inset(box));
}

TEST_F(ChannelMessageBoxTest, ALongMessageGivesTheNameALineOfItsOwn) {
  const std::string text = TextWiderThan(kAvailable - 6);
  DrawMessageBox(kArea, PString(text).get(), 4);
  const Rect inside = Inset(Centred(kAvailable, 39, kArea));
  const auto lineEnd = static_cast<std::int16_t>(inside.top + 13);
  ExpectFramedBox(Centred(kAvailable, 39, kArea));
  ASSERT_EQ(wrapped_.size(), 1u);
  EXPECT_EQ(wrapped_[0].first, "Flow 4_: ");
  EXPECT_EQ(wrapped_[0].second, (Rect{inside.top, inside.left, lineEnd, inside.right}));
  // The message itself is wrapped below the name's line.
  const auto texts = OpsOf(DrawKind::kText);
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.back()->state.clip, (Rect{lineEnd, inside.left, inside.bottom, inside.right}));
}

TEST_F(ChannelMessageBoxTest, AChannelOutsideTheDocumentIsNotNamed) {
  for (std::int16_t channel : {0, 5, -1}) {
    toolbox::ClearDisplayList(port_);
    DrawMessageBox(kArea, PString("Clipped").get(), channel);
    EXPECT_EQ(DrawnText(), "Clipped") << "channel " << channel;
  }
  EXPECT_EQ(channelName_.count(), 0u);
  EXPECT_TRUE(wrapped_.empty());
}

}  // namespace
