#include "spirometry/panel_ticks.h"

#include <algorithm>
#include <cmath>

#include "extension/channel_scaling.h"
#include "frame/host_services.h"
#include "toolbox/quickdraw.h"

namespace spiro {

namespace {

constexpr double kSixteenth = 0.0625;
constexpr std::int16_t kNiceRounding = 2048;
constexpr int kMaxTicks = 64;
constexpr std::int32_t kDottedPen = 0x8000;
constexpr std::int16_t kGridStyle = 100;
constexpr std::int16_t kZeroLineStyle = 202;

}  // namespace

PanelTicks TicksOfRange(const vantor::ChannelScaling& scaling, double rawUpper, double rawLower) {
  PanelTicks ticks;
  const double a = RawToUnits(rawUpper, scaling);
  const double b = RawToUnits(rawLower, scaling);
  const double low = std::min(a, b);
  const double high = std::max(a, b);
  const double step = HostService84((high - low) * kSixteenth, kNiceRounding);
  if (!(step > 0) || !std::isfinite(step) || !std::isfinite(low)) return ticks;
  ticks.unitStep = step;
  const double first = std::ceil(low / step);
  for (double k = first; k * step <= high && k - first < kMaxTicks; ++k) ticks.raw.push_back(UnitsToRaw(k * step, scaling));
  return ticks;
}

void DrawZeroLine(const PanelTicks& ticks, const vantor::ChannelScaling& scaling, std::int16_t scale,
                  const Rect& rect, double yScale, double yOffset) {
  const auto zero = std::find_if(ticks.raw.begin(), ticks.raw.end(), [&](double raw) {
    return std::fabs(RawToUnits(raw, scaling)) < ticks.unitStep / 5;
  });
  if (zero == ticks.raw.end()) return;
  const auto y = static_cast<SInt16>(std::lround(*zero * yScale + yOffset));
  PenState pen{};
  GetPenState(&pen);
  RGBColor colour{};
  GetForeColor(&colour);
  HostSetDrawStyle530(kGridStyle);
  HostSetDrawStyle531(kZeroLineStyle);
  HostService170(kDottedPen, scale);
  MoveTo(rect.left, y);
  LineTo(rect.right, y);
  SetPenState(&pen);
  RGBForeColor(&colour);
}

}  // namespace spiro
