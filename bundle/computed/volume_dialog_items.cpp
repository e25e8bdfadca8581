// The volume dialog's own items: the measured factor and its status, the
// correction group's frame and the arrow from the measurement to the factor.
#include <cmath>

#include "computed/own_strings.h"
#include "computed/resp_volume.h"
#include "computed/volume_dialog_context.h"
#include "computed/volume_object.h"
#include "frame/host_services_dialogs.h"
#include "frame/host_services_strings.h"
#include "toolbox/quickdraw.h"
#include "toolbox/textedit.h"
#include "util/dialog_port.h"
#include "util/handle_record.h"
#include "util/pstring.h"

namespace spiro {

namespace volume {
namespace {

constexpr std::int16_t kSmallFont = 1;
constexpr std::int16_t kSmallSize = 9;
constexpr std::int16_t kDimmedTextMode = 49;

VolumeDialogContext* gActive = nullptr;


void DrawBoxText(ConstStr255Param text, const Rect& box) {
  TETextBox(text + 1, text[0], &box, teFlushLeft);
}

}  // namespace

VolumeDialogContext* ActiveVolumeDialog() { return gActive; }
void SetActiveVolumeDialog(VolumeDialogContext* context) { gActive = context; }

RespVolumeSettings WorkingSettings(const VolumeDialogContext& context) {
  return LoadHandleRecord<RespVolumeSettings>(context.working);
}
void StoreWorkingSettings(VolumeDialogContext& context, const RespVolumeSettings& settings) {
  StoreHandleRecord(context.working, settings);
}
std::int16_t FlowIdOf(const VolumeDialogContext& context) {
  return LoadHandleRecord<LocalDataType>(LocalHandle(context.record)).flowId;
}

void VolumeText(std::int16_t entry, StringPtr text) {
  ReadOwnString(gRespVolume, kStringListId, entry, text);
}

void EnableUseMeasured(DialogRef dialog, const VolumeDialogContext& context) {
  const bool on = WorkingSettings(context).negativeFlowCorrection != 0;
  HostEnableDialogItem(dialog, kUseMeasuredItem, on && context.status == kFactorMeasured);
}

void DrawMeasuredFactor(void* dialog, std::int16_t item) {
  if (gActive == nullptr) return;
  const ScopedDialogPort port(dialog);
  const Rect r = HostGetDialogItemRect(dialog, item);
  EraseRect(&r);
  const Rect box{static_cast<std::int16_t>(r.top + 3), static_cast<std::int16_t>(r.left + 3),
                 static_cast<std::int16_t>(r.bottom - 3), static_cast<std::int16_t>(r.right - 3)};
  Str255 text = {0};
  if (std::isfinite(gActive->measuredFactor)) HostDoubleToString(text, gActive->measuredFactor, 3, true);
  const bool on = WorkingSettings(*gActive).negativeFlowCorrection != 0;
  if (!on) TextMode(kDimmedTextMode);
  DrawBoxText(text, box);
  TextMode(srcOr);
  HostStandardItemProc122(dialog, item);
  const Rect button = HostGetDialogItemRect(dialog, kUseMeasuredItem);
  const auto middle = static_cast<std::int16_t>((r.top + r.bottom) / 2);
  MoveTo(static_cast<std::int16_t>(r.right + 3), middle);
  LineTo(static_cast<std::int16_t>(button.left - 1), middle);
}

void DrawMeasurementStatus(void* dialog, std::int16_t item) {
  if (gActive == nullptr) return;
  const ScopedDialogPort port(dialog);
  const Rect box = HostGetDialogItemRect(dialog, item);
  EraseRect(&box);
  Str255 text = {0};
  if (gActive->status == kFactorMeasured) {
    VolumeText(kMeasuredText, text);
  } else if (gActive->status != kNotMeasured) {
    Str255 message;
    VolumeText(kMeasurementPrefix, text);
    VolumeText(gActive->status, message);
    ConcatPStrings(256, text, text, message);
  }
  TextFont(kSmallFont);
  TextSize(kSmallSize);
  DrawBoxText(text, box);
  TextFont(0);
  TextSize(0);
}

void DrawArrowItem(void* dialog, std::int16_t item) {
  const ScopedDialogPort port(dialog);
  const Rect r = HostGetDialogItemRect(dialog, item);
  const auto top = static_cast<std::int16_t>(r.top + 3);
  MoveTo(static_cast<std::int16_t>(r.right - 1), static_cast<std::int16_t>(r.bottom - 1));
  LineTo(static_cast<std::int16_t>(r.right - 1), top);
  LineTo(r.left, top);
  MoveTo(static_cast<std::int16_t>(r.left + 3), static_cast<std::int16_t>(top - 3));
  LineTo(r.left, top);
  LineTo(static_cast<std::int16_t>(r.left + 3), static_cast<std::int16_t>(top + 3));
}

// The group's frame, never over the check box that switches the group: the
// frame is clipped to what lies below the box.
void DrawGroupFrame(void* dialog, std::int16_t item) {
  const ScopedDialogPort port(dialog);
  RgnHandle saved = NewRgn();
  Rect clip = HostGetDialogItemRect(dialog, item);
  const Rect box = HostGetDialogItemRect(dialog, kCorrectionItem);
  if (box.bottom > clip.top && box.top < clip.bottom) clip.top = box.bottom;
  if (saved != nullptr) GetClip(saved);
  ClipRect(&clip);
  HostStandardItemProc122(dialog, item);
  if (saved != nullptr) {
    SetClip(saved);
    DisposeRgn(saved);
  }
}

}  // namespace volume

}  // namespace spiro
