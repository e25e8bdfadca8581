#include "extension/message_box.h"

#include "frame/host_services.h"
#include "toolbox/quickdraw.h"
#include "toolbox/textedit.h"
#include "util/pstring.h"
#include "util/rect_layout.h"

namespace spiro {

namespace {

constexpr std::int16_t kChannelCountQuery = 1539;
constexpr std::int16_t kPrepareStyle = -6;
constexpr std::int16_t kMessageFontSize = 9;
constexpr std::int16_t kMargin = 6;
constexpr std::int16_t kLineHeight = 13;
constexpr std::int16_t kOneLineHeight = 15;
constexpr std::int16_t kTwoLineHeight = 27;
constexpr std::int16_t kThreeLineHeight = 39;
constexpr auto kChannelSeparator = PStringLiteral("_: ");

enum class Layout { kTextOnly, kPrefixAndText, kPrefixLineThenText };

struct Message {
  Str255 prefix;
  Layout layout;
  std::int16_t width;
};

Message MeasureMessage(ConstStr255Param text, std::int16_t channel) {
  Message message{};
  message.layout = Layout::kTextOnly;
  message.width = StringWidth(text);
  const auto channels = static_cast<std::int32_t>(HostQueryValue(kChannelCountQuery));
  if (channel >= 1 && channel <= channels) {
    HostGetChannelName(channel, message.prefix);
    ConcatPStrings(sizeof(Str255), message.prefix, message.prefix, kChannelSeparator.data());
    Str255 whole;
    ConcatPStrings(sizeof whole, whole, message.prefix, text);
    message.width = HostService344(whole);
    message.layout = Layout::kPrefixAndText;
  }
  return message;
}

// The box at the origin: one line wide enough for the text, or the whole
// available width with two or three lines.
Rect BoxFor(const Rect& area, ConstStr255Param text, Message& message) {
  const int available = area.right - area.left - kMargin;
  Rect box{};
  if (message.width <= available - kMargin) {
    SetRect(&box, 0, 0, static_cast<std::int16_t>(message.width + 8), kOneLineHeight);
    return box;
  }
  const bool tall = message.layout == Layout::kPrefixAndText
                        ? available - kMargin < StringWidth(text)
                        : available - kMargin < message.width / 2;
  const std::int16_t height = tall ? kThreeLineHeight : kTwoLineHeight;
  SetRect(&box, 0, 0, static_cast<std::int16_t>(available), height);
  if (message.layout == Layout::kPrefixAndText) message.layout = Layout::kPrefixLineThenText;
  return box;
}

void DrawMessageText(const Message& message, ConstStr255Param text, const Rect& box) {
  switch (message.layout) {
    case Layout::kPrefixLineThenText: {
      Rect line = box;
      line.bottom = static_cast<std::int16_t>(box.top + kLineHeight);
      HostService346(message.prefix, &line, 1);
      Rect rest = box;
      rest.top = line.bottom;
      TETextBox(text + 1, text[0], &rest, teCenter);
      return;
    }
    case Layout::kPrefixAndText: {
      Str255 whole;
      ConcatPStrings(sizeof whole, whole, message.prefix, text);
      HostService346(whole, &box, 1);
      return;
    }
    case Layout::kTextOnly:
      TETextBox(text + 1, text[0], &box, teCenter);
      return;
  }
}

}  // namespace

void DrawMessageBox(const Rect& rect, ConstStr255Param text, std::int16_t channel) {
  TextFont(applFont);
  TextSize(kMessageFontSize);
  // The host may adjust the area it prepares; the box goes where it says.
  Rect area = rect;
  HostService74(&area, kPrepareStyle, 1);
  if (text[0] == 0) return;

  Message message = MeasureMessage(text, channel);
  Rect box = CenterRect(BoxFor(area, text, message), area);
  EraseRect(&box);
  FrameRect(&box);
  InsetRect(&box, 3, 1);
  DrawMessageText(message, text, box);
}

}  // namespace spiro
