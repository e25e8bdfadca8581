// The flow dialogs' own items: the coefficient text, the calibration status
// and the preview of the selected stroke's flow and volume.
#include <algorithm>
#include <cmath>

#include "computed/flow_dialog_context.h"
#include "computed/flow_object.h"
#include "computed/own_strings.h"
#include "computed/resp_flow_extension.h"
#include "frame/host_services_dialogs.h"
#include "frame/host_services_drawing.h"
#include "frame/host_services_strings.h"
#include "toolbox/quickdraw.h"
#include "toolbox/textedit.h"
#include "util/dialog_port.h"
#include "util/handle_record.h"
#include "util/pstring.h"

namespace spiro {

namespace flow {
namespace {

constexpr std::int16_t kSmallFont = 1;
constexpr std::int16_t kSmallSize = 9;
constexpr std::int16_t kZeroLineStyle = 100;
constexpr std::int16_t kZeroLinePattern = 202;
constexpr std::int16_t kChannelStyleBase = 100;
// One base unit of flow spans a quarter of the preview at full scale.
constexpr double kBaseUnitStep = 0.9765625;

FlowDialogContext* gActive = nullptr;


void AppendNumber(StringPtr text, double value, std::int16_t decimals) {
  Str255 number;
  HostDoubleToString(number, value, decimals, true);
  ConcatPStrings(256, text, text, number);
}

void DrawDimensionMark(std::int16_t x, std::int16_t y0, std::int16_t yE) {
  std::int16_t d = y0 > yE ? 1 : -1;
  if (std::abs(yE - y0) > 5) {
    MoveTo(x, y0);
    LineTo(x, yE);
  } else {
    MoveTo(x, static_cast<std::int16_t>(y0 + 5 * d));
    LineTo(x, static_cast<std::int16_t>(yE - 5 * d));
    d = static_cast<std::int16_t>(-d);
  }
  for (const std::int16_t y : {y0, yE}) {
    MoveTo(static_cast<std::int16_t>(x - 3), y);
    LineTo(static_cast<std::int16_t>(x + 3), y);
  }
  const auto arrowhead = [x](std::int16_t tip, std::int16_t end) {
    MoveTo(static_cast<std::int16_t>(x - 2), end);
    LineTo(x, tip);
    LineTo(static_cast<std::int16_t>(x + 2), end);
  };
  arrowhead(static_cast<std::int16_t>(y0 - d), static_cast<std::int16_t>(y0 - 3 * d));
  arrowhead(static_cast<std::int16_t>(yE + d), static_cast<std::int16_t>(yE + 3 * d));
}

}  // namespace

FlowDialogContext* ActiveFlowDialog() { return gActive; }
void SetActiveFlowDialog(FlowDialogContext* context) { gActive = context; }

RespFlowSettings WorkingSettings(const FlowDialogContext& context) {
  return LoadHandleRecord<RespFlowSettings>(context.working);
}
void StoreWorkingSettings(FlowDialogContext& context, const RespFlowSettings& settings) {
  StoreHandleRecord(context.working, settings);
}

void FlowText(std::int16_t entry, StringPtr text) {
  ReadOwnString(gRespFlowExtension, kStringListId, entry, text);
}

void DrawSmallText(ConstStr255Param text, const Rect& box) {
  TextFont(kSmallFont);
  TextSize(kSmallSize);
  TETextBox(text + 1, text[0], &box, teFlushLeft);
  TextFont(0);
  TextSize(0);
}

void DrawCoefficientText(void* dialog, std::int16_t item) {
  if (gActive == nullptr) return;
  const ScopedDialogPort port(dialog);
  const Rect box = HostGetDialogItemRect(dialog, item);
  EraseRect(&box);
  const RespFlowSettings settings = WorkingSettings(*gActive);
  Str255 text;
  FlowText(kScalePrefix, text);
  AppendNumber(text, settings.scale, 2);
  if (settings.linearise != 0 && settings.nonlinearity != 0.0) {
    Str255 prefix;
    FlowText(kNonlinearityPrefix, prefix);
    ConcatPStrings(256, text, text, prefix);
    AppendNumber(text, settings.nonlinearity, 3);
  }
  DrawSmallText(text, box);
}

void DrawCalibrationStatus(void* dialog, std::int16_t item) {
  if (gActive == nullptr) return;
  const ScopedDialogPort port(dialog);
  const Rect box = HostGetDialogItemRect(dialog, item);
  EraseRect(&box);
  Str255 text = {0};
  const std::int16_t status = gActive->status;
  if (status != kCalibrationUsable) {
    Str255 message;
    FlowText(status, message);
    if (BlocksCalibration(status)) FlowText(kStatusPrefix, text);
    ConcatPStrings(256, text, text, message);
  }
  DrawSmallText(text, box);
}

void DrawCalibrationPreview(void* dialog, std::int16_t item) {
  if (gActive == nullptr) return;
  const ScopedDialogPort port(dialog);
  const Rect r = HostGetDialogItemRect(dialog, item);
  const std::int16_t q = static_cast<std::int16_t>((r.bottom - r.top) / 4);
  const std::int16_t flowZero = static_cast<std::int16_t>(r.top + q);
  const std::int16_t volumeZero = static_cast<std::int16_t>(r.top + 3 * q);
  EraseRect(&r);
  Str255 flowLabel;
  Str255 volumeLabel;
  FlowText(kPreviewFlowLabel, flowLabel);
  FlowText(kPreviewVolumeLabel, volumeLabel);
  TextFont(kSmallFont);
  TextSize(kSmallSize);
  MoveTo(static_cast<std::int16_t>(r.left + 5), flowZero);
  DrawString(flowLabel);
  MoveTo(static_cast<std::int16_t>(r.left + 5), volumeZero);
  DrawString(volumeLabel);
  const std::int16_t labelWidth = std::max(StringWidth(flowLabel), StringWidth(volumeLabel));
  TextFont(0);
  TextSize(0);
  RgnHandle savedClip = NewRgn();
  if (savedClip != nullptr) GetClip(savedClip);
  ClipRect(&r);

  const std::int16_t x0 = static_cast<std::int16_t>(r.left + labelWidth + 10);
  const std::int16_t x1 = static_cast<std::int16_t>(r.right - 15);
  HostSetDrawStyle530(kZeroLineStyle);
  HostSetDrawStyle531(kZeroLinePattern);
  for (const std::int16_t y : {flowZero, volumeZero}) {
    MoveTo(x0, y);
    LineTo(x1, y);
  }
  const std::int32_t n = gActive->selectionLength;
  if (gActive->selection != nullptr && n > 1 && !BlocksCalibration(gActive->status)) {
    const RespFlowSettings settings = WorkingSettings(*gActive);
    const double dx = static_cast<double>(x1 - x0) / static_cast<double>(n - 1);
    PenNormal();
    HostSetDrawStyle530(static_cast<std::int16_t>(settings.sourceChannel + kChannelStyleBase));
    const HandleLock lock(gActive->selection);
    const auto* samples = reinterpret_cast<const float*>(lock.address());
    const auto x = [&](std::int32_t i) { return static_cast<std::int16_t>(std::lround(i * dx + x0)); };
    double running = 0.0;
    double largest = -32767.0;
    for (std::int32_t i = 0; i < n; ++i) {
      const double v = static_cast<double>(samples[i]) + settings.valueOffset;
      const auto y = static_cast<std::int16_t>(std::lround(-q / kBaseUnitStep * v) + flowZero);
      if (i == 0) MoveTo(x(i), y); else LineTo(x(i), y);
      running += v;
      largest = std::max(largest, std::fabs(running));
    }
    const double s = largest > 0.0 ? (r.bottom - volumeZero - 4) / -largest : 0.0;
    running = 0.0;
    std::int16_t yE = volumeZero;
    for (std::int32_t i = 0; i < n; ++i) {
      running += static_cast<double>(samples[i]) + settings.valueOffset;
      yE = static_cast<std::int16_t>(std::lround(s * running) + volumeZero);
      if (i == 0) MoveTo(x(i), yE); else LineTo(x(i), yE);
    }
    ForeColor(blackColor);
    DrawDimensionMark(static_cast<std::int16_t>(x1 + 6), volumeZero, yE);
  }
  if (savedClip != nullptr) {
    SetClip(savedClip);
    DisposeRgn(savedClip);
  }
}

}  // namespace flow

}  // namespace spiro
