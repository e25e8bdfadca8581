// The analysis settings: the forced factor, the flow threshold as a
// percentage of the full raw range and the report's graph.
#include <algorithm>
#include <cmath>

#include "extension/dialog_helpers.h"
#include "extension/spiro_settings.h"
#include "extension/respiratory_extension.h"
#include "frame/host_services_commands.h"
#include "frame/host_services_dialogs.h"
#include "spirometry/settings_dialogs.h"
#include "toolbox/quickdraw.h"
#include "util/handle_record.h"
#include "vantor/byte_access.h"

namespace spiro {

namespace spirometry {
namespace {

constexpr std::int16_t kDialogId = 8110;
enum Item : std::int16_t {
  kSeparator = 4,
  kForcedFactor = 6,
  kFactorFrame = 8,
  kFlowPlot = 10,
  kDataPlot = 11,
  kThreshold = 13,
  kGraphFrame = 15,
  kCross = 16,
};
constexpr std::int16_t kOptionsBytes = 16;
// The raw range's full scale (32000 / 32768) and the threshold's unit.
constexpr double kFullRange = 0.9765625;
constexpr double kThresholdSteps = 2048.0;

}  // namespace

void DrawCrossItem(void* dialog, std::int16_t item) {
  auto* d = static_cast<DialogRef>(dialog);
  GrafPtr saved = nullptr;
  GetPort(&saved);
  SetPortWindowPort(GetDialogWindow(d));
  ThemeDrawingState state = nullptr;
  const bool colored = SetDialogTextColor(d, &state) == noErr;
  const Rect r = HostGetDialogItemRect(dialog, item);
  MoveTo(r.left, r.top);
  LineTo(r.right, r.bottom);
  MoveTo(r.left, r.bottom);
  LineTo(r.right, r.top);
  if (colored) RestoreThemeState(&state);
  SetPort(saved);
}

void EditAnalysisSettings(LocalDataType** data, const VantorExtensionBase& extension) {
  if (data == nullptr) return;
  ExtensionDialog dialog(extension, kDialogId);
  DialogRef d = dialog.get();
  if (d == nullptr) return;
  // The record's block moves on any allocation: keep what is shown.
  const double forcedFactor = (*data)->forcedFactor;
  const float flowThreshold = (*data)->flowThreshold;
  const auto reportGraph = static_cast<std::int16_t>((*data)->reportGraph);
  HostSetDialogItemProc(d, kSeparator, &HostStandardItemProc121);
  HostSetDialogItemProc(d, kFactorFrame, &HostStandardItemProc122);
  HostSetDialogItemProc(d, kGraphFrame, &HostStandardItemProc122);
  HostSetDialogItemProc(d, kCross, &DrawCrossItem);
  dialog.SetNumber(kForcedFactor, forcedFactor, 2);
  dialog.SetNumber(kThreshold, static_cast<double>(flowThreshold) * 100.0 / kFullRange, 1);
  SetRadioGroup(d, kFlowPlot, kDataPlot, reportGraph);
  SelectDialogItemText(d, kThreshold, 0, 32767);
  HostShowDialog(d);
  std::int16_t hit = 0;
  do {
    hit = dialog.Step();
    if (hit == kThreshold) HostService212(d, kThreshold, 0.0, 100.0);
    if (hit == kForcedFactor) HostService212(d, kForcedFactor, 0.0, 10.0);
    if (hit == kFlowPlot || hit == kDataPlot) SetRadioGroup(d, kFlowPlot, kDataPlot, hit - kFlowPlot);
  } while (hit != kOkItem && hit != kCancelItem);
  if (hit != kOkItem) return;
  unsigned char payload[kOptionsBytes] = {};
  vantor::StoreAt<std::uint16_t>(payload, 0, kOptionsVersion);
  vantor::StoreAt<std::uint16_t>(payload, 2, (*data)->copyFormat);
  vantor::StoreAt<float>(payload, 4, static_cast<float>(std::max(1.0, HostService212(d, kForcedFactor, 0.0, 10.0))));
  vantor::StoreAt<std::uint16_t>(payload, 8, static_cast<std::uint16_t>((*data)->flowChannel));
  vantor::StoreAt<std::uint16_t>(payload, 10, static_cast<std::uint16_t>((*data)->volumeChannel));
  vantor::StoreAt<std::uint16_t>(payload, 12, static_cast<std::uint16_t>(GetRadioGroup(d, kFlowPlot, kDataPlot)));
  const double percent = HostService212(d, kThreshold, 0.0, 100.0);
  vantor::StoreAt<std::uint16_t>(payload, 14,
                                 static_cast<std::uint16_t>(std::lround(percent * kThresholdSteps * kFullRange / 100.0)));
  HostSubmitCommandBlock(static_cast<std::uint16_t>(extension.MapLocalId(kSettingsBlockCommand)), kOptionsTag,
                         kOptionsBytes, payload);
}

}  // namespace spirometry

}  // namespace spiro
