#include "spirometry/data_window_drawing.h"

#include <cmath>
#include <vector>

#include "extension/axis_scales.h"
#include "extension/message_box.h"
#include "extension/resource_text_helpers.h"
#include "frame/host_services.h"
#include "spirometry/panel_ticks.h"
#include "spirometry/time_axis.h"
#include "spirometry/trace_marks.h"
#include "toolbox/quickdraw.h"
#include "util/handle_record.h"

namespace spiro {

namespace {

using spirometry::LocalDataType;
using spirometry::SpiroDataWindowRecord;

constexpr double kFullScale = 0.9765625;
constexpr double kRangeMargin = 0.6;  // half the range shown, in units of the data's span
constexpr std::int32_t kFramePen = 0x10000;
constexpr std::int32_t kTracePen = 0x4000;
constexpr std::int32_t kDottedPen = 0x8000;
constexpr std::int16_t kGridStyle = 100;
constexpr std::int16_t kChannelStyleBase = 100;
constexpr std::int16_t kForcedShading = -11;
constexpr std::int16_t kFlowTitleEntry = 12;
constexpr std::int16_t kVolumeTitleEntry = 13;
constexpr std::int16_t kInspiratoryTagEntry = 6;
constexpr std::int16_t kExpiratoryTagEntry = 7;
constexpr std::int16_t kFev1LabelEntry = 8;
constexpr std::int16_t kFvcLabelEntry = 9;

SInt16 S16(double v) { return static_cast<SInt16>(std::lround(v)); }
SInt16 S16(int v) { return static_cast<SInt16>(v); }

struct Panel {
  Rect rect{};
  void** axis = nullptr;
  double* scale = nullptr;
  double* offset = nullptr;
  double min = 0;
  double max = 0;
  const vantor::ChannelScaling* scaling = nullptr;
  std::int16_t titleEntry = 0;
};

void FitAxis(const Rect& rect, bool onScreen, int s, Panel& panel, bool refit, const LocalDataType& data) {
  const Rect axisRect{panel.rect.top, S16(rect.left + 3 * s), panel.rect.bottom, S16(panel.rect.left - s)};
  if (*panel.axis == nullptr) {
    *panel.axis = HostNewScale(&axisRect, kFullScale, -kFullScale, 1, 1);
    if (*panel.axis == nullptr) return;
    SetScaleFlags48(*panel.axis, true, false);
    Str255 title{};
    HostScaleSet380(*panel.axis, GetListString(title, data.commandTextList, panel.titleEntry));
  }
  void* axis = *panel.axis;
  *panel.offset = (panel.rect.top + panel.rect.bottom) * 0.5;
  *panel.scale = (panel.rect.top - *panel.offset) / kFullScale;
  if (refit) {
    const double mid = (panel.min + panel.max) * 0.5;
    const double half = (panel.max - panel.min) * kRangeMargin;
    HostScaleSetRange363(axis, mid + half, mid - half);
    HostScaleSet379(axis, panel.scaling);
  }
  HostScaleSetFonts382(axis, 9, data.axisFont, 9, data.reportFont);
  HostScaleSet377(axis, S16(s));
  SetScaleFlags5121024(axis, onScreen);
  SetScaleFlags3264(axis, false);
  HostScaleSet375(axis, &axisRect, 1, S16(14 * s));
  GetAxisGeometry(axis, panel.offset, panel.scale);
}

PanelTicks TicksOf(const Panel& panel) {
  double upper = kFullScale;
  double lower = -kFullScale;
  if (*panel.axis != nullptr) HostScaleGet364(*panel.axis, &upper, &lower);
  return TicksOfRange(*panel.scaling, upper, lower);
}

void DrawFrame(const Panel (&panels)[2], bool onScreen, int s) {
  HostService170(kFramePen, S16(s));
  for (const Panel& panel : panels) {
    MoveTo(S16(panel.rect.left - s), panel.rect.top);
    LineTo(S16(panel.rect.left - s), panel.rect.bottom);
    LineTo(panel.rect.right, panel.rect.bottom);
  }
  for (const Panel& panel : panels) {
    if (*panel.axis != nullptr) HostScaleDraw385(*panel.axis, onScreen);
  }
  RGBColor saved{};
  GetForeColor(&saved);
  ForeColor(whiteColor);
  for (const Panel& panel : panels) PaintRect(&panel.rect);
  RGBForeColor(&saved);
  HostService170(kTracePen, S16(s));
}

void DrawPhaseStrip(const SpiroDataWindowRecord& window, const LocalDataType& data, const Rect& upper,
                    const Rect& lower) {
  if (data.phases == nullptr || data.phaseCount < 2) return;
  const HandleLock lock(data.phases);
  const auto* phases = reinterpret_cast<const spirometry::BreathPhase*>(lock.address());
  const std::size_t held = lock.sizeBytes() / sizeof(spirometry::BreathPhase);
  const int count = std::min<int>(data.phaseCount, static_cast<int>(held));
  auto xOf = [&](int k) { return S16(phases[k - 1].sampleIndex * window.pixelsPerSample + window.leftEdge); };
  for (int k = 2; k <= count; ++k) {
    const SInt16 x = xOf(k);
    if (phases[k - 1].forced != 0) {
      Rect strip{upper.bottom, S16(xOf(k - 1) + 1), lower.top, S16(x + 1)};
      HostService74(&strip, kForcedShading, 1);
    }
    if (k < count) {
      MoveTo(x, upper.bottom);
      LineTo(x, S16(lower.top - 1));
    }
  }
}

void DrawGrid(const std::vector<SInt16>& xs, const Panel (&panels)[2], int s) {
  RGBColor saved{};
  GetForeColor(&saved);
  PenState pen{};
  GetPenState(&pen);
  HostSetDrawStyle530(kGridStyle);
  HostService170(kDottedPen, S16(s));
  const Rect& upper = panels[0].rect;
  for (const Panel& panel : panels) {
    const PanelTicks ticks = TicksOf(panel);
    for (const SInt16 x : xs) {
      if (x <= upper.left || x > upper.right) continue;
      for (const double raw : ticks.raw) {
        const SInt16 y = S16(raw * *panel.scale + *panel.offset);
        if (y < panel.rect.top || y >= panel.rect.bottom - s) continue;
        MoveTo(x, y);
        Line(0, 0);
      }
    }
  }
  SetPenState(&pen);
  RGBForeColor(&saved);
}

void DrawTrace(const TracePlacement& trace, const Rect& clip, std::int16_t style) {
  if (trace.samples == nullptr || trace.count <= 0) return;
  HostSetDrawStyle530(style);
  ClipRect(&clip);
  MoveTo(trace.X(0), trace.Y(0));
  for (std::int32_t i = 1; i < trace.count; ++i) LineTo(trace.X(i), trace.Y(i));
}

// The samples a handle really holds, at most the analysed count.
std::int32_t SamplesHeld(const HandleLock& lock, std::int32_t count) {
  return std::min<std::int32_t>(count, static_cast<std::int32_t>(lock.sizeBytes() / sizeof(float)));
}

}  // namespace

void DrawDataWindow(const Rect& rect, bool onScreen, std::int16_t scale, SpiroDataWindowRecord& window,
                    LocalDataType& data) {
  Str255 text{};
  if (window.common.status != 0 || data.sampleCount < 2 || data.flowSamples == nullptr ||
      data.volumeSamples == nullptr) {
    if (window.common.messageCode > 0) GetListString(text, data.messageList, window.common.messageCode);
    DrawMessageBox(rect, text, 0);
    return;
  }
  const int s = scale;
  RGBColor savedColour{};
  GetForeColor(&savedColour);

  // 1. Geometry.
  window.leftEdge = S16(rect.left + 48 * s);
  const SInt16 right = S16(rect.right - 10 * s);
  Rect& upper = window.common.plotRect;
  Rect& lower = window.volumePlotRect;
  upper = Rect{S16(rect.top + 5 * s), window.leftEdge, S16((rect.top + 5 * s + rect.bottom - 35 * s) / 2 - s), right};
  lower = Rect{S16(upper.bottom + 2 * s), window.leftEdge, S16(rect.bottom - 35 * s), right};
  window.pixelsPerSample = static_cast<double>(right - window.leftEdge - 1) / (data.sampleCount - 1);

  // 2. Axes.
  Panel panels[2] = {
      {upper, &window.flowAxis, &window.flowTraceScale, &window.flowTraceOffset, static_cast<double>(data.flowMin), static_cast<double>(data.flowMax),
       &data.flowScaling, kFlowTitleEntry},
      {lower, &window.volumeAxis, &window.volumeTraceScale, &window.volumeTraceOffset, static_cast<double>(data.volumeMin),
       static_cast<double>(data.volumeMax), &data.volumeScaling, kVolumeTitleEntry},
  };
  for (Panel& panel : panels) FitAxis(rect, onScreen, s, panel, window.redraw != 0, data);
  window.redraw = 0;

  // 3, 4. Frame, axes, white panels, phase strip.
  DrawFrame(panels, onScreen, s);
  DrawPhaseStrip(window, data, upper, lower);

  // 5 to 7. Time axis with its grid, the zero-flow line.
  const TimeAxisLayout layout{window.pixelsPerSample, window.leftEdge, lower, scale, data.axisFont, data.reportFont};
  DrawGrid(DrawTimeAxis(data.timeFormat, data.sampleCount, layout), panels, s);
  DrawZeroLine(TicksOf(panels[0]), data.flowScaling, scale, upper, window.flowTraceScale, window.flowTraceOffset);

  // 8. Traces.
  const HandleLock flowLock(data.flowSamples);
  const HandleLock volumeLock(data.volumeSamples);
  const TracePlacement flow{reinterpret_cast<const float*>(flowLock.address()), SamplesHeld(flowLock, data.sampleCount),
                            window.pixelsPerSample, window.leftEdge, window.flowTraceScale, window.flowTraceOffset};
  const TracePlacement volume{reinterpret_cast<const float*>(volumeLock.address()),
                              SamplesHeld(volumeLock, data.sampleCount), window.pixelsPerSample, window.leftEdge,
                              window.volumeTraceScale, window.volumeTraceOffset};
  HostService170(kTracePen, scale);
  DrawTrace(flow, upper, static_cast<std::int16_t>(data.flowChannel + kChannelStyleBase));
  DrawTrace(volume, lower, static_cast<std::int16_t>(data.volumeChannel + kChannelStyleBase));
  ClipRect(&rect);
  RGBForeColor(&savedColour);

  // 9. Peak tags.
  PenNormal();
  DrawPeakTag(flow, data.peakInspiratoryIndex, GetListString(text, data.labelList, kInspiratoryTagEntry), false,
              rect, scale);
  DrawPeakTag(flow, data.peakExpiratoryIndex, GetListString(text, data.labelList, kExpiratoryTagEntry), true, rect,
              scale);

  // 10. The forced expiration.
  const double dt = data.timeFormat.samplingInterval;
  const ForcedExpiration forced{data.forcedStartIndex, data.forcedEndIndex, data.fev1 > 0,
                                dt > 0 ? static_cast<std::int32_t>(std::lround(1.0 / dt)) : 0};
  Str255 fev1Text{};
  DrawForcedBracket(volume, forced, lower, GetListString(text, data.labelList, kFvcLabelEntry),
                    GetListString(fev1Text, data.labelList, kFev1LabelEntry), rect, scale);

  // 11.
  PenNormal();
  ClipRect(&rect);
  RGBForeColor(&savedColour);
}

}  // namespace spiro
