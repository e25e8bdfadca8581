// The volume function's settings dialog. It edits a working copy of the
// settings; on OK the changes travel as submitted commands.
#include <limits>

#include "computed/dialog_context_owner.h"
#include "computed/computed_command.h"
#include "computed/local_records.h"
#include "computed/resp_volume.h"
#include "computed/source_samples.h"
#include "computed/volume_coefficients.h"
#include "computed/volume_dialog_context.h"
#include "computed/volume_object.h"
#include "computed/volume_units.h"
#include "extension/resource_text_helpers.h"
#include "frame/host_services_commands.h"
#include "frame/host_services_data.h"
#include "frame/host_services_dialogs.h"
#include "frame/host_services_host.h"
#include "frame/host_services_memory.h"
#include "frame/host_services_ranges.h"
#include "frame/host_services_strings.h"
#include "util/handle_record.h"
#include "util/pstring.h"
#include "util/window_placement.h"
#include "vantor/byte_access.h"
#include "vantor/range_record.h"
#include "vantor/services.h"

namespace spiro {

namespace volume {
namespace {

constexpr std::int16_t kSettingsDialogId = 8510;
constexpr std::int16_t kCorrectionGroup[] = {kFactorItem, kThresholdItem, 9, 14, 17};
constexpr unsigned char kOpen[] = "\x02 (";
constexpr unsigned char kClose[] = "\x01)";

using DialogResources = computed::DialogContextOwner<VolumeDialogContext, &SetActiveVolumeDialog>;

// The context, no measurement yet, and its working copy (the alert when
// memory runs out for it).
bool AllocateContext(DialogResources& resources, LocalDataType** record) {
  VolumeDialogContext* context = resources.Allocate();
  if (context == nullptr) return false;
  context->record = record;
  context->measuredFactor = std::numeric_limits<double>::infinity();
  context->firstCrossing = context->secondCrossing = -1;
  context->working = HostNewHandle(sizeof(RespVolumeSettings));
  if (context->working == nullptr) HostAlert(kOutOfMemoryText);
  return context->working != nullptr;
}

// The block of the active range's start, or `none` without a range.
std::int16_t RangeBlock(std::int16_t none) {
  if (!RangeHasProperty516() && !RangeHasProperty518()) return none;
  unsigned char range[vantor::kRangeRecordBytes] = {};
  GetActiveRangeRecord(range);
  return DataBlockOfPosition(vantor::LoadAt<std::uint32_t>(range, vantor::kRangeStartAt));
}

// Without a source: the first flow channel, else a neighbour to start from.
void ChooseStartingSource(RespVolumeSettings& settings, std::int16_t flowId, std::int16_t channels) {
  const std::int16_t block = RangeBlock(0);
  for (std::int16_t channel = 1; channel <= channels; ++channel) {
    if (channel == settings.ownChannel) continue;
    RespVolumeSettings candidate = settings;
    candidate.sourceChannel = channel;
    candidate.sourceIsComputed = 1;
    if (IsFlowSource(candidate, flowId, block)) {
      settings = candidate;
      return;
    }
  }
  settings.sourceChannel = settings.ownChannel == 1 ? 2 : 1;
}

void AppendTitleSuffix(DialogRef dialog, ConstStr255Param suffix) {
  Str255 title;
  GetWTitle(GetDialogWindow(dialog), title);
  ConcatPStrings(256, title, title, suffix);
  SetWTitle(GetDialogWindow(dialog), title);
}

void LabelSourceMenu(DialogRef dialog, const VolumeDialogContext& context) {
  auto* menu = static_cast<MenuRef>(HostGetDialogItemMenu(dialog, kSourceItem));
  if (menu == nullptr) return;
  const RespVolumeSettings settings = WorkingSettings(context);
  const std::int16_t block = RangeBlock(-1);
  const std::int16_t flowId = FlowIdOf(context);
  for (MenuItemIndex item = 1; item <= CountMenuItems(menu); ++item) {
    const auto channel = static_cast<std::int16_t>(item);
    if (channel == settings.ownChannel) {
      DisableMenuItem(menu, item);
      continue;
    }
    EnableMenuItem(menu, item);
    RespVolumeSettings candidate = settings;
    candidate.sourceChannel = channel;
    if (!IsFlowSource(candidate, flowId, block)) continue;
    Str255 label = {0};
    if (flowId != kNoFlowFunction && HostService572(channel) == flowId) {
      VolumeText(kFlowFunctionLabel, label);
    } else {
      FormatText(VolumeSourceScaling(candidate, block), label);
    }
    if (label[0] == 0) continue;
    Str255 text;
    GetMenuItemText(menu, item, text);
    ConcatPStrings(256, text, text, kOpen, label, kClose);
    SetMenuItemText(menu, item, text);
  }
}

void ShowSource(DialogRef dialog, VolumeDialogContext& context) {
  const RespVolumeSettings settings = WorkingSettings(context);
  Str255 name;
  HostGetChannelName(settings.sourceChannel, name);
  HostSetDialogItemText(dialog, kSourceItem, name);
  HostSetDialogItemValue(dialog, kSourceItem, settings.sourceChannel);
  context.sourceStatus = 0;
  const std::int16_t block = RangeBlock(-2);
  if (block == -2) return;
  if (!SourceHasBlock(settings.sourceChannel, settings.sourceIsComputed != 0, block)) {
    context.sourceStatus = kMeasureNoSourceData;
  } else if (!IsFlowSource(settings, FlowIdOf(context), block)) {
    context.sourceStatus = kSourceNotFlow;
  }
}

void EnableCorrectionGroup(DialogRef dialog, bool on) {
  for (const std::int16_t item : kCorrectionGroup) HostEnableDialogItem(dialog, item, on);
}

void SetFactorText(DialogRef dialog, double factor) {
  Str255 text;
  HostDoubleToString(text, factor, 3, true);
  HostSetDialogItemText(dialog, kFactorItem, text);
  SelectDialogItemText(dialog, kFactorItem, 0, 32767);
}

void OpenItems(DialogRef dialog, VolumeDialogContext& context) {
  HostService568(dialog, kSourceItem, 1, 0, 0);
  HostSetDialogItemProc(dialog, kMeasurementStatusItem, &DrawMeasurementStatus);
  HostSetDialogItemProc(dialog, kMeasuredFactorItem, &DrawMeasuredFactor);
  HostSetDialogItemProc(dialog, kGroupFrameItem, &DrawGroupFrame);
  HostSetDialogItemProc(dialog, kArrowItem, &DrawArrowItem);
  LabelSourceMenu(dialog, context);
  ShowSource(dialog, context);
  const RespVolumeSettings settings = WorkingSettings(context);
  HostSetDialogItemChecked(dialog, kCorrectionItem, settings.negativeFlowCorrection != 0);
  MeasureCorrectionFactor(dialog, context);
  SetFactorText(dialog, settings.correctionFactor);
  BuildThresholdMenu(dialog, context);
  ShowThreshold(dialog, context);
  EnableCorrectionGroup(dialog, settings.negativeFlowCorrection != 0);
  HostSetDialogItemChecked(dialog, kResetItem, settings.resetAtPositiveFlow != 0);
  SelectDialogItemText(dialog, kFactorItem, 0, 32767);
}

void ChooseSource(DialogRef dialog, VolumeDialogContext& context) {
  RespVolumeSettings settings = WorkingSettings(context);
  const std::int16_t chosen = HostGetDialogItemValue(dialog, kSourceItem);
  if (chosen != settings.sourceChannel) {
    settings.sourceChannel = chosen;
    settings.sourceIsComputed = chosen != settings.ownChannel ? 1 : 0;
    StoreWorkingSettings(context, settings);
    ShowSource(dialog, context);
  }
  MeasureCorrectionFactor(dialog, context);
}

void ToggleCorrection(DialogRef dialog, VolumeDialogContext& context) {
  const bool on = HostGetDialogItemValue(dialog, kCorrectionItem) == 0;
  HostSetDialogItemChecked(dialog, kCorrectionItem, on);
  RespVolumeSettings settings = WorkingSettings(context);
  settings.negativeFlowCorrection = on ? 1 : 0;
  StoreWorkingSettings(context, settings);
  EnableUseMeasured(dialog, context);
  EnableCorrectionGroup(dialog, on);
  DrawMeasuredFactor(dialog, kMeasuredFactorItem);
}

std::int16_t RunLoop(DialogRef dialog, VolumeDialogContext& context, ModalFilterUPP filter) {
  const auto filterReference =
      static_cast<vantor::HostProcedure>(reinterpret_cast<std::uintptr_t>(filter));
  std::int16_t hit = 0;
  for (;;) {
    HostModalDialog(filter != nullptr ? filterReference : HostQueryValue(205), &hit);
    switch (hit) {
      case kOkItem:
      case kCancelItem: return hit;
      case kSourceItem: ChooseSource(dialog, context); break;
      case kUseMeasuredItem: SetFactorText(dialog, context.measuredFactor); break;
      case kCorrectionItem: ToggleCorrection(dialog, context); break;
      case kThresholdItem: ChooseThreshold(dialog, context); break;
      case kResetItem:
        HostSetDialogItemChecked(dialog, kResetItem, HostGetDialogItemValue(dialog, kResetItem) == 0);
        break;
      default: break;
    }
  }
}

void ReadItems(DialogRef dialog, VolumeDialogContext& context) {
  RespVolumeSettings settings = WorkingSettings(context);
  settings.sourceChannel = HostGetDialogItemValue(dialog, kSourceItem);
  settings.sourceIsComputed = settings.sourceChannel != settings.ownChannel ? 1 : 0;
  settings.negativeFlowCorrection = HostGetDialogItemValue(dialog, kCorrectionItem) > 0 ? 1 : 0;
  Str255 factor;
  HostGetDialogItemText(dialog, kFactorItem, factor);
  settings.correctionFactor = HostStringToDouble(factor);
  const std::int16_t row = HostGetDialogItemValue(dialog, kThresholdItem);
  settings.thresholdIndex = row == context.thresholdCount ? kCustomThreshold : row;
  settings.resetAtPositiveFlow = HostGetDialogItemValue(dialog, kResetItem) != 0 ? 1 : 0;
  StoreWorkingSettings(context, settings);
}

void Submit(const RespVolumeSettings& s) {
  const auto key = [](std::uint16_t code) {
    return static_cast<std::uint16_t>(gRespVolume.MapLocalId(code));
  };
  const std::int32_t channel = s.ownChannel;
  HostSubmitCommandShort(key(kSetSourceChannel), channel, s.sourceChannel);
  HostSubmitCommandFlag(key(kSetNegativeFlowCorrection), channel, s.negativeFlowCorrection != 0);
  HostSubmitCommandDouble(key(kSetCorrectionFactor), channel, s.correctionFactor);
  HostSubmitCommandShort(key(kSetThresholdIndex), channel, s.thresholdIndex);
  HostSubmitCommandDouble(key(kSetCustomThreshold), channel, s.customThreshold);
  HostSubmitCommandFlag(key(kSetResetAtPositiveFlow), channel, s.resetAtPositiveFlow != 0);
}

}  // namespace

bool EditSettings(std::int16_t channel, LocalDataType** local) {
  if (local == nullptr) return false;
  auto record = LoadHandleRecord<LocalDataType>(LocalHandle(local));
  if (record.state != kStateHasSettings && record.state != kStateCreated) {
    Str255 message;
    VolumeText(record.state, message);
    HostAlert(message);
    return false;
  }
  DialogResources resources;
  if (!AllocateContext(resources, local)) return false;
  VolumeDialogContext& context = resources.context();
  RespVolumeSettings settings = record.settings != nullptr
                                    ? LoadHandleRecord<RespVolumeSettings>(record.settings)
                                    : DefaultSettings(channel);
  settings.ownChannel = channel;
  ResolveSiblingIdentifiers(record);
  StoreHandleRecord(LocalHandle(local), record);
  if (settings.sourceChannel == 0) ChooseStartingSource(settings, record.flowId, record.channelCount);
  UpdateDeadSpace(settings);
  StoreWorkingSettings(context, settings);
  SetActiveVolumeDialog(&context);

  Str255 suffix;
  HostService608(suffix, channel);
  const unsigned char empty[] = {0};
  ParamText(suffix, empty, empty, empty);
  gRespVolume.BeginResources();
  DialogRef dialog = OpenExtensionDialog(gRespVolume, kSettingsDialogId);
  gRespVolume.EndResources();
  if (dialog == nullptr) return false;
  AppendTitleSuffix(dialog, suffix);
  OpenItems(dialog, context);
  ModalFilterUPP filter = NewThresholdFilter();
  HostShowDialog(dialog);
  const std::int16_t hit = RunLoop(dialog, context, filter);
  if (hit == kOkItem) ReadItems(dialog, context);
  if (filter != nullptr) DisposeModalFilterUPP(filter);
  HostDisposeDialog(dialog);
  if (hit != kOkItem) return false;
  Submit(WorkingSettings(context));
  return SettingsHandleOf(local) != nullptr;
}

}  // namespace volume

}  // namespace spiro
