// What the volume settings dialog and its items share while it runs: the
// working copy of the settings and the last measurement of the expiratory
// correction factor.
#pragma once

#include <cstdint>

#include "computed/resp_volume_settings.h"
#include "computed/volume_local_data.h"
#include "toolbox/dialogs.h"
#include "toolbox/mac_types.h"

namespace spiro {

namespace volume {

enum MeasurementStatus : std::int16_t {
  kNotMeasured = 0,
  kMeasureNoMemory = 5,
  kNoBreathFound = 9,  // also a factor outside 0.9 .. 2.0
  kMeasureNoSelection = 10,
  kMeasureTooShort = 11,
  kMeasureTooLong = 12,
  kMeasureNoSourceData = 13,
  kMeasureBrokenBlocks = 14,
  kFactorMeasured = 15,
  kSourceNotFlow = 17,
};

// String list 8500 entries the dialog draws.
enum VolumeDialogText : std::int16_t {
  kMeasurementPrefix = 8,
  kMeasuredText = 15,
  kCustomThresholdText = 16,
  kFlowFunctionLabel = 18,
};

enum VolumeDialogItem : std::int16_t {
  kOkItem = 1,
  kCancelItem = 2,
  kSourceItem = 7,
  kUseMeasuredItem = 8,
  kMeasurementStatusItem = 10,
  kFactorItem = 11,
  kCorrectionItem = 12,
  kMeasuredFactorItem = 13,
  kThresholdItem = 15,
  kGroupFrameItem = 16,
  kArrowItem = 18,
  kResetItem = 19,
};

struct VolumeDialogContext {
  LocalDataType** record;
  Handle working;  // RespVolumeSettings being edited
  std::int16_t thresholdCount;
  std::int16_t status;        // MeasurementStatus
  std::int16_t sourceStatus;  // 0, or 13 / 17 for the source shown
  double measuredFactor;      // +infinity when none
  std::int32_t selectionLength;
  Handle selection;
  std::int32_t firstCrossing;
  std::int32_t secondCrossing;
};

// The context of the dialog being run; the volume function runs one at a time.
VolumeDialogContext* ActiveVolumeDialog();
void SetActiveVolumeDialog(VolumeDialogContext* context);

RespVolumeSettings WorkingSettings(const VolumeDialogContext& context);
void StoreWorkingSettings(VolumeDialogContext& context, const RespVolumeSettings& settings);
std::int16_t FlowIdOf(const VolumeDialogContext& context);

// The two positive-going crossings of one breath cycle in n samples of flow
// (litres per sample = sample x gain): the one at the lowest volume in the
// first third and in the last part. -1 when there is none.
struct BreathCycle {
  std::int32_t first;
  std::int32_t second;
};
BreathCycle FindBreathCycle(const float* samples, std::int32_t n, double gain);
// Expired over inspired volume beyond the dead space, over first .. second.
double CorrectionFactorOf(const float* samples, BreathCycle cycle, double gain, double offset,
                          double threshold);

void MeasureCorrectionFactor(DialogRef dialog, VolumeDialogContext& context);

void DrawMeasuredFactor(void* dialog, std::int16_t item);
void DrawMeasurementStatus(void* dialog, std::int16_t item);
void DrawArrowItem(void* dialog, std::int16_t item);
void DrawGroupFrame(void* dialog, std::int16_t item);
// Item 8 is usable only for a factor within range while the correction is on.
void EnableUseMeasured(DialogRef dialog, const VolumeDialogContext& context);

void VolumeText(std::int16_t entry, StringPtr text);

// The threshold pop-up: its menu from string list 8501, its display, the
// custom threshold dialog and the modal filter that runs the pop-up.
void BuildThresholdMenu(DialogRef dialog, VolumeDialogContext& context);
void ShowThreshold(DialogRef dialog, const VolumeDialogContext& context);
void ChooseThreshold(DialogRef dialog, VolumeDialogContext& context);
ModalFilterUPP NewThresholdFilter();

}  // namespace volume

}  // namespace spiro
