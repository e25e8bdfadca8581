#include "extension/message_box.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "support/port_fixture.h"
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
    const auto left = static_cast<std::int16_t>((in.left + in.right - width) / 2);
    const auto top = static_cast<std::int16_t>((in.top + in.bottom - height) / 2);
    return Rect{top, left, static_cast<std::int16_t>(top + height), static_cast<std::int16_t>(left + width)};
  }
  static Rect Inset(Rect r) {
    r.top += 1, r.bottom -= 1, r.left += 3, r.right -= 3;
    return r;
  }
  std::string DrawnText() const {
    std::string all;
    for (const auto& op : OpsOf(Drawn(), DrawKind::kText)) all += (all.empty() ? "" : " ") + op.text;
    return all;
  }
  // The box is framed where expected, and nothing else is framed.
  void ExpectFramedBox(const Rect& box) const {
    const auto frames = OpsOf(Drawn(), DrawKind::kFrameRect);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].rect, box);
  }

  std::vector<std::pair<std::string, Rect>> wrapped_;
  vantor::ServiceFn<service::HostService346> hostWrap_ =
      vantor::ServiceAt<service::HostService346>(host::Services());
  Spy<service::HostService346> wrap_{
      [this](ConstStr255Param text, const Rect* rect, std::int16_t justify) {
        wrapped_.emplace_back(TextOf(text), *rect);
        hostWrap_(text, rect, justify);
      }};
  // The host prepares the area, keeping its left part for itself from `hostLeft_` on.
  std::int16_t hostLeft_ = kArea.left;
  Spy<service::HostService74> prepare_{[this](Rect* rect, std::int16_t, std::int16_t) {
    EraseRect(rect);
    rect->left = hostLeft_;
  }};
};

// An empty text only has the host prepare the area. A short text gets a
// one-line box its width; a long one the whole width over two or three lines;
// either is centred where the host left the area.
TEST_F(MessageBoxTest, TheBoxFitsTheTextAndIsCentredInTheAreaTheHostLeft) {
  DrawMessageBox(kArea, PString("").get(), 0);
  ASSERT_EQ(prepare_.count(), 1u);
  EXPECT_EQ(std::get<1>(prepare_.last()), -6);
  EXPECT_EQ(Drawn().ops.size(), 1u) << "only the host's erase";

  const std::string shortText = "No flow channel";
  const std::string twoLines = TextWiderThan(kAvailable - 6);
  ASSERT_LE(WidthOf(twoLines) / 2, kAvailable - 6);
  const std::string threeLines = TextWiderThan(2 * (kAvailable - 6) + 1);
  const struct {
    std::string text;
    std::int16_t hostLeft;
    int width, height;
  } cases[] = {{shortText, kArea.left, WidthOf(shortText) + 8, 15},
               {shortText, 110, WidthOf(shortText) + 8, 15},
               {twoLines, kArea.left, kAvailable, 27},
               {threeLines, kArea.left, kAvailable, 39}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    toolbox::ClearDisplayList(port_);
    hostLeft_ = c.hostLeft;
    DrawMessageBox(kArea, PString(c.text).get(), 0);
    const Rect box = Centred(c.width, c.height, Rect{kArea.top, c.hostLeft, kArea.bottom, kArea.right});
    ExpectFramedBox(box);
    EXPECT_EQ(DrawnText(), c.text);
    EXPECT_EQ(OpsOf(Drawn(), DrawKind::kText).front().state.clip, Inset(box));
  }
  EXPECT_TRUE(wrapped_.empty());
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

// A channel's name leads the message on its line, or on a line of its own
// above a long message; a channel outside the document is not named.
TEST_F(ChannelMessageBoxTest, AChannelsNameLeadsTheMessage) {
  DrawMessageBox(kArea, PString("Clipped").get(), 2);
  const Rect box = Centred(WidthOf("Flow 2_: Clipped") + 8, 15, kArea);
  ExpectFramedBox(box);
  EXPECT_EQ(wrapped_, (std::vector<std::pair<std::string, Rect>>{{"Flow 2_: Clipped", Inset(box)}}));

  wrapped_.clear();
  toolbox::ClearDisplayList(port_);
  DrawMessageBox(kArea, PString(TextWiderThan(kAvailable - 6)).get(), 4);
  const Rect inside = Inset(Centred(kAvailable, 39, kArea));
  const auto lineEnd = static_cast<std::int16_t>(inside.top + 13);
  EXPECT_EQ(wrapped_, (std::vector<std::pair<std::string, Rect>>{
                          {"Flow 4_: ", Rect{inside.top, inside.left, lineEnd, inside.right}}}));
  EXPECT_EQ(OpsOf(Drawn(), DrawKind::kText).back().state.clip, (Rect{lineEnd, inside.left, inside.bottom, inside.right}));

  wrapped_.clear();
  for (std::int16_t channel : {0, 5, -1}) {
    toolbox::ClearDisplayList(port_);
    DrawMessageBox(kArea, PString("Clipped").get(), channel);
    EXPECT_EQ(DrawnText(), "Clipped") << "channel " << channel;
  }
  EXPECT_EQ(channelName_.count(), 2u) << "only the two channels inside";
  EXPECT_TRUE(wrapped_.empty());
}

}  // namespace
