#include "spirometry/trace_marks.h"

#include <cmath>

#include "frame/host_services.h"
#include "toolbox/quickdraw.h"
#include "util/rect_layout.h"

namespace spiro {

namespace {

constexpr std::int16_t kBracketStyle = 202;
constexpr int kStroke = 2;
constexpr int kTagHeight = 8;

SInt16 Round(double v) { return static_cast<SInt16>(std::lround(v)); }

Rect Box(int top, int left, int bottom, int right) {
  return Rect{static_cast<SInt16>(top), static_cast<SInt16>(left), static_cast<SInt16>(bottom),
              static_cast<SInt16>(right)};
}

void Label(ConstStr255Param text, Rect box, const Rect& within) {
  ConstrainRect(within, box, 0, 0);
  HostService348(text, &box, 0, 1, 1);
}

}  // namespace

SInt16 TracePlacement::X(std::int32_t i) const { return Round(i * pixelsPerSample + leftEdge); }
SInt16 TracePlacement::Y(std::int32_t i) const { return Round(static_cast<double>(samples[i]) * scale + offset); }

void DrawPeakTag(const TracePlacement& flow, std::int32_t index, ConstStr255Param text, bool below,
                 const Rect& within, std::int16_t scale) {
  if (flow.samples == nullptr || index < 0 || index >= flow.count || text == nullptr) return;
  const int s = scale;
  const SInt16 x = flow.X(index);
  const SInt16 y = flow.Y(index);
  MoveTo(x, y);
  Line(0, static_cast<SInt16>(below ? kStroke * s : -kStroke * s));
  const int width = StringWidth(text);
  Rect box = below ? Box(y + s, x - width, y + kTagHeight * s, x)
                   : Box(y - kTagHeight * s, x + kStroke * s, y - s, x + kStroke * s + width);
  ConstrainRect(within, box, 0, 0);
  MoveTo(box.left, box.bottom);
  DrawString(text);
}

void DrawForcedBracket(const TracePlacement& volume, const ForcedExpiration& forced, const Rect& panel,
                       ConstStr255Param fvcText, ConstStr255Param fev1Text, const Rect& within, std::int16_t scale) {
  if (volume.samples == nullptr || forced.endIndex < 0 || forced.endIndex >= volume.count || forced.startIndex < 0 ||
      forced.startIndex > forced.endIndex) {
    return;
  }
  const int s = scale;
  const SInt16 xS = volume.X(forced.startIndex);
  const SInt16 yS = volume.Y(forced.startIndex);
  const SInt16 xE = volume.X(forced.endIndex);
  const SInt16 yE = volume.Y(forced.endIndex);
  const std::int32_t oneSecond = forced.startIndex + forced.samplesPerSecond;
  // A first second past the analysed samples has no volume to mark.
  const bool firstSecond = forced.hasFirstSecond && forced.samplesPerSecond > 0 && oneSecond < volume.count;
  const SInt16 y1 = firstSecond ? volume.Y(oneSecond) : yS;

  RGBColor saved{};
  GetForeColor(&saved);
  ClipRect(&panel);
  HostSetDrawStyle531(kBracketStyle);
  ForeColor(magentaColor);
  MoveTo(xE, yE);
  LineTo(xS, yE);
  LineTo(xS, yS);
  if (firstSecond) {
    MoveTo(xS, y1);
    LineTo(volume.X(oneSecond), y1);
  }
  ClipRect(&within);
  RGBForeColor(&saved);

  if (firstSecond && fev1Text != nullptr) {
    const int w = HostService344(fev1Text);
    const int m1 = (yS + y1) / 2;
    Label(fev1Text, Box(m1 - w / 2, xS, m1 + w / 2 + s, xS + 12 * s), within);
  }
  if (fvcText != nullptr) {
    const int w = HostService344(fvcText);
    const int m2 = (yS + yE) / 2;
    Label(fvcText, Box(m2 - w - s, xS - 10 * s, m2 + w, xS + 2 * s), within);
  }
}

}  // namespace spiro
