#include "spirometry/loop_window_drawing.h"

#include <algorithm>
#include <cmath>

#include "extension/axis_scales.h"
#include "extension/message_box.h"
#include "extension/resource_text_helpers.h"
#include "frame/host_services.h"
#include "spirometry/loop_trace.h"
#include "spirometry/panel_ticks.h"
#include "toolbox/menus.h"
#include "toolbox/quickdraw.h"
#include "util/handle_record.h"

namespace spiro {

namespace {

using spirometry::LocalDataType;
using spirometry::SpiroPlotWindowRecord;

constexpr double kFullScale = 0.9765625;
constexpr double kRangeMargin = 0.6;
constexpr std::int32_t kFramePen = 0x10000;
constexpr std::int32_t kDottedPen = 0x8000;
constexpr std::int32_t kRangeUnknownBit = 2;
constexpr std::int16_t kGridStyle = 100;
constexpr std::int16_t kKeptRange = 2;
constexpr std::int16_t kTitleMenuKind = 4;
constexpr std::int16_t kFlowTitleEntry = 12;
constexpr std::int16_t kVolumeTitleEntry = 13;
constexpr std::int16_t kRangeItemEntry = 14;
constexpr std::int16_t kDefaultItemEntry = 15;
constexpr std::int16_t kOwnItemsWithHeadings = 3;

SInt16 S16(double v) { return static_cast<SInt16>(std::lround(v)); }
SInt16 S16(int v) { return static_cast<SInt16>(v); }

struct LoopAxis {
  void** axis;
  double* offset;
  double* scale;
  bool vertical;
  Rect rect;
  std::int16_t titleEntry;
  MenuRef menu;
  std::int16_t* ownItems;
  double min;
  double max;
  vantor::ChannelScaling negated;
};

// The two heading items go in front of the channel names once, when the axis
// that shows the menu is made.
void AttachMenu(const LoopAxis& a, const LocalDataType& data) {
  if (a.menu == nullptr) return;
  Str255 text{};
  const unsigned char placeholder[] = {1, 'x'};
  InsertMenuItem(a.menu, placeholder, 0);
  SetMenuItemText(a.menu, 1, GetListString(text, data.commandTextList, kRangeItemEntry));
  InsertMenuItem(a.menu, placeholder, 1);
  SetMenuItemText(a.menu, 2, GetListString(text, data.commandTextList, kDefaultItemEntry));
  HostScaleSet368(*a.axis, a.menu, 1);
  HostScaleSet371(*a.axis, kTitleMenuKind);
  *a.ownItems = kOwnItemsWithHeadings;
}

void FitAxis(LoopAxis& a, bool onScreen, int s, bool refit, const LocalDataType& data, std::int16_t status) {
  if (*a.axis == nullptr) {
    *a.axis = HostNewScale(&a.rect, kFullScale, -kFullScale, a.vertical ? 1 : 0, a.vertical ? 1 : 0);
    if (*a.axis == nullptr) return;
    SetScaleFlags48(*a.axis, true, false);
    Str255 title{};
    HostScaleSet380(*a.axis, GetListString(title, data.commandTextList, a.titleEntry));
    AttachMenu(a, data);
  }
  void* axis = *a.axis;
  if (a.vertical) {
    *a.offset = (a.rect.top + a.rect.bottom) * 0.5;
    *a.scale = (a.rect.top - *a.offset) / kFullScale;
  } else {
    *a.offset = (a.rect.left + a.rect.right) * 0.5;
    *a.scale = (a.rect.right - *a.offset) / kFullScale;
  }
  if (refit) {
    double upper = kFullScale;
    double lower = -kFullScale;
    if (status == 0) {
      const double mid = (a.min + a.max) * 0.5;
      const double half = (a.max - a.min) * kRangeMargin;
      upper = -(mid - half);
      lower = -(mid + half);
      HostScaleSet379(axis, &a.negated);
    }
    // A range shown after a failure is no measure of anything; once the
    // analysis succeeds the axis is labelled again.
    HostSetFlagBits(axis, kRangeUnknownBit, status != 0);
    HostScaleSetRange363(axis, upper, lower);
    HostScaleSet365(axis, kKeptRange, upper, lower);
  }
  HostScaleSetFonts382(axis, 9, data.axisFont, 9, data.reportFont);
  HostScaleSet377(axis, S16(s));
  SetScaleFlags5121024(axis, onScreen);
  HostScaleSet375(axis, &a.rect, a.vertical ? 1 : 0, S16(14 * s));
  GetAxisGeometry(axis, a.offset, a.scale);
}

PanelTicks TicksOf(const LoopAxis& a) {
  double upper = kFullScale;
  double lower = -kFullScale;
  if (*a.axis != nullptr) HostScaleGet364(*a.axis, &upper, &lower);
  return TicksOfRange(a.negated, upper, lower);
}

void DrawGrid(const LoopAxis& volume, const LoopAxis& flow, const Rect& plot, int s) {
  HostSetDrawStyle530(kGridStyle);
  HostService170(kDottedPen, S16(s));
  const PanelTicks xs = TicksOf(volume);
  const PanelTicks ys = TicksOf(flow);
  for (const double rawX : xs.raw) {
    const SInt16 x = S16(rawX * *volume.scale + *volume.offset);
    if (x <= plot.left || x > plot.right) continue;
    for (const double rawY : ys.raw) {
      const SInt16 y = S16(rawY * *flow.scale + *flow.offset);
      if (y < plot.top || y >= plot.bottom - s) continue;
      MoveTo(x, y);
      Line(0, 0);
    }
  }
}

void DrawMessage(const Rect& rect, const SpiroPlotWindowRecord& window, const LocalDataType& data) {
  Str255 text{};
  if (window.common.messageCode > 0) GetListString(text, data.messageList, window.common.messageCode);
  DrawMessageBox(rect, text, 0);
}

}  // namespace

vantor::ChannelScaling NegatedScaling(const vantor::ChannelScaling& scaling) {
  vantor::ChannelScaling negated = scaling;
  if (scaling.calibrated != 0) {
    negated.offset = -scaling.offset;
    negated.gain = -scaling.gain;
  } else {
    negated.calibrated = 1;
    negated.offset = 0;
    negated.gain = -1.0;
  }
  return negated;
}

void DrawFlowVolumeLoop(const Rect& rect, bool onScreen, std::int16_t scale, SpiroPlotWindowRecord& window,
                        LocalDataType& data) {
  const std::int16_t status = window.common.status;
  if (status == 1 || (status != 0 && (data.flowChannel == 0 || data.volumeChannel == 0))) {
    DrawMessage(rect, window, data);
    return;
  }
  const int s = scale;
  RGBColor savedColour{};
  GetForeColor(&savedColour);
  Rect& plot = window.common.plotRect;
  plot = Rect{S16(rect.top + 8 * s), S16(rect.left + 48 * s), S16(rect.bottom - 35 * s), S16(rect.right - 10 * s)};

  LoopAxis volume{&window.volumeAxis, &window.volumeAxisOffset, &window.volumeAxisScale, false,
                  Rect{S16(plot.bottom + s), plot.left, S16(rect.bottom - 3 * s), plot.right}, kVolumeTitleEntry,
                  data.volumeMenu, &data.volumeMenuOwnItems, static_cast<double>(data.volumeMin), static_cast<double>(data.volumeMax),
                  NegatedScaling(data.volumeScaling)};
  LoopAxis flow{&window.flowAxis, &window.flowAxisOffset, &window.flowAxisScale, true,
                Rect{plot.top, S16(rect.left + 3 * s), plot.bottom, S16(plot.left - s)}, kFlowTitleEntry,
                data.flowMenu, &data.flowMenuOwnItems, static_cast<double>(data.flowMin), static_cast<double>(data.flowMax), NegatedScaling(data.flowScaling)};
  FitAxis(volume, onScreen, s, window.redraw != 0, data, status);
  FitAxis(flow, onScreen, s, window.redraw != 0, data, status);
  window.redraw = 0;

  HostService170(kFramePen, scale);
  MoveTo(S16(plot.left - s), plot.top);
  LineTo(S16(plot.left - s), plot.bottom);
  LineTo(plot.right, plot.bottom);
  PenNormal();
  for (void* axis : {window.volumeAxis, window.flowAxis}) {
    if (axis != nullptr) HostScaleDraw385(axis, onScreen);
  }

  if (status != 0 || data.flowSamples == nullptr || data.volumeSamples == nullptr) {
    DrawMessage(plot, window, data);
    return;
  }
  ForeColor(whiteColor);
  PaintRect(&plot);
  DrawGrid(volume, flow, plot, s);
  DrawZeroLine(TicksOf(flow), flow.negated, scale, plot, window.flowAxisScale, window.flowAxisOffset);

  const HandleLock flowLock(data.flowSamples);
  const HandleLock volumeLock(data.volumeSamples);
  const auto held = static_cast<std::int32_t>(std::min(flowLock.sizeBytes(), volumeLock.sizeBytes()) / sizeof(float));
  const LoopMapping mapping{window.volumeAxisScale, window.volumeAxisOffset, window.flowAxisScale,
                            window.flowAxisOffset};
  DrawLoopTrace(reinterpret_cast<const float*>(flowLock.address()), reinterpret_cast<const float*>(volumeLock.address()),
                std::min(data.sampleCount, held), mapping, plot, scale, window.plotOption != 0);
  RGBForeColor(&savedColour);
  PenNormal();
  ClipRect(&rect);
}

}  // namespace spiro
