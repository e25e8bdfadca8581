// What the flow settings dialog and its calibration dialogs share while they
// run: the working copy of the settings and the selected syringe stroke.
#pragma once

#include <cstdint>

#include "computed/resp_flow_settings.h"
#include "toolbox/dialogs.h"
#include "toolbox/mac_types.h"
#include "toolbox/menus.h"

namespace spiro {

namespace flow {

enum CalibrationStatus : std::int16_t {
  kCalibrationUsable = 0,
  kCalibrationNoMemory = 5,
  kCalibrationNoSelection = 6,
  kCalibrationTooShort = 7,
  kCalibrationTooLong = 8,
  kCalibrationNoSourceData = 9,
  kCalibrationBrokenBlocks = 10,
  kCalibrationNotVolts = 11,
  kCalibrationNoVolume = 12,     // a warning: calibrating is still allowed
  kCalibrationUnfoldable = 13,   // a warning: calibrating is still allowed
};

// Statuses 1 .. 11 leave nothing to calibrate from.
constexpr bool BlocksCalibration(std::int16_t status) { return status >= 1 && status <= 11; }

// String list 8300 entries the dialogs draw.
enum FlowDialogText : std::int16_t {
  kPreviewFlowLabel = 14,
  kPreviewVolumeLabel = 15,
  kCannotCalibratePrefix = 16,
  kScalePrefix = 18,
  kNonlinearityPrefix = 19,
  kStatusPrefix = 20,
};

struct FlowDialogContext {
  Handle working;            // RespFlowSettings being edited
  std::int16_t modelCount;   // items of the model pop-up; the last is custom
  MenuRef modelMenu;
  std::int16_t status;       // CalibrationStatus
  std::int32_t selectionLength;
  Handle selection;          // f32 source samples of the selection
  double calibrationVolume;  // |integral| in base units x seconds
};

// The context of the dialog being run (dialogs of one function are modal and
// never nest beyond the calibration dialogs, which share the same context).
FlowDialogContext* ActiveFlowDialog();
void SetActiveFlowDialog(FlowDialogContext* context);

RespFlowSettings WorkingSettings(const FlowDialogContext& context);
void StoreWorkingSettings(FlowDialogContext& context, const RespFlowSettings& settings);

// Sets the status, the selection and calibrationVolume from the active range.
void ComputeCalibrationVolume(FlowDialogContext& context);
// True when the user accepted new coefficients (typed or from a syringe).
bool CalibrateFlowHead(FlowDialogContext& context);

// User-item procedures.
void DrawCoefficientText(void* dialog, std::int16_t item);
void DrawCalibrationStatus(void* dialog, std::int16_t item);
void DrawCalibrationPreview(void* dialog, std::int16_t item);

// Entry of string list 8300.
void FlowText(std::int16_t entry, StringPtr text);
// Draws text left-aligned into the box in the dialogs' small font.
void DrawSmallText(ConstStr255Param text, const Rect& box);

}  // namespace flow

}  // namespace spiro
