// How a window is copied: at normal size (the report with labels) or at four
// times the size (the report's values on one tab-separated line).
#include "extension/dialog_helpers.h"
#include "extension/respiratory_extension.h"
#include "extension/spiro_commands.h"
#include "extension/spiro_window.h"
#include "frame/host_services_commands.h"
#include "frame/host_services_dialogs.h"
#include "frame/host_services_host.h"
#include "spirometry/settings_dialogs.h"

namespace spiro {

namespace spirometry {
namespace {

constexpr std::int16_t kPlotDialogId = 8115;
constexpr std::int16_t kReportDialogId = 8116;
constexpr std::int16_t kReportKind = 3;
enum Item : std::int16_t { kNormal = 5, kLarge = 6 };
constexpr std::uint16_t kNormalFormat = 1;
constexpr std::uint16_t kLargeFormat = 4;
constexpr std::int16_t kCommandsRunning = 100;

}  // namespace

void EditCopyFormat(std::int16_t kind, LocalDataType** data, const VantorExtensionBase& extension) {
  if (data == nullptr) return;
  Str255 title = {0};
  if (WindowRef window = WindowOfKind(data, kind); window != nullptr) GetWTitle(window, title);
  const unsigned char empty[] = {0};
  ParamText(title, empty, empty, empty);
  ExtensionDialog dialog(extension, kind == kReportKind ? kReportDialogId : kPlotDialogId);
  DialogRef d = dialog.get();
  if (d == nullptr) return;
  SetRadioGroup(d, kNormal, kLarge, (*data)->copyFormat == kLargeFormat ? 1 : 0);
  HostShowDialog(d);
  std::int16_t hit = 0;
  do {
    hit = dialog.Step();
    if (hit == kNormal || hit == kLarge) SetRadioGroup(d, kNormal, kLarge, hit - kNormal);
  } while (hit != kOkItem && hit != kCancelItem);
  if (hit != kOkItem) return;
  const std::uint16_t value = GetRadioGroup(d, kNormal, kLarge) == 1 ? kLargeFormat : kNormalFormat;
  (*data)->commandsEnabled = HostQueryValue(kCommandsRunning) == 0 ? 1 : 0;
  HostSubmitCommandShort(static_cast<std::uint16_t>(extension.MapLocalId(kCopyCommand)), kind,
                         static_cast<std::int16_t>(value));
  (*data)->commandsEnabled = 1;
  (*data)->copyFormat = value;
}

}  // namespace spirometry

}  // namespace spiro
