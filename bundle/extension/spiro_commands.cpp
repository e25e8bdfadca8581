#include "extension/spiro_commands.h"

#include <algorithm>

#include "extension/port_helpers.h"
#include "extension/respiratory_extension.h"
#include "extension/spiro_settings.h"
#include "extension/spiro_window.h"
#include "frame/host_services_commands.h"
#include "frame/host_services_drawing.h"
#include "frame/host_services_scales.h"
#include "spirometry/analysis.h"
#include "spirometry/clipboard_copy.h"
#include "spirometry/settings_dialogs.h"
#include "spirometry/window_output.h"
#include "toolbox/quickdraw.h"
#include "util/handle_record.h"
#include "vantor/byte_access.h"

namespace spiro {

namespace spirometry {
namespace {

using vantor::LoadAt;

constexpr std::int16_t kDoubleValues = 25;
constexpr double kShortRangeUnit = 1.0 / 2048.0;
constexpr std::int16_t kZoomOutPart = 7;
constexpr std::int16_t kZoomInPart = 8;
constexpr std::uint16_t kFirstShowButton = 31;
constexpr std::uint16_t kLastShowButton = 33;
constexpr std::uint16_t kFirstShowItem = 16387;
constexpr std::uint16_t kLastShowItem = 16389;
constexpr std::uint16_t kSettingsDialogCommand = 16404;
constexpr std::uint16_t kSubjectDialogCommand = 16405;

struct Command {
  std::int16_t format;
  std::uint16_t code;
  std::int32_t first;
  const unsigned char* values;  // from offset 8
};

Handle RecordOfKind(LocalDataType** local, std::int32_t kind) {
  if (kind < 1 || kind > kWindowKinds) return nullptr;
  return (*local)->windowRecords[kind - 1];
}

void ShowWindowOfKind(const Command& c, LocalDataType** local) {
  const auto kind = static_cast<std::int16_t>(c.first);
  if (kind < 1 || kind > kWindowKinds) return;
  if (RecordOfKind(local, kind) == nullptr) OpenWindow(kind, local);
  const WindowRef window = WindowOfKind(local, kind);
  if (window == nullptr) return;
  if (c.values[0] != 0) {
    reinterpret_cast<SpiroWindowRecord*>(*RecordOfKind(local, kind))->active = 1;
    HostService147(window);
  } else {
    HostService140(window);
  }
}

void SizeWindow(const Command& c, WindowRef window, LocalDataType** local) {
  const Handle handle = RecordOfKind(local, c.first);
  const Rect limits = reinterpret_cast<SpiroWindowRecord*>(*handle)->sizeLimits;
  const auto width = std::clamp(LoadAt<std::int16_t>(c.values, 0), limits.left, limits.right);
  const auto height = std::clamp(LoadAt<std::int16_t>(c.values, 2), limits.top, limits.bottom);
  SetPortWindowPort(window);
  HostService143(window, width, height, false);
  InvalidatePortBounds(window);
  LayOutWindow(static_cast<std::int16_t>(c.first), local);
}

void ZoomWindow(const Command& c, WindowRef window, LocalDataType** local) {
  ShowHide(window, false);
  HostService144(window, c.values[0] != 0 ? kZoomOutPart : kZoomInPart, false, true);
  ShowHide(window, true);
  SetPortWindowPort(window);
  ClipToPortBounds(window);
  LayOutWindow(static_cast<std::int16_t>(c.first), local);
}

void SetPlotOption(const Command& c, LocalDataType** local) {
  const Handle handle = RecordOfKind(local, c.first);
  if (c.first != kPlotWindow || handle == nullptr || LoadAt<std::int16_t>(c.values, 0) != 1) {
    return;
  }
  auto& plot = *reinterpret_cast<SpiroPlotWindowRecord*>(*handle);
  plot.plotOption = LoadAt<std::int16_t>(c.values, 2) != 0 ? 1 : 0;
  if ((*local)->analysisStatus == kAnalysisValid) InvalidateWindow(plot.common.window);
}

void ChooseChannel(const Command& c, LocalDataType** local) {
  const auto channel = LoadAt<std::int16_t>(c.values, 0);
  std::int16_t LocalDataType::*field = nullptr;
  if (c.first == 1) field = &LocalDataType::flowChannel;
  if (c.first == 2) field = &LocalDataType::volumeChannel;
  if (field == nullptr) return;
  if ((*local)->*field != channel) InvalidateAnalysis(local);
  (*local)->*field = channel;
}

void SetAxisRange(const Command& c, bool flowAxis, LocalDataType** local) {
  const Handle handle = RecordOfKind(local, kPlotWindow);
  if (c.first != kPlotWindow || handle == nullptr) return;
  const auto& plot = *reinterpret_cast<const SpiroPlotWindowRecord*>(*handle);
  void* axis = flowAxis ? plot.flowAxis : plot.volumeAxis;
  if (axis == nullptr) return;
  double first = 0.0;
  double second = 0.0;
  if (c.format == kDoubleValues) {
    first = LoadAt<double>(c.values, 0);
    second = LoadAt<double>(c.values, 8);
  } else {
    first = LoadAt<std::int16_t>(c.values, 0) * kShortRangeUnit;
    second = LoadAt<std::int16_t>(c.values, 2) * kShortRangeUnit;
  }
  HostScaleSetRange363(axis, first, second);
  const auto& placed = *reinterpret_cast<const SpiroPlotWindowRecord*>(*handle);
  InvalidateWindowRect(placed.common.window, placed.common.contentRect);
}

// The report page needs all three windows; one that cannot be made stops it.
void PrintReportPage(const VantorExtensionBase& extension, LocalDataType** local) {
  for (const std::int16_t kind : {kPlotWindow, kDataWindow, kReportWindow}) {
    if (!OpenWindow(kind, local)) return;
  }
  PrintReport(local, extension);
}

void SubmitShow(const VantorExtensionBase& extension, std::int16_t kind) {
  HostSubmitCommandFlag(static_cast<std::uint16_t>(extension.MapLocalId(kShowWindowCommand)),
                        kind, true);
}

}  // namespace

void PerformSpiroCommand(const VantorExtensionBase& extension, const void* record,
                         LocalDataType** local) {
  if (local == nullptr || record == nullptr) return;
  const HandleLock lock(reinterpret_cast<Handle>(local));
  const Command c{LoadAt<std::int16_t>(record, 0), LoadAt<std::uint16_t>(record, 2),
                  LoadAt<std::int32_t>(record, 4), static_cast<const unsigned char*>(record) + 8};
  const WindowRef window = c.first >= 1 && c.first <= kWindowKinds
                               ? WindowOfKind(local, static_cast<std::int16_t>(c.first))
                               : nullptr;
  switch (c.code) {
    case kShowWindowCommand: ShowWindowOfKind(c, local); break;
    case kMoveWindowCommand:
      if ((*local)->commandsEnabled != 0 && window != nullptr) {
        HostService173(window, LoadAt<std::int16_t>(c.values, 0), LoadAt<std::int16_t>(c.values, 2),
                       false);
      }
      break;
    case kSizeWindowCommand:
      if (window != nullptr) SizeWindow(c, window, local);
      break;
    case kZoomWindowCommand:
      if (window != nullptr) ZoomWindow(c, window, local);
      break;
    case kOutputCommand:
      if ((*local)->commandsEnabled != 0 && c.first >= 1 && c.first <= kWindowKinds) {
        OutputWindow(static_cast<std::int16_t>(c.first), LoadAt<Rect>(c.values, 0), local, extension);
      }
      break;
    case kCopyCommand:
      if ((*local)->commandsEnabled != 0 && c.first >= 1 && c.first <= kWindowKinds) {
        CopyWindowContent(LoadAt<std::uint16_t>(c.values, 0), static_cast<std::int16_t>(c.first),
                          local, extension);
      }
      break;
    case kPrintReportCommand: PrintReportPage(extension, local); break;
    case kSettingsBlockCommand:
      ApplySettingsData(vantor::PointerFromU32<const void>(LoadAt<std::uint32_t>(c.values, 2)),
                        LoadAt<std::int16_t>(c.values, 0), static_cast<OSType>(c.first), local);
      break;
    case kPlotOptionCommand: SetPlotOption(c, local); break;
    case kChannelCommand: ChooseChannel(c, local); break;
    case kFlowRangeCommand: SetAxisRange(c, true, local); break;
    case kVolumeRangeCommand: SetAxisRange(c, false, local); break;
    default:
      if (c.code >= kFirstShowButton && c.code <= kLastShowButton) {
        SubmitShow(extension, static_cast<std::int16_t>(c.code - kFirstShowButton + 1));
      } else if (c.code >= kFirstShowItem && c.code <= kLastShowItem) {
        SubmitShow(extension, static_cast<std::int16_t>(c.code - kFirstShowItem + 1));
      } else if (c.code == kSettingsDialogCommand) {
        EditAnalysisSettings(local, extension);
      } else if (c.code == kSubjectDialogCommand) {
        EditSubject(local, extension);
      }
      break;
  }
}

}  // namespace spirometry

}  // namespace spiro
