// TETextBox. Lines break after the last space that lets the line fit, or
// inside a word too long for the box, and at carriage returns; spaces at the
// end of a line are not counted when the line is justified.
#include <algorithm>
#include <string_view>
#include <vector>

#include "toolbox/quickdraw.h"
#include "toolbox/textedit.h"

namespace {

constexpr char kReturn = '\r';

SInt16 Width(std::string_view text) {
  return TextWidth(text.data(), 0, static_cast<SInt16>(std::min<std::size_t>(text.size(), 32767)));
}

std::string_view WithoutTrailingSpaces(std::string_view line) {
  const auto last = line.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string_view{} : line.substr(0, last + 1);
}

// The length of the first line of `text` (return excluded) that fits `width`.
std::size_t FittingLength(std::string_view text, int width) {
  const std::size_t end = std::min(text.find(kReturn), text.size());
  std::size_t fits = 0;
  std::size_t lastBreak = 0;
  for (std::size_t n = 1; n <= end; ++n) {
    if (Width(WithoutTrailingSpaces(text.substr(0, n))) > width) break;
    fits = n;
    if (text[n - 1] == ' ') lastBreak = n;
  }
  if (fits == end) return end;
  if (lastBreak > 0) return lastBreak;
  return std::max<std::size_t>(fits, 1);  // a word wider than the box: at least one character a line
}

std::vector<std::string_view> WrapLines(std::string_view text, int width) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t length = FittingLength(text, width);
    lines.push_back(text.substr(0, length));
    text.remove_prefix(length);
    if (!text.empty() && text.front() == kReturn) text.remove_prefix(1);
  }
  return lines;
}

SInt16 LineLeft(const Rect& box, SInt16 lineWidth, SInt16 just) {
  if (just == teCenter) return static_cast<SInt16>(box.left + (box.right - box.left - lineWidth) / 2);
  if (just == teFlushRight) return static_cast<SInt16>(box.right - lineWidth);
  return box.left;
}

}  // namespace

void TETextBox(const void* text, SInt32 length, const Rect* box, SInt16 just) {
  if (box == nullptr || (text == nullptr && length > 0)) return;
  GrafPtr port = nullptr;
  GetPort(&port);
  const Rect savedClip = port->clipRect;
  EraseRect(box);
  if (length <= 0) return;
  Rect clip{};
  SectRect(box, &savedClip, &clip);
  ClipRect(&clip);
  FontInfo info{};
  GetFontInfo(&info);
  const int lineHeight = info.ascent + info.descent + info.leading;
  const std::string_view all(static_cast<const char*>(text), static_cast<std::size_t>(length));
  int baseline = box->top + info.ascent;
  for (const std::string_view line : WrapLines(all, box->right - box->left)) {
    if (baseline - info.ascent >= box->bottom) break;
    const std::string_view shown = WithoutTrailingSpaces(line);
    MoveTo(LineLeft(*box, Width(shown), just), static_cast<SInt16>(baseline));
    DrawText(shown.data(), 0, static_cast<SInt16>(shown.size()));
    baseline += lineHeight;
  }
  ClipRect(&savedClip);
}
