// Drawing an axis (service 385): tick marks along the plot side, their labels
// in channel units, and the title with the units in brackets along the outer
// edge. QuickDraw here draws level text only, so a vertical axis stacks its
// title one character per line down the title strip. An axis with a channel
// menu marks its title with a small pop-up triangle on screen.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "host/channel_units.h"
#include "number_text.h"
#include "port_scopes.h"
#include "scale_object.h"
#include "toolbox/pascal_string.h"
#include "toolbox/quickdraw.h"

namespace host {
namespace {

constexpr int kVerticalLabelSpacing = 30;  // pixels between ticks at scale 1
constexpr int kHorizontalLabelSpacing = 60;
constexpr int kTickLength = 4;
constexpr int kLabelGap = 2;

// The port's text settings, given back when the axis is drawn.
class TextScope {
 public:
  TextScope() {
    GetPort(&port_);
    font_ = port_->txFont;
    size_ = port_->txSize;
    face_ = port_->txFace;
  }
  ~TextScope() {
    TextFont(font_);
    TextSize(size_);
    TextFace(face_);
  }
  TextScope(const TextScope&) = delete;
  TextScope& operator=(const TextScope&) = delete;

 private:
  GrafPtr port_ = nullptr;
  SInt16 font_ = 0;
  SInt16 size_ = 0;
  Style face_ = normal;
};

struct Metrics {
  int ascent = 0;
  int descent = 0;
  int Height() const { return ascent + descent; }
};

Metrics UseFont(std::int16_t font, int size) {
  TextFont(font);
  TextSize(static_cast<SInt16>(size));
  TextFace(normal);
  FontInfo info{};
  GetFontInfo(&info);
  return {info.ascent, info.descent};
}

int WidthOf(const std::string& text) { return TextWidth(text.data(), 0, static_cast<SInt16>(text.size())); }

void DrawAt(const std::string& text, int h, int baseline) {
  MoveTo(static_cast<SInt16>(h), static_cast<SInt16>(baseline));
  DrawText(text.data(), 0, static_cast<SInt16>(text.size()));
}

void Line(int h0, int v0, int h1, int v1) {
  MoveTo(static_cast<SInt16>(h0), static_cast<SInt16>(v0));
  LineTo(static_cast<SInt16>(h1), static_cast<SInt16>(v1));
}

std::string TitleOf(const ScaleObject& scale) {
  std::string title(toolbox::PascalView(scale.title.data()));
  const std::string_view unit = scale.hasScaling ? UnitTextOf(scale.scaling) : std::string_view{};
  if (!unit.empty()) title += (title.empty() ? "" : " ") + ("(" + std::string(unit) + ")");
  return title;
}

// A downward triangle, its top edge `width` wide, centred on h.
struct PlacedTick {
  int pixel = 0;
  double units = 0;
};

// Ticks inside [from, to) in pixel order: a negated unit conversion (a loop's
// volume axis) runs its units the other way.
std::vector<PlacedTick> PlacedTicks(const ScaleTicks& ticks, const PixelMapping& mapping, int from, int to) {
  std::vector<PlacedTick> placed;
  for (const ScaleTick& tick : ticks.ticks) {
    const int pixel = static_cast<int>(std::lround(mapping.Pixel(tick.raw)));
    if (pixel >= from && pixel < to) placed.push_back({pixel, tick.units});
  }
  std::sort(placed.begin(), placed.end(), [](const PlacedTick& a, const PlacedTick& b) { return a.pixel < b.pixel; });
  return placed;
}

void MenuMark(int h, int top, int width) {
  PenSize(1, 1);
  for (int row = 0; row <= width / 2; ++row) Line(h - width / 2 + row, top + row, h + width / 2 - row, top + row);
}

bool ShowsMenuMark(const ScaleObject& scale, bool onScreen) {
  return scale.menu != nullptr && onScreen && (scale.flags & kScaleNoMenuMark) == 0;
}

void DrawVertical(const ScaleObject& scale, bool onScreen, int s) {
  const Rect& r = scale.rect;
  if ((scale.flags & kScaleRangeUnknown) == 0) {
    const ScaleTicks ticks = TicksOf(scale, kVerticalLabelSpacing * s);
    const PixelMapping mapping = MappingOf(scale);
    const Metrics m = UseFont(scale.labelFont, scale.labelSize * s);
    const std::vector<PlacedTick> placed = PlacedTicks(ticks, mapping, r.top, r.bottom);
    int freeBelow = r.bottom;  // labels go bottom-up, each above the last
    for (auto tick = placed.rbegin(); tick != placed.rend(); ++tick) {
      const int y = tick->pixel;
      PenSize(static_cast<SInt16>(s), static_cast<SInt16>(s));
      Line(r.right - (kTickLength + 1) * s, y, r.right - s, y);
      const int labelTop = y - m.Height() / 2;
      if (labelTop < r.top || labelTop + m.Height() > freeBelow) continue;
      const std::string label = DecimalText(tick->units, ticks.decimals, true);
      DrawAt(label, r.right - (kTickLength + 1 + kLabelGap) * s - WidthOf(label), labelTop + m.ascent);
      freeBelow = labelTop;
    }
  }
  const std::string title = TitleOf(scale);
  if (title.empty() || scale.titleWidth <= 0) return;
  const Metrics m = UseFont(scale.titleFont, scale.titleSize * s);
  const int centre = r.left + scale.titleWidth / 2;
  const int markHeight = ShowsMenuMark(scale, onScreen) ? 5 * s : 0;
  int baseline = (r.top + r.bottom) / 2 - (static_cast<int>(title.size()) * m.Height() + markHeight) / 2 + m.ascent;
  for (const char c : title) {
    if (c != ' ') {
      const std::string glyph(1, c);
      DrawAt(glyph, centre - WidthOf(glyph) / 2, baseline);
    }
    baseline += m.Height();
  }
  if (markHeight > 0) MenuMark(centre, baseline - m.ascent + s, 6 * s);
}

void DrawHorizontal(const ScaleObject& scale, bool onScreen, int s) {
  const Rect& r = scale.rect;
  if ((scale.flags & kScaleRangeUnknown) == 0) {
    const ScaleTicks ticks = TicksOf(scale, kHorizontalLabelSpacing * s);
    const PixelMapping mapping = MappingOf(scale);
    const Metrics m = UseFont(scale.labelFont, scale.labelSize * s);
    int freeFrom = r.left;  // labels go left to right, each after the last
    for (const PlacedTick& tick : PlacedTicks(ticks, mapping, r.left, r.right)) {
      const int x = tick.pixel;
      PenSize(static_cast<SInt16>(s), static_cast<SInt16>(s));
      Line(x, r.top, x, r.top + (kTickLength - 1) * s);
      const std::string label = DecimalText(tick.units, ticks.decimals, true);
      const int width = WidthOf(label);
      const int left = x - width / 2;
      if (left < freeFrom || left + width > r.right) continue;
      DrawAt(label, left, r.top + (kTickLength + kLabelGap) * s + m.ascent);
      freeFrom = left + width + kLabelGap * 2 * s;
    }
  }
  const std::string title = TitleOf(scale);
  if (title.empty() || scale.titleWidth <= 0) return;
  const Metrics m = UseFont(scale.titleFont, scale.titleSize * s);
  const int width = WidthOf(title);
  const int markWidth = ShowsMenuMark(scale, onScreen) ? 10 * s : 0;
  const int left = (r.left + r.right) / 2 - (width + markWidth) / 2;
  const int baseline = r.bottom - scale.titleWidth / 2 + (m.ascent - m.descent) / 2;
  DrawAt(title, left, baseline);
  if (markWidth > 0) MenuMark(left + width + markWidth / 2 + s, baseline - m.ascent / 2 - s, 6 * s);
}

}  // namespace

void DrawScale(const ScaleObject& scale, bool onScreen) {
  PenScope pen;
  TextScope text;
  ClipScope clip(scale.rect);
  ForeColor(blackColor);
  PenNormal();
  if (scale.vertical) {
    DrawVertical(scale, onScreen, scale.drawScale);
  } else {
    DrawHorizontal(scale, onScreen, scale.drawScale);
  }
}

}  // namespace host
