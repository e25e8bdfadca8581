// The correction threshold pop-up: the rows of string list 8501 and a custom
// threshold typed in millilitres, and the modal filter that runs the pop-up
// itself so that a row can be chosen again to reopen the custom dialog.
#include <cmath>

#include "computed/own_strings.h"
#include "computed/resp_volume.h"
#include "computed/volume_coefficients.h"
#include "computed/volume_dialog_context.h"
#include "extension/dialog_helpers.h"
#include "extension/resource_text_helpers.h"
#include "frame/host_services_dialogs.h"
#include "frame/host_services_host.h"
#include "frame/host_services_strings.h"
#include "toolbox/controls.h"
#include "toolbox/events.h"
#include "toolbox/menus.h"
#include "toolbox/quickdraw.h"
#include "util/pstring.h"
#include "util/window_placement.h"

namespace spiro {

namespace volume {
namespace {

constexpr std::int16_t kCustomDialogId = 8511;
constexpr std::int16_t kMillilitresItem = 4;
constexpr double kMaximumMillilitres = 10000.0;
constexpr double kMillilitresPerLitre = 1000.0;
constexpr unsigned char kMillilitres[] = "\x03 mL";
constexpr unsigned char kOpen[] = "\x02 (";
constexpr unsigned char kClose[] = "\x01)";
constexpr unsigned char kSeparator[] = "\x01-";

MenuRef ThresholdMenu(DialogRef dialog) {
  return static_cast<MenuRef>(HostGetDialogItemMenu(dialog, kThresholdItem));
}

// The custom threshold in litres, or NaN when cancelled.
double AskCustomThreshold(double litres) {
  gRespVolume.BeginResources();
  DialogRef dialog = OpenExtensionDialog(gRespVolume, kCustomDialogId);
  gRespVolume.EndResources();
  if (dialog == nullptr) return std::nan("");
  Str255 text;
  HostDoubleToString(text, litres * kMillilitresPerLitre, 0, true);
  HostSetDialogItemText(dialog, kMillilitresItem, text);
  SelectDialogItemText(dialog, kMillilitresItem, 0, 32767);
  HostShowDialog(dialog);
  double typed = litres;
  std::int16_t hit = 0;
  do {
    HostModalDialog(HostQueryValue(205), &hit);
    if (hit == kMillilitresItem) {
      typed = HostService212(dialog, kMillilitresItem, 0.0, kMaximumMillilitres) / kMillilitresPerLitre;
    }
  } while (hit != kOkItem && hit != kCancelItem);
  if (hit == kOkItem) {
    typed = HostService212(dialog, kMillilitresItem, 0.0, kMaximumMillilitres) / kMillilitresPerLitre;
  }
  HostDisposeDialog(dialog);
  return hit == kOkItem ? typed : std::nan("");
}

Boolean ThresholdFilter(DialogRef dialog, EventRecord* event, DialogItemIndex* itemHit) {
  if (event->what == mouseDown) {
    const Rect item = HostGetDialogItemRect(dialog, kThresholdItem);
    Point where = event->where;
    GrafPtr saved = nullptr;
    GetPort(&saved);
    SetPortWindowPort(GetDialogWindow(dialog));
    GlobalToLocal(&where);
    const bool inside = PtInRect(where, &item);
    Point topLeft{item.top, item.left};
    LocalToGlobal(&topLeft);
    SetPort(saved);
    MenuRef menu = ThresholdMenu(dialog);
    if (inside && menu != nullptr && toolbox::IsDialogItemEnabled(dialog, kThresholdItem)) {
      const std::int16_t current = HostGetDialogItemValue(dialog, kThresholdItem);
      InsertMenu(menu, hierMenu);
      const SInt32 chosen = PopUpMenuSelect(menu, topLeft.v, topLeft.h, current);
      const auto row = static_cast<std::int16_t>(chosen & 0xFFFF);
      *itemHit = 0;
      if (row > 0) {
        HostService113(dialog, kThresholdItem, row);
        if (row != current) {
          CheckMenuItem(menu, static_cast<MenuItemIndex>(current), false);
          CheckMenuItem(menu, static_cast<MenuItemIndex>(row), true);
        }
        *itemHit = kThresholdItem;
      }
      DeleteMenu(GetMenuID(menu));
      return true;
    }
  }
  return CallHostModalFilter(dialog, event, itemHit);
}

}  // namespace

void BuildThresholdMenu(DialogRef dialog, VolumeDialogContext& context) {
  MenuRef menu = ThresholdMenu(dialog);
  if (menu == nullptr) return;
  while (CountMenuItems(menu) > 0) DeleteMenuItem(menu, 1);
  for (std::int32_t row = 1;; ++row) {
    Str255 label;
    Str255 millilitres;
    ReadOwnString(gRespVolume, kThresholdListId, 2 * row, millilitres);
    if (millilitres[0] == 0) break;
    ReadOwnString(gRespVolume, kThresholdListId, 2 * row - 1, label);
    Str255 text;
    ConcatPStrings(256, text, millilitres, kMillilitres);
    if (label[0] != 0) ConcatPStrings(256, text, text, kOpen, label, kClose);
    AppendMenuItemText(menu, text, false);
  }
  AppendMenu(menu, kSeparator);
  Str255 custom;
  VolumeText(kCustomThresholdText, custom);
  AppendMenuItemText(menu, custom, false);
  context.thresholdCount = static_cast<std::int16_t>(CountMenuItems(menu));
  // The pop-up's values reach as far as the items it was made with.
  ControlRef control = nullptr;
  if (GetDialogItemAsControl(dialog, kThresholdItem, &control) == noErr) {
    SetControlMaximum(control, context.thresholdCount);
  }
}

void ShowThreshold(DialogRef dialog, const VolumeDialogContext& context) {
  const RespVolumeSettings settings = WorkingSettings(context);
  const std::int16_t value =
      settings.thresholdIndex == kCustomThreshold ? context.thresholdCount : settings.thresholdIndex;
  HostSetDialogItemValue(dialog, kThresholdItem, value);
  Str255 text;
  HostDoubleToString(text, settings.correctionThreshold * kMillilitresPerLitre, 0, true);
  ConcatPStrings(256, text, text, kMillilitres);
  HostSetDialogItemText(dialog, kThresholdItem, text);
}

void ChooseThreshold(DialogRef dialog, VolumeDialogContext& context) {
  const std::int16_t item = HostGetDialogItemValue(dialog, kThresholdItem);
  const std::int16_t chosen = item == context.thresholdCount ? kCustomThreshold : item;
  RespVolumeSettings settings = WorkingSettings(context);
  if (chosen == settings.thresholdIndex && chosen != kCustomThreshold) return;
  const std::int16_t previous = settings.thresholdIndex;
  settings.thresholdIndex = chosen;
  if (chosen == kCustomThreshold) {
    const double litres = AskCustomThreshold(settings.customThreshold);
    if (std::isnan(litres)) {
      settings.thresholdIndex = previous;
    } else {
      settings.customThreshold = litres;
    }
  }
  UpdateDeadSpace(settings);
  StoreWorkingSettings(context, settings);
  ShowThreshold(dialog, context);
  MeasureCorrectionFactor(dialog, context);
}

ModalFilterUPP NewThresholdFilter() { return NewModalFilter(&ThresholdFilter); }

}  // namespace volume

}  // namespace spiro
