#include "spirometry/cursor_readout.h"

#include <cmath>
#include <algorithm>
#include <cstring>
#include <optional>

#include "extension/channel_scaling.h"
#include "extension/port_helpers.h"
#include "extension/resource_text_helpers.h"
#include "frame/host_services.h"
#include "spirometry/cursor_cross.h"
#include "toolbox/quickdraw.h"
#include "toolbox/text_utils.h"
#include "toolbox/windows.h"
#include "util/handle_record.h"

namespace spiro {

namespace {

using spirometry::LocalDataType;
using spirometry::SpiroDataWindowRecord;
using spirometry::SpiroPlotWindowRecord;

constexpr std::int16_t kDetailedLabels = 58;
constexpr std::int16_t kBackgroundShade = -6;
constexpr std::int16_t kCutToFit = 32;
constexpr std::int16_t kPlotFlowEntry = 1;
constexpr std::int16_t kPlotVolumeEntry = 2;
constexpr std::int16_t kTimeEntry = 3;
constexpr std::int16_t kFlowEntry = 4;
constexpr std::int16_t kVolumeEntry = 5;
constexpr Point kNoMarker{0, 0};

SInt16 S16(double v) { return static_cast<SInt16>(std::lround(v)); }
bool IsSet(Point p) { return !(p == kNoMarker); }

void Append(Str255& text, const unsigned char* more) { HostAppendString(text, more); }
void Append(Str255& text, const char* more) {
  Str255 pascal{};
  pascal[0] = static_cast<unsigned char>(std::strlen(more));
  std::memcpy(pascal + 1, more, pascal[0]);
  HostAppendString(text, pascal);
}

// The document's window records of kinds 1 and 2, locked while tracking.
struct Windows {
  explicit Windows(LocalDataType** data) {
    if (Handle h = (*data)->windowRecords[0]) dataLock.emplace(h);
    if (Handle h = (*data)->windowRecords[1]) plotLock.emplace(h);
  }
  SpiroDataWindowRecord* dataWindow() const {
    return dataLock ? reinterpret_cast<SpiroDataWindowRecord*>(dataLock->address()) : nullptr;
  }
  SpiroPlotWindowRecord* plotWindow() const {
    return plotLock ? reinterpret_cast<SpiroPlotWindowRecord*>(plotLock->address()) : nullptr;
  }
  std::optional<HandleLock> dataLock;
  std::optional<HandleLock> plotLock;
};

bool Tracks(const spirometry::SpiroWindowRecord* window) {
  return window != nullptr && window->window != nullptr && window->status == 0 &&
         !toolbox::WindowNeedsUpdate(window->window);
}

void Litres(Str255& text, double raw, const LocalDataType& data) {
  Str255 number{};
  HostDoubleToString(number, RawToUnits(raw, data.volumeScaling) * data.volumeToLitres, 3, true);
  Append(text, number);
  Append(text, "L");
}

void RemovePlotCross(SpiroPlotWindowRecord& plot) {
  if (!IsSet(plot.marker)) return;
  const ScopedWindowPort port(plot.common.window);
  if (plot.markerShown != 0) XorCross(plot.marker, plot.common.plotRect);
  ClipToPortBounds(plot.common.window);
  plot.marker = kNoMarker;
  plot.markerShown = 0;
}

void RemoveDataCrosses(SpiroDataWindowRecord& window) {
  if (IsSet(window.flowMarker)) XorCross(window.flowMarker, window.common.plotRect);
  if (IsSet(window.volumeMarker)) XorCross(window.volumeMarker, window.volumePlotRect);
  window.flowMarker = kNoMarker;
  window.volumeMarker = kNoMarker;
  ClipToPortBounds(window.common.window);
}

void ValuesText(Str255& text, std::int16_t flowEntry, float flow, std::int16_t volumeEntry, float volume,
                const LocalDataType& data) {
  Str255 part{};
  Append(text, GetListString(part, data.labelList, flowEntry));
  HostFormatNumber340(static_cast<double>(flow), &data.flowScaling, 0, 1, 1, part);
  Append(text, part);
  Append(text, GetListString(part, data.labelList, volumeEntry));
  HostFormatNumber340(static_cast<double>(volume), &data.volumeScaling, 0, 1, 1, part);
  Append(text, part);
}

void TrackInDataWindow(Point point, SpiroDataWindowRecord& window, SpiroPlotWindowRecord* plot,
                       const LocalDataType& data) {
  if (!(window.pixelsPerSample > 0)) return;
  auto indexAt = [&](int h) { return std::lround((h - window.leftEdge) / window.pixelsPerSample); };
  const long i = indexAt(point.h);
  if (IsSet(window.flowMarker) && i == indexAt(window.flowMarker.h)) return;
  RemoveDataCrosses(window);
  if (plot != nullptr) RemovePlotCross(*plot);
  if (i < 0 || i >= data.sampleCount || data.flowSamples == nullptr || data.volumeSamples == nullptr) {
    EraseRect(&window.common.headerRect);
    DrawPhaseLabel(0, window, data);
    if (plot != nullptr) {
      const ScopedWindowPort port(plot->common.window);
      EraseRect(&plot->common.headerRect);
    }
    return;
  }
  const HandleLock flowLock(data.flowSamples);
  const HandleLock volumeLock(data.volumeSamples);
  if (static_cast<std::size_t>(i) >= std::min(flowLock.sizeBytes(), volumeLock.sizeBytes()) / sizeof(float)) return;
  const float flowSample = reinterpret_cast<const float*>(flowLock.address())[i];
  const float volumeSample = reinterpret_cast<const float*>(volumeLock.address())[i];
  const double flow = static_cast<double>(flowSample);
  const double volume = static_cast<double>(volumeSample);

  Str255 text{};
  Str255 part{};
  Append(text, GetListString(part, data.labelList, kTimeEntry));
  HostFormatNumber336(static_cast<std::int32_t>(i), &data.timeFormat, 0, 1, part);
  Append(text, part);
  ValuesText(text, kFlowEntry, flowSample, kVolumeEntry, volumeSample, data);
  DrawReadout(text, window.readoutBox);

  const SInt16 h = S16(i * window.pixelsPerSample + window.leftEdge);
  window.flowMarker = Point{S16(flow * window.flowTraceScale + window.flowTraceOffset), h};
  window.volumeMarker = Point{S16(volume * window.volumeTraceScale + window.volumeTraceOffset), h};
  XorCross(window.flowMarker, window.common.plotRect);
  XorCross(window.volumeMarker, window.volumePlotRect);
  ClipToPortBounds(window.common.window);

  std::int16_t k = static_cast<std::int16_t>(data.phaseCount + 1);
  if (data.phases != nullptr) {
    const HandleLock phaseLock(data.phases);
    const auto* phases = reinterpret_cast<const spirometry::BreathPhase*>(phaseLock.address());
    const auto held = static_cast<std::int16_t>(
        std::min<std::size_t>(data.phaseCount, phaseLock.sizeBytes() / sizeof(spirometry::BreathPhase)));
    for (std::int16_t j = 2; j <= held; ++j) {
      if (i < phases[j - 1].sampleIndex) {
        k = j;
        break;
      }
    }
  }
  DrawPhaseLabel(k, window, data);

  if (plot == nullptr || plot->common.window == nullptr) return;
  const ScopedWindowPort port(plot->common.window);
  Str255 values{};
  ValuesText(values, kPlotFlowEntry, flowSample, kPlotVolumeEntry, volumeSample, data);
  DrawReadout(values, plot->readoutBox);
  plot->marker = Point{S16(-flow * plot->flowAxisScale + plot->flowAxisOffset),
                       S16(-volume * plot->volumeAxisScale + plot->volumeAxisOffset)};
  XorCross(plot->marker, plot->common.plotRect);
  ClipToPortBounds(plot->common.window);
  plot->markerShown = 1;
}

void TrackInPlotWindow(Point point, SpiroPlotWindowRecord& plot, const LocalDataType& data) {
  if (plot.markerShown != 0) RemovePlotCross(plot);
  if (point == plot.marker) {
    plot.markerShown = 0;
    return;
  }
  if (plot.volumeAxisScale == 0 || plot.flowAxisScale == 0) return;
  const double volume = -(point.h - plot.volumeAxisOffset) / plot.volumeAxisScale;
  const auto flow = static_cast<float>(-(point.v - plot.flowAxisOffset) / plot.flowAxisScale);
  Str255 text{};
  ValuesText(text, kPlotFlowEntry, flow, kPlotVolumeEntry, static_cast<float>(volume), data);
  DrawReadout(text, plot.readoutBox);
  plot.marker = point;
  plot.markerShown = 0;
}

}  // namespace

void DrawReadout(ConstStr255Param text, TextBox& box) {
  Rect rect{};
  BeginTextBox(box, &rect);
  HostService346(text, &rect, 1);
  EndTextBox(box);
}

void DrawPhaseLabel(std::int16_t k, SpiroDataWindowRecord& window, const LocalDataType& data) {
  if (k == window.labelledPhase && k != -1) return;
  if (window.common.window == nullptr) return;
  const ScopedWindowPort port(window.common.window);
  window.labelledPhase = k;
  Rect rect = window.bottomStrip;
  if (window.common.status == 0) HostService74(&rect, kBackgroundShade, 1);
  if (k < 2 || k > data.phaseCount || data.phases == nullptr) return;
  const HandleLock lock(data.phases);
  if (static_cast<std::size_t>(k) > lock.sizeBytes() / sizeof(spirometry::BreathPhase)) return;
  const auto* phases = reinterpret_cast<const spirometry::BreathPhase*>(lock.address());
  const spirometry::BreathPhase& phase = phases[k - 1];
  Str255 text{};
  if (HostHasCapability(kDetailedLabels)) {
    Str255 number{};
    NumToString(k - 1, number);
    Append(text, number);
    Append(text, ": pos=");
    NumToString(phases[k - 2].sampleIndex, number);
    Append(text, number);
    Append(text, phase.direction == 1 ? ", exp" : ", insp");
    if (phase.forced != 0) Append(text, ", forced");
    Append(text, ", dV=");
    Litres(text, static_cast<double>(phase.volumeChange), data);
    if (!(std::isinf(phase.firstSecondVolume) && phase.firstSecondVolume < 0)) {
      Append(text, ", FEV1=");
      Litres(text, static_cast<double>(phase.firstSecondVolume), data);
    }
  } else if (phase.forced != 0) {
    GetListString(text, data.messageList, spirometry::kForcedPhaseLabelEntry);
  }
  rect.left = static_cast<SInt16>(rect.left + 5);
  HostService31(text, &rect, kCutToFit);
}

void TrackCursor(Point point, std::int16_t kind, LocalDataType** data) {
  if (data == nullptr || kind < spirometry::kDataWindow || kind > spirometry::kPlotWindow) return;
  const HandleLock dataLock(reinterpret_cast<Handle>(data));
  const Windows windows(data);
  if (kind == spirometry::kDataWindow) {
    SpiroDataWindowRecord* window = windows.dataWindow();
    if (!Tracks(window ? &window->common : nullptr)) return;
    const ScopedWindowPort port(window->common.window);
    TrackInDataWindow(point, *window, windows.plotWindow(), **data);
  } else {
    SpiroPlotWindowRecord* plot = windows.plotWindow();
    if (!Tracks(plot ? &plot->common : nullptr)) return;
    const ScopedWindowPort port(plot->common.window);
    TrackInPlotWindow(point, *plot, **data);
  }
}

void ClearMarkers(std::int16_t kind, LocalDataType** data) {
  if (data == nullptr || kind < spirometry::kDataWindow || kind > spirometry::kPlotWindow) return;
  const HandleLock dataLock(reinterpret_cast<Handle>(data));
  const Windows windows(data);
  SpiroPlotWindowRecord* plot = windows.plotWindow();
  if (kind == spirometry::kDataWindow) {
    SpiroDataWindowRecord* window = windows.dataWindow();
    if (!Tracks(window ? &window->common : nullptr)) return;
    const ScopedWindowPort port(window->common.window);
    if (IsSet(window->flowMarker)) {
      EraseRect(&window->common.headerRect);
      RemoveDataCrosses(*window);
      if (plot != nullptr && plot->common.window != nullptr && IsSet(plot->marker)) {
        {
          const ScopedWindowPort plotPort(plot->common.window);
          EraseRect(&plot->common.headerRect);
        }
        RemovePlotCross(*plot);
      }
    }
    DrawPhaseLabel(0, *window, **data);
  } else {
    if (!Tracks(plot ? &plot->common : nullptr) || !IsSet(plot->marker)) return;
    const ScopedWindowPort port(plot->common.window);
    EraseRect(&plot->common.headerRect);
    plot->marker = kNoMarker;
  }
}

}  // namespace spiro
