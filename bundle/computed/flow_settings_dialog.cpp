// The flow function's settings dialog. It edits a working copy of the
// settings; on OK the changes travel as submitted commands, so that the host
// files them and every copy of the function follows.
#include <cmath>

#include "computed/computed_command.h"
#include "computed/dialog_context_owner.h"
#include "computed/flow_coefficients.h"
#include "computed/flow_dialog_context.h"
#include "computed/flow_object.h"
#include "computed/local_records.h"
#include "computed/resp_flow_extension.h"
#include "extension/resource_text_helpers.h"
#include "frame/host_services_commands.h"
#include "frame/host_services_dialogs.h"
#include "frame/host_services_host.h"
#include "frame/host_services_memory.h"
#include "frame/host_services_strings.h"
#include "util/handle_record.h"
#include "util/pstring.h"
#include "util/window_placement.h"

namespace spiro {

namespace flow {
namespace {

constexpr std::int16_t kSettingsDialogId = 8310;
constexpr std::int16_t kTypedCoefficientsCapability = 58;
constexpr unsigned char kEllipsis = 0xC9;
constexpr unsigned char kSpirometerSuffix[] = "\x0d (Spirometer)";

enum Item : std::int16_t {
  kOk = 1,
  kCancel = 2,
  kSeparator = 4,
  kSource = 7,
  kLinearise = 8,
  kModel = 10,
  kModelFrame = 11,
  kCoefficients = 12,
  kCalibrate = 13,
  kStatus = 14,
  kDrift = 15,
};

bool IsSet(double value) { return std::isfinite(value); }
bool IsNonZero(double value) { return !(value == 0.0); }  // NaN is not zero

using DialogResources = computed::DialogContextOwner<FlowDialogContext, &SetActiveFlowDialog>;

// The context and its working copy; the alert when memory runs out for either.
bool AllocateContext(DialogResources& resources) {
  if (resources.Allocate() == nullptr) {
    HostAlert(kOutOfMemoryText);
    return false;
  }
  resources.context().working = HostNewHandle(sizeof(RespFlowSettings));
  return resources.context().working != nullptr;
}

RespFlowSettings StartingSettings(const LocalDataType& record) {
  if (record.settings != nullptr) return LoadHandleRecord<RespFlowSettings>(record.settings);
  RespFlowSettings settings = DefaultSettings(record.channel);
  if (const std::int16_t head = FindSpirometerChannel(); head != 0) {
    settings.sourceChannel = head;
    settings.sourceIsComputed = head != record.channel ? 1 : 0;
  }
  return settings;
}

void AppendTitleSuffix(DialogRef dialog, std::int16_t channel) {
  Str255 suffix;
  Str255 title;
  HostService608(suffix, channel);
  GetWTitle(GetDialogWindow(dialog), title);
  ConcatPStrings(256, title, title, suffix);
  SetWTitle(GetDialogWindow(dialog), title);
}

void MarkSpirometerChannels(DialogRef dialog) {
  auto* menu = static_cast<MenuRef>(HostGetDialogItemMenu(dialog, kSource));
  if (menu == nullptr) return;
  for (MenuItemIndex item = 1; item <= CountMenuItems(menu); ++item) {
    if (!IsSpirometerChannel(static_cast<std::int16_t>(item))) continue;
    Str255 text;
    GetMenuItemText(menu, item, text);
    ConcatPStrings(256, text, text, kSpirometerSuffix);
    SetMenuItemText(menu, item, text);
  }
}

void ShowSource(DialogRef dialog, const RespFlowSettings& settings) {
  Str255 name;
  HostGetChannelName(settings.sourceChannel, name);
  HostSetDialogItemText(dialog, kSource, name);
  HostSetDialogItemValue(dialog, kSource, settings.sourceChannel);
}

// The custom item ends in an ellipsis while choosing it still opens a dialog.
void ShowModel(DialogRef dialog, const FlowDialogContext& context) {
  const RespFlowSettings settings = WorkingSettings(context);
  if (context.modelMenu != nullptr) {
    Str255 text;
    GetMenuItemText(context.modelMenu, context.modelCount, text);
    const bool ellipsis = text[0] > 0 && text[text[0]] == kEllipsis;
    if (IsSet(settings.customScale) && ellipsis) {
      --text[0];
      SetMenuItemText(context.modelMenu, context.modelCount, text);
    } else if (!IsSet(settings.customScale) && !ellipsis && text[0] < 255) {
      text[++text[0]] = kEllipsis;
      SetMenuItemText(context.modelMenu, context.modelCount, text);
    }
  }
  const std::int16_t value =
      settings.SpirometerModel == kCustomSpirometerModel ? context.modelCount : settings.SpirometerModel;
  HostSetDialogItemValue(dialog, kModel, value);
}

void ShowLinearise(DialogRef dialog, const RespFlowSettings& settings) {
  const bool applicable = IsNonZero(settings.nonlinearity);
  HostEnableDialogItem(dialog, kLinearise, applicable);
  HostSetDialogItemChecked(dialog, kLinearise, settings.linearise != 0 && applicable);
}

void ShowStatus(DialogRef dialog, const FlowDialogContext& context) {
  DrawCalibrationStatus(dialog, kStatus);
  HostEnableDialogItem(dialog, kCalibrate, !BlocksCalibration(context.status));
}

void RecomputeStatus(DialogRef dialog, FlowDialogContext& context) {
  ComputeCalibrationVolume(context);
  ShowStatus(dialog, context);
}

void UpdateCoefficients(DialogRef dialog, FlowDialogContext& context) {
  RespFlowSettings settings = WorkingSettings(context);
  UpdateFlowCoefficients(settings);
  StoreWorkingSettings(context, settings);
  ShowLinearise(dialog, settings);
  DrawCoefficientText(dialog, kCoefficients);
}

void ChooseSource(DialogRef dialog, FlowDialogContext& context) {
  RespFlowSettings settings = WorkingSettings(context);
  const std::int16_t chosen = HostGetDialogItemValue(dialog, kSource);
  if (chosen == settings.sourceChannel) return;
  settings.sourceChannel = chosen;
  settings.sourceIsComputed = chosen != settings.ownChannel ? 1 : 0;
  StoreWorkingSettings(context, settings);
  ShowSource(dialog, settings);
  RecomputeStatus(dialog, context);
}

void ChooseModel(DialogRef dialog, FlowDialogContext& context) {
  const std::int16_t item = HostGetDialogItemValue(dialog, kModel);
  const std::int16_t chosen = item == context.modelCount ? kCustomSpirometerModel : item;
  RespFlowSettings settings = WorkingSettings(context);
  const std::int16_t previous = settings.SpirometerModel;
  if (chosen != previous) {
    settings.SpirometerModel = chosen;
    StoreWorkingSettings(context, settings);
    if (chosen == kCustomSpirometerModel && !IsSet(settings.customScale)) {
      HostEnableDialogItem(dialog, kOk, false);
      HostEnableDialogItem(dialog, kCancel, false);
      if (!CalibrateFlowHead(context)) {
        settings = WorkingSettings(context);
        settings.SpirometerModel = previous;
        StoreWorkingSettings(context, settings);
      }
      HostEnableDialogItem(dialog, kOk, true);
      HostEnableDialogItem(dialog, kCancel, true);
      ShowStatus(dialog, context);
    }
    ShowModel(dialog, context);
  }
  UpdateCoefficients(dialog, context);
}

void Calibrate(DialogRef dialog, FlowDialogContext& context) {
  RespFlowSettings settings = WorkingSettings(context);
  const double keptScale = settings.customScale;
  const double keptNonlinearity = settings.customNonlinearity;
  if (settings.SpirometerModel != kCustomSpirometerModel) {
    settings.customScale = settings.scale;
    settings.customNonlinearity = settings.nonlinearity;
    StoreWorkingSettings(context, settings);
  }
  if (CalibrateFlowHead(context)) {
    settings = WorkingSettings(context);
    settings.SpirometerModel = kCustomSpirometerModel;
    StoreWorkingSettings(context, settings);
    ShowModel(dialog, context);
    UpdateCoefficients(dialog, context);
  } else {
    settings = WorkingSettings(context);
    settings.customScale = keptScale;
    settings.customNonlinearity = keptNonlinearity;
    StoreWorkingSettings(context, settings);
  }
  ShowStatus(dialog, context);
}

void ToggleCheckbox(DialogRef dialog, std::int16_t item) {
  HostSetDialogItemChecked(dialog, item, HostGetDialogItemValue(dialog, item) == 0);
}

void OpenItems(DialogRef dialog, FlowDialogContext& context) {
  const RespFlowSettings settings = WorkingSettings(context);
  AppendTitleSuffix(dialog, settings.ownChannel);
  HostService568(dialog, kSource, 1, 0, 0);
  MarkSpirometerChannels(dialog);
  HostSetDialogItemProc(dialog, kSeparator, &HostStandardItemProc121);
  HostSetDialogItemProc(dialog, kModelFrame, &HostStandardItemProc122);
  HostSetDialogItemProc(dialog, kCoefficients, &DrawCoefficientText);
  HostSetDialogItemProc(dialog, kStatus, &DrawCalibrationStatus);
  ShowSource(dialog, settings);
  HostSetDialogItemChecked(dialog, kDrift, settings.driftCorrection != 0);
  context.modelMenu = static_cast<MenuRef>(HostGetDialogItemMenu(dialog, kModel));
  context.modelCount =
      context.modelMenu != nullptr ? static_cast<std::int16_t>(CountMenuItems(context.modelMenu)) : 0;
  ShowModel(dialog, context);
  ShowLinearise(dialog, settings);
  RecomputeStatus(dialog, context);
}

std::int16_t RunLoop(DialogRef dialog, FlowDialogContext& context) {
  std::int16_t hit = 0;
  for (;;) {
    HostModalDialog(HostQueryValue(205), &hit);
    if (hit == kCoefficients && HostHasCapability(kTypedCoefficientsCapability)) hit = kCalibrate;
    switch (hit) {
      case kOk:
      case kCancel: return hit;
      case kSource: ChooseSource(dialog, context); break;
      case kLinearise: {
        ToggleCheckbox(dialog, kLinearise);
        RespFlowSettings settings = WorkingSettings(context);
        settings.linearise = HostGetDialogItemValue(dialog, kLinearise) > 0 ? 1 : 0;
        StoreWorkingSettings(context, settings);
        UpdateFlowCoefficients(context.working);
        DrawCoefficientText(dialog, kCoefficients);
        break;
      }
      case kModel: ChooseModel(dialog, context); break;
      case kCalibrate: Calibrate(dialog, context); break;
      case kDrift: ToggleCheckbox(dialog, kDrift); break;
      default: break;
    }
  }
}

void ReadItems(DialogRef dialog, FlowDialogContext& context) {
  RespFlowSettings settings = WorkingSettings(context);
  settings.sourceChannel = HostGetDialogItemValue(dialog, kSource);
  settings.sourceIsComputed = settings.sourceChannel != settings.ownChannel ? 1 : 0;
  settings.driftCorrection = HostGetDialogItemValue(dialog, kDrift) != 0 ? 1 : 0;
  settings.linearise = HostGetDialogItemValue(dialog, kLinearise) > 0 ? 1 : 0;
  const std::int16_t model = HostGetDialogItemValue(dialog, kModel);
  settings.SpirometerModel = model == context.modelCount ? kCustomSpirometerModel : model;
  StoreWorkingSettings(context, settings);
}

void Submit(const RespFlowSettings& s) {
  const auto key = [](std::uint16_t code) {
    return static_cast<std::uint16_t>(gRespFlowExtension.MapLocalId(code));
  };
  const std::int32_t channel = s.ownChannel;
  HostSubmitCommandDouble(key(kSetCustomScale), channel, s.customScale);
  HostSubmitCommandDouble(key(kSetCustomNonlinearity), channel, s.customNonlinearity);
  HostSubmitCommandDouble(key(kSetZeroOffset), channel, s.zeroOffset);
  HostSubmitCommandShort(key(kSetSourceChannel), channel, s.sourceChannel);
  HostSubmitCommandFlag(key(kSetLinearise), channel, s.linearise != 0);
  HostSubmitCommandFlag(key(kSetDriftCorrection), channel, s.driftCorrection != 0);
  HostSubmitCommandShort(key(kSetModel), channel, s.SpirometerModel);
}

}  // namespace

bool EditSettings(std::int16_t channel, LocalDataType** local) {
  if (local == nullptr) return false;
  const auto record = LoadHandleRecord<LocalDataType>(LocalHandle(local));
  if (record.state != kStateHasSettings && record.state != kStateCreated) {
    Str255 message;
    FlowText(record.state, message);
    HostAlert(message);
    return false;
  }
  DialogResources resources;
  if (!AllocateContext(resources)) return false;
  FlowDialogContext& context = resources.context();
  RespFlowSettings settings = StartingSettings(record);
  settings.ownChannel = channel;
  UpdateFlowCoefficients(settings);
  StoreWorkingSettings(context, settings);
  SetActiveFlowDialog(&context);

  gRespFlowExtension.BeginResources();
  DialogRef dialog = OpenExtensionDialog(gRespFlowExtension, kSettingsDialogId);
  gRespFlowExtension.EndResources();
  if (dialog == nullptr) return false;
  OpenItems(dialog, context);
  HostShowDialog(dialog);
  const std::int16_t hit = RunLoop(dialog, context);
  if (hit == kOk) ReadItems(dialog, context);
  HostDisposeDialog(dialog);
  if (hit != kOk) return false;
  Submit(WorkingSettings(context));
  return SettingsHandleOf(local) != nullptr;
}

}  // namespace flow

}  // namespace spiro
