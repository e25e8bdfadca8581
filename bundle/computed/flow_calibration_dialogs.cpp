// Calibrating the flow head: from a syringe stroke of known volume selected in
// the recording, or, where the host offers it, by typing the coefficients.
#include <cmath>

#include "computed/flow_coefficients.h"
#include "computed/flow_dialog_context.h"
#include "computed/resp_flow_extension.h"
#include "frame/host_services_dialogs.h"
#include "frame/host_services_host.h"
#include "frame/host_services_strings.h"
#include "util/pstring.h"
#include "util/window_placement.h"

namespace spiro {

namespace flow {
namespace {

constexpr std::int16_t kSyringeDialogId = 8311;
constexpr std::int16_t kCoefficientDialogId = 8312;
constexpr std::int16_t kTypedCoefficientsCapability = 58;

enum : std::int16_t { kOk = 1, kCancel = 2 };
enum SyringeItem : std::int16_t { kPreview = 5, kLitres = 7, kSyringeCoefficients = 9 };
enum CoefficientItem : std::int16_t { kScaleItem = 5, kNonlinearityItem = 8, kZeroOffsetItem = 11 };

constexpr double kDefaultSyringeLitres = 3.0;
constexpr double kMaximumSyringeLitres = 10000.0;

void SetNumberText(DialogRef dialog, std::int16_t item, double value, std::int16_t decimals) {
  Str255 text;
  HostDoubleToString(text, value, decimals, true);
  HostSetDialogItemText(dialog, item, text);
}

double ItemNumber(DialogRef dialog, std::int16_t item) {
  Str255 text;
  HostGetDialogItemText(dialog, item, text);
  return HostStringToDouble(text);
}

void ModalStep(std::int16_t* hit) { HostModalDialog(HostQueryValue(205), hit); }

DialogRef OpenFlowDialog(std::int16_t id) {
  gRespFlowExtension.BeginResources();
  DialogRef dialog = OpenExtensionDialog(gRespFlowExtension, id);
  gRespFlowExtension.EndResources();
  return dialog;
}

bool TypeCoefficients(FlowDialogContext& context) {
  DialogRef dialog = OpenFlowDialog(kCoefficientDialogId);
  if (dialog == nullptr) return false;
  RespFlowSettings settings = WorkingSettings(context);
  SetNumberText(dialog, kScaleItem, settings.customScale, 3);
  SetNumberText(dialog, kNonlinearityItem, settings.customNonlinearity, 3);
  SetNumberText(dialog, kZeroOffsetItem, settings.zeroOffset, 5);
  SelectDialogItemText(dialog, kScaleItem, 0, 32767);
  HostShowDialog(dialog);
  std::int16_t hit = 0;
  do ModalStep(&hit); while (hit != kOk && hit != kCancel);
  if (hit == kOk) {
    settings.customScale = ItemNumber(dialog, kScaleItem);
    settings.customNonlinearity = ItemNumber(dialog, kNonlinearityItem);
    settings.zeroOffset = ItemNumber(dialog, kZeroOffsetItem);
    StoreWorkingSettings(context, settings);
  }
  HostDisposeDialog(dialog);
  return hit == kOk;
}

// The syringe volume typed in litres gives the scale. OK only for a volume,
// and only for a scale: a stroke that integrates to exactly nothing gives none
// (the status warns of it), and accepting it would store an unset scale.
void ApplySyringeVolume(FlowDialogContext& context, DialogRef dialog, double litres) {
  RespFlowSettings settings = WorkingSettings(context);
  settings.customScale = litres / context.calibrationVolume;
  UpdateFlowCoefficients(settings);
  StoreWorkingSettings(context, settings);
  DrawCoefficientText(dialog, kSyringeCoefficients);
  HostEnableDialogItem(dialog, kOk, litres != 0.0 && std::isfinite(settings.customScale));
}

bool CalibrateWithSyringe(FlowDialogContext& context) {
  ComputeCalibrationVolume(context);
  if (BlocksCalibration(context.status)) {
    Str255 prefix;
    Str255 message;
    FlowText(kCannotCalibratePrefix, prefix);
    FlowText(context.status, message);
    ConcatPStrings(256, prefix, prefix, message);
    HostAlert(prefix);
    return false;
  }
  const RespFlowSettings kept = WorkingSettings(context);
  RespFlowSettings settings = kept;
  settings.SpirometerModel = kCustomSpirometerModel;
  StoreWorkingSettings(context, settings);

  DialogRef dialog = OpenFlowDialog(kSyringeDialogId);
  if (dialog == nullptr) {
    StoreWorkingSettings(context, kept);
    return false;
  }
  HostSetDialogItemProc(dialog, kPreview, &DrawCalibrationPreview);
  HostSetDialogItemProc(dialog, kSyringeCoefficients, &DrawCoefficientText);
  if (!std::isfinite(settings.customScale)) {
    const unsigned char three[] = "\x01" "3";
    HostSetDialogItemText(dialog, kLitres, three);
    settings.customScale = kDefaultSyringeLitres / context.calibrationVolume;
    UpdateFlowCoefficients(settings);
    StoreWorkingSettings(context, settings);
  } else {
    SetNumberText(dialog, kLitres, settings.customScale * context.calibrationVolume, 4);
  }
  double litres = HostService212(dialog, kLitres, 0.0, kMaximumSyringeLitres);
  ApplySyringeVolume(context, dialog, litres);
  SelectDialogItemText(dialog, kLitres, 0, 32767);
  HostShowDialog(dialog);
  std::int16_t hit = 0;
  do {
    ModalStep(&hit);
    if (hit == kLitres) {
      const double typed = HostService212(dialog, kLitres, 0.0, kMaximumSyringeLitres);
      if (typed != litres) {
        litres = typed;
        ApplySyringeVolume(context, dialog, litres);
      }
    }
  } while (hit != kOk && hit != kCancel);
  if (hit == kCancel) StoreWorkingSettings(context, kept);
  HostDisposeDialog(dialog);
  settings = WorkingSettings(context);
  UpdateFlowCoefficients(settings);
  StoreWorkingSettings(context, settings);
  return hit == kOk;
}

}  // namespace

bool CalibrateFlowHead(FlowDialogContext& context) {
  if (HostHasCapability(kTypedCoefficientsCapability)) return TypeCoefficients(context);
  return CalibrateWithSyringe(context);
}

}  // namespace flow

}  // namespace spiro
