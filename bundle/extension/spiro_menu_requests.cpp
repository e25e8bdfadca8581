#include "extension/spiro_menu_requests.h"

#include "extension/port_helpers.h"
#include "extension/spiro_commands.h"
#include "extension/spiro_settings.h"
#include "extension/spiro_window.h"
#include "frame/credit_lines.h"
#include "frame/host_services_commands.h"
#include "frame/host_services_host.h"
#include "spirometry/analysis.h"
#include "spirometry/cursor_readout.h"
#include "spirometry/settings_dialogs.h"
#include "spirometry/window_output.h"
#include "toolbox/windows.h"
#include "toolbox/menus.h"
#include "util/handle_record.h"
#include "vantor/byte_access.h"

namespace spiro {

namespace spirometry {
namespace {

enum MenuRequest : std::int16_t {
  kSelectionChanged = 0,
  kFunctionsKnown = 3,
  kPrintFront = 100,
  kCopyFormatFront = 103,
  kSaveRequest = 200,
  kSaveAsRequest = 202,
  kLoadRequest = 203,
  kRevertRequest = 207,
  kDisplayChanged = 400,
  kDataDisplayChanged = 401,
  kChannelTitleChanged = 402,
  kPlotDisplayChanged = 403,
  kWindowMoved = 600,
  kWindowClosed = 601,
  kVersionQuery = 8000,
};
// Data of a load request that asks for no settings.
constexpr std::uint32_t kLoadNothing = 2;

// The kind's content is drawn again when its analysis stands.
void InvalidateContent(LocalDataType** local, std::int16_t kind) {
  const Handle handle = (*local)->windowRecords[kind - 1];
  if (handle == nullptr) return;
  const auto common = LoadHandleRecord<SpiroWindowRecord>(handle);
  if (common.status == kAnalysisValid) InvalidateWindowRect(common.window, common.contentRect);
}

// The report window has no markers.
void ClearPlotMarkers(LocalDataType** local) {
  ClearMarkers(kDataWindow, local);
  ClearMarkers(kPlotWindow, local);
}

bool ConcernsChosenChannel(const LocalDataType& record, std::uint32_t channel) {
  return channel == 0 || channel == static_cast<std::uint32_t>(record.flowChannel) ||
         channel == static_cast<std::uint32_t>(record.volumeChannel);
}

void RenameChannels(std::uint32_t channel, LocalDataType** local) {
  LocalDataType& record = **local;
  const std::int16_t first = channel == 0 ? 1 : static_cast<std::int16_t>(channel);
  const std::int16_t last = channel == 0 ? record.channelCount : first;
  for (std::int16_t c = first; c <= last; ++c) {
    Str255 title{};
    HostGetChannelName(c, title);
    if (record.volumeMenu != nullptr) {
      SetMenuItemText(record.volumeMenu, record.volumeMenuOwnItems + c, title);
    }
    if (record.flowMenu != nullptr) {
      SetMenuItemText(record.flowMenu, record.flowMenuOwnItems + c, title);
    }
  }
  if (ConcernsChosenChannel(record, channel)) {
    const Handle report = record.windowRecords[kReportWindow - 1];
    if (report != nullptr) {
      InvalidateWindow(LoadHandleRecord<SpiroWindowRecord>(report).window);
    }
  }
}

void SubmitMove(const VantorExtensionBase& extension, WindowRef window, std::int16_t kind,
                LocalDataType** local) {
  const Rect bounds = GetGlobalPortBounds(window);
  (*local)->commandsEnabled = 0;
  HostSubmitCommandShortPair(static_cast<std::uint16_t>(extension.MapLocalId(kMoveWindowCommand)),
                             kind, bounds.left, bounds.top);
  (*local)->commandsEnabled = 1;
}

}  // namespace

void DoSpiroMenuRequest(VantorExtensionBase& extension, std::int16_t code, std::uint32_t data,
                        LocalDataType** local) {
  if (local == nullptr) return;
  const HandleLock lock(reinterpret_cast<Handle>(local));
  const auto dataWindow = vantor::PointerFromU32<OpaqueWindowPtr>(data);
  switch (code) {
    case kSelectionChanged: InvalidateAnalysis(local); break;
    case kFunctionsKnown:
      (*local)->flowFunctionId = HostService638(kFlowCreditLine);
      (*local)->volumeFunctionId = HostService638(kVolumeCreditLine);
      break;
    case kPrintFront:
      if (const std::int16_t kind = WindowIndexOf(FrontNonFloatingWindow(), local); kind >= 1) {
        PrintWindow(kind, local, extension);
      }
      break;
    case kCopyFormatFront:
      if (const std::int16_t kind = WindowIndexOf(FrontNonFloatingWindow(), local); kind >= 1) {
        EditCopyFormat(kind, local, extension);
      }
      break;
    case kSaveRequest:
    case kSaveAsRequest: SaveSettings(extension, local); break;
    case kLoadRequest:
    case kRevertRequest:
      if (data != kLoadNothing) LoadSettings(extension, local);
      break;
    case kDisplayChanged:
      ClearPlotMarkers(local);
      InvalidateContent(local, kDataWindow);
      InvalidateContent(local, kPlotWindow);
      break;
    case kDataDisplayChanged:
      ClearPlotMarkers(local);
      if (ConcernsChosenChannel(**local, data)) InvalidateContent(local, kDataWindow);
      break;
    case kChannelTitleChanged: RenameChannels(data, local); break;
    case kPlotDisplayChanged:
      ClearPlotMarkers(local);
      InvalidateContent(local, kPlotWindow);
      break;
    case kWindowMoved:
      if (const std::int16_t kind = WindowIndexOf(dataWindow, local); kind >= 1) {
        SubmitMove(extension, dataWindow, kind, local);
      }
      break;
    case kWindowClosed:
      if (const std::int16_t kind = WindowIndexOf(dataWindow, local); kind >= 1) {
        HostSubmitCommandFlag(
            static_cast<std::uint16_t>(extension.MapLocalId(kShowWindowCommand)), kind, false);
      }
      break;
    case kVersionQuery:
      if (data != 0) vantor::StoreAt<std::uint32_t>(vantor::PointerFromU32<void>(data), 0, kVersionAnswer);
      break;
    default: break;
  }
}

}  // namespace spirometry

}  // namespace spiro
