#include "spirometry/tabbed_line.h"

#include <cstring>

#include "frame/host_services.h"
#include "toolbox/quickdraw.h"

namespace spiro {

namespace {

constexpr unsigned char kTab = '\t';
constexpr std::int16_t kVentilationRow = 8;
constexpr std::int32_t kDotPen = 0x20000;
constexpr int kColumnGap = 4;
constexpr int kDotHeight = 12;

struct Split {
  Str255 column{};
  Str255 rest{};
};

void Assign(Str255& out, const unsigned char* from, int length) {
  out[0] = static_cast<unsigned char>(length);
  if (length > 0) std::memcpy(out + 1, from, static_cast<std::size_t>(length));
}

// Left to right takes the text before the first tab; right to left the text
// after the last. Without a tab the whole text is the column.
Split Take(const Str255& text, bool leftToRight) {
  Split split;
  const int length = text[0];
  int at = -1;
  for (int i = 1; i <= length; ++i) {
    if (text[i] == kTab && (at < 0 || !leftToRight)) at = i;
  }
  if (at < 0) {
    Assign(split.column, text + 1, length);
  } else if (leftToRight) {
    Assign(split.column, text + 1, at - 1);
    Assign(split.rest, text + at + 1, length - at);
  } else {
    Assign(split.column, text + at + 1, length - at);
    Assign(split.rest, text + 1, at - 1);
  }
  return split;
}

void FlowRateDot(const Str255& column, int x, int y, std::int16_t scale) {
  if (column[0] == 0) return;
  HostService170(kDotPen, scale);
  MoveTo(static_cast<SInt16>(x + CharWidth(static_cast<SInt16>(column[1])) / 2 - 1),
         static_cast<SInt16>(y - kDotHeight * scale));
  Line(0, 0);
  PenNormal();
}

}  // namespace

void DrawTabbedLine(ConstStr255Param text, std::int16_t row, std::int16_t x, std::int16_t y, std::int16_t tab,
                    std::int16_t scale, std::int16_t direction) {
  if (text == nullptr) return;
  const bool leftToRight = direction == 0;
  Str255 rest{};
  std::memcpy(rest, text, static_cast<std::size_t>(text[0]) + 1);
  const int x0 = x;
  int at = x;
  for (bool firstTaken = false; rest[0] > 0;) {
    const Split split = Take(rest, leftToRight);
    std::memcpy(rest, split.rest, static_cast<std::size_t>(split.rest[0]) + 1);
    const bool isFirst = leftToRight ? !firstTaken : rest[0] == 0;
    firstTaken = true;
    TextFace(isFirst ? bold : normal);
    HostService345(split.column, static_cast<std::int16_t>(at), y, direction);
    if (row == kVentilationRow && isFirst && leftToRight) FlowRateDot(split.column, at, y, scale);
    const int width = HostService344(split.column);
    const int gap = kColumnGap * scale;
    // A tab of 0 would divide by zero: columns then just follow each other.
    if (tab <= 0) {
      at = leftToRight ? at + width + gap : at - width - gap;
    } else if (leftToRight) {
      at = x0 + ((at + width + gap - x0) / tab + 1) * tab;
    } else {
      at = x0 - ((x0 - (at - width - gap)) / tab + 1) * tab;
    }
  }
  TextFace(normal);
}

}  // namespace spiro
