#include "spirometry/time_axis.h"

#include <cmath>
#include <cstring>

#include "extension/axis_ticks.h"
#include "extension/resource_text_helpers.h"
#include "frame/host_services.h"
#include "toolbox/quickdraw.h"

namespace spiro {

namespace {

constexpr std::int16_t kTextSize = 9;
constexpr std::int16_t kCentred = 1;
constexpr int kTickLength = 2;
constexpr int kLabelTickExtra = 1;
constexpr int kLabelGap = 2;
constexpr int kLabelDrop = 9;
constexpr int kTitleDrop = 18;

}  // namespace

vantor::ChannelScaling TimeScaling(const vantor::BlockTimeFormat& timeFormat) {
  static_assert(sizeof(vantor::ChannelScaleInfo) == sizeof(vantor::BlockTimeFormat));
  vantor::ChannelScaling scaling{};
  scaling.calibrated = 0;
  std::memcpy(&scaling.info, &timeFormat, sizeof scaling.info);
  return scaling;
}

std::vector<SInt16> DrawTimeAxis(const vantor::BlockTimeFormat& timeFormat, std::int32_t sampleCount,
                                 const TimeAxisLayout& layout) {
  std::vector<SInt16> xs;
  const int s = layout.scale;
  const vantor::ChannelScaling scaling = TimeScaling(timeFormat);
  AxisTicks ticks = EmptyAxisTicks();
  SetUpAxisTicks(scaling, sampleCount - 1, 0, ticks);
  const int bottom = layout.lowerPanel.bottom;
  TextFont(layout.labelFont);
  TextSize(static_cast<SInt16>(kTextSize * s));
  if (std::isfinite(ticks.step) && ticks.roundedStep > 0) {
    bool first = true;
    int labelEnd = 0;
    for (std::int64_t t = ticks.firstTick; t < sampleCount; t += ticks.roundedStep) {
      const auto x = static_cast<SInt16>(std::lround(static_cast<double>(t) * layout.pixelsPerSample + layout.leftEdge));
      Str255 text{};
      HostFormatNumber336(static_cast<std::int32_t>(t), &timeFormat, 1, 0, text);
      const int half = StringWidth(text) / 2 + kLabelGap * s;
      xs.push_back(x);
      MoveTo(x, static_cast<SInt16>(bottom));
      Line(0, static_cast<SInt16>(kTickLength * s));
      if (first || labelEnd + half < x) {
        Line(0, static_cast<SInt16>(kLabelTickExtra * s));
        HostService169(text, x, static_cast<std::int16_t>(bottom + kLabelDrop * s), kCentred);
        labelEnd = x + half;
        first = false;
      }
    }
  }
  TextFont(layout.titleFont);
  Str255 unit{};
  FormatText(scaling, unit);
  HostService169(unit, static_cast<std::int16_t>((layout.lowerPanel.left + layout.lowerPanel.right) / 2),
                 static_cast<std::int16_t>(bottom + kTitleDrop * s), kCentred);
  return xs;
}

}  // namespace spiro
