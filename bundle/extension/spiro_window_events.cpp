#include "extension/spiro_window_events.h"

#include <cstring>

#include "extension/drawing_state.h"
#include "extension/port_helpers.h"
#include "extension/respiratory_extension.h"
#include "extension/spiro_commands.h"
#include "frame/host_services_commands.h"
#include "frame/host_services_drawing.h"
#include "frame/host_services_host.h"
#include "frame/host_services_menus.h"
#include "frame/host_services_strings.h"
#include "spirometry/analysis.h"
#include "spirometry/cursor_readout.h"
#include "frame/host_services_scales.h"
#include "spirometry/window_content.h"
#include "toolbox/controls.h"
#include "toolbox/quickdraw.h"
#include "util/handle_record.h"
#include "util/pstring.h"

namespace spiro {

namespace spirometry {
namespace {

constexpr std::int16_t kHeaderFont = 1;
constexpr std::int16_t kHeaderSize = 9;
constexpr std::int16_t kGrowBoxHeight = 15;
constexpr std::int16_t kIconSide = 16;
constexpr std::int16_t kRecordingQuery = 100;
constexpr std::size_t kSlotBytes = 257;
constexpr std::size_t kCopySlot = 0;
constexpr std::size_t kPrintSlot = 3;
constexpr std::int16_t kCopyItemEntry = 8;
constexpr std::int16_t kPrintItemEntry = 9;
constexpr auto kEllipsis = PStringLiteral("\xC9");  // MacRoman "…"

Handle RecordHandle(LocalDataType** local, std::int16_t kind) {
  return (*local)->windowRecords[kind - 1];
}

SpiroWindowRecord& Common(Handle handle) { return *reinterpret_cast<SpiroWindowRecord*>(*handle); }

// The kind of one of the document's windows that has a record; 0 otherwise.
std::int16_t KindOf(WindowRef window, LocalDataType** local) {
  if (local == nullptr) return 0;
  const std::int16_t kind = WindowIndexOf(window, local);
  return kind >= 1 && RecordHandle(local, kind) != nullptr ? kind : 0;
}

std::uint16_t Key(const VantorExtensionBase& extension, std::uint16_t code) {
  return static_cast<std::uint16_t>(extension.MapLocalId(code));
}

}  // namespace

void DrawPopUpButton(const Rect& rect, std::int16_t iconId, bool pressed, bool active) {
  gRespiratoryExtension.BeginResources();
  HostService37(static_cast<std::int16_t>(iconId + (pressed ? 1 : 0)), &rect, kIconSide, kIconSide,
                0, 1, 0);
  gRespiratoryExtension.EndResources();
  if (!active) {
    Rect dimmed = rect;
    InsetRect(&dimmed, 1, 1);
    DimRect(dimmed);
  }
}

void DrawHeader(std::int16_t kind, LocalDataType** local) {
  if (kind != kDataWindow && kind != kPlotWindow) return;
  const Handle handle = RecordHandle(local, kind);
  if (handle == nullptr) return;
  const HandleLock lock(handle);
  const SpiroWindowRecord& common = Common(handle);
  PenNormal();
  TextFont(kHeaderFont);
  TextSize(kHeaderSize);
  if (common.status != kAnalysisValid) {
    Str255 message{};
    HostGetListString((*local)->messageList, common.status, message);
    HostService346(message, &common.headerRect, 1);
  }
  const Rect& h = common.headerRect;
  for (const std::int16_t y : {h.bottom, static_cast<std::int16_t>(h.bottom + 2)}) {
    MoveTo(h.left, y);
    LineTo(h.right, y);
  }
}

void DrawWindowFrame(bool active, std::int16_t kind, LocalDataType** local) {
  const Handle handle = RecordHandle(local, kind);
  if (handle == nullptr) return;
  const HandleLock lock(handle);
  const WindowRef window = Common(handle).window;
  if (window == nullptr) return;
  if (kind == kDataWindow) {
    DrawPhaseLabel(-1, *reinterpret_cast<SpiroDataWindowRecord*>(*handle), **local);
  } else if (kind == kPlotWindow) {
    DrawPopUpButton(reinterpret_cast<SpiroPlotWindowRecord*>(*handle)->popUpRect, kPopUpIcon, false,
                    active);
  }
  if (kind == kReportWindow) return;
  Rect growArea{};
  GetWindowPortBounds(window, &growArea);
  growArea.top = static_cast<std::int16_t>(growArea.top + kGrowBoxHeight);
  ClipRect(&growArea);
  DrawGrowIcon(window);
  ClipToPortBounds(window);
}

void UpdateSpiroWindow(const VantorExtensionBase& extension, WindowRef window,
                       LocalDataType** local) {
  const std::int16_t kind = KindOf(window, local);
  if (kind < 1 || !HasVisibleRegion(window)) return;
  SetPortWindowPort(window);
  ClipToPortBounds(window);
  ErasePortBounds(window);
  AnalyseSelection(extension, local);
  const HandleLock lockLocal(reinterpret_cast<Handle>(local));
  const Handle handle = RecordHandle(local, kind);
  const HandleLock lock(handle);
  DrawHeader(kind, local);
  SpiroWindowRecord& common = Common(handle);
  ClipRect(&common.contentRect);
  DrawWindowContent(common.contentRect, true, 1, common, **local);
  ClipToPortBounds(window);
  DrawWindowFrame(Common(handle).active != 0, kind, local);
  DrawControls(window);
}

void ResizeSpiroWindow(const VantorExtensionBase& extension, WindowRef window, Point point,
                       LocalDataType** local) {
  const std::int16_t kind = KindOf(window, local);
  if (kind < 1) return;
  const Rect limits = Common(RecordHandle(local, kind)).sizeLimits;
  const SInt32 size = GrowWindow(window, point, &limits);
  if (size == 0) return;
  HostSubmitCommandShortPair(Key(extension, kSizeWindowCommand), kind,
                             static_cast<std::int16_t>(size & 0xFFFF),
                             static_cast<std::int16_t>((size >> 16) & 0xFFFF));
}

void ZoomSpiroWindow(const VantorExtensionBase& extension, WindowRef window, std::uint8_t flag,
                     LocalDataType** local) {
  const std::int16_t kind = KindOf(window, local);
  if (kind < 1) return;
  HostSubmitCommandFlag(Key(extension, kZoomWindowCommand), kind, flag != 0);
}

void ActivateSpiroWindow(const VantorExtensionBase& extension, WindowRef window, bool active,
                         LocalDataType** local) {
  const std::int16_t kind = KindOf(window, local);
  if (kind < 1) return;
  const Handle handle = RecordHandle(local, kind);
  const HandleLock lock(handle);
  HostService263(window, active);
  SetPortWindowPort(window);
  DrawWindowFrame(active, kind, local);
  if (active && Common(handle).active == 0 && HostQueryValue(kRecordingQuery) != 0) {
    HostSubmitCommandFlag(Key(extension, kShowWindowCommand), kind, true);
  }
  if (!active && kind == kDataWindow) ClearMarkers(kDataWindow, local);
  Common(handle).active = active ? 1 : 0;
  DrawHeader(kind, local);
}

std::int16_t CursorPartIn(WindowRef window, Point point, LocalDataType** local) {
  const std::int16_t kind = KindOf(window, local);
  if (kind < 1) return 0;
  const Handle handle = RecordHandle(local, kind);
  const HandleLock lock(handle);
  ControlRef control = nullptr;
  if (FindControl(point, window, &control) != 0 && control != nullptr) {
    ClearMarkers(kind, local);
    return kControlCursorPart;
  }
  if (kind == kReportWindow) return 0;
  SetPortWindowPort(window);
  const SpiroWindowRecord& common = Common(handle);
  if (common.status != kAnalysisValid) return 0;
  const Rect& plot = common.plotRect;
  if (kind == kDataWindow) {
    const std::int16_t bottom = reinterpret_cast<SpiroDataWindowRecord*>(*handle)->volumePlotRect.bottom;
    if (point.h >= plot.left && point.h <= plot.right && point.v >= plot.top && point.v <= bottom) {
      TrackCursor(point, kDataWindow, local);
      return kPlotCursorPart;
    }
    ClearMarkers(kDataWindow, local);
    return 0;
  }
  if (PtInRect(point, &plot)) {
    TrackCursor(point, kPlotWindow, local);
    return kPlotCursorPart;
  }
  ClearMarkers(kPlotWindow, local);
  const auto& loop = *reinterpret_cast<const SpiroPlotWindowRecord*>(*handle);
  std::int16_t part = 0;
  if (loop.volumeAxis != nullptr) part = HostService387(point, loop.volumeAxis);
  if (part == 0 && loop.flowAxis != nullptr) part = HostService387(point, loop.flowAxis);
  return part;
}

void DescribeSpiroWindow(WindowRef window, void* outRecord, LocalDataType** local) {
  if (local == nullptr) return;
  const HandleLock lockLocal(reinterpret_cast<Handle>(local));
  const std::int16_t kind = WindowIndexOf(window, local);
  if (kind >= 1 && outRecord != nullptr) {
    const bool enabled =
        (*local)->analysisStatus == kAnalysisValid || HostQueryValue(kRecordingQuery) != 0;
    Str255 title{};
    GetWTitle(window, title);
    auto* out = static_cast<unsigned char*>(outRecord);
    unsigned char* copy = out + kCopySlot * kSlotBytes;
    unsigned char* print = out + kPrintSlot * kSlotBytes;
    copy[0] = print[0] = enabled ? 1 : 0;
    HostGetListString((*local)->commandTextList, kCopyItemEntry, copy + 1);
    HostAppendString(copy + 1, title);
    HostGetListString((*local)->commandTextList, kPrintItemEntry, print + 1);
    HostAppendString(print + 1, title);
    ConcatPStrings(256, print + 1, print + 1, kEllipsis.data());
  }
  for (std::int16_t i = 0; i < kWindowKinds; ++i) {
    HostService634((*local)->windowMenuItems[i], kind == i + 1);
  }
}

}  // namespace spirometry

}  // namespace spiro
