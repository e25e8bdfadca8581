#include "extension/spiro_window.h"

#include <cstring>

#include "extension/dispose_helpers.h"
#include "extension/port_helpers.h"
#include "extension/respiratory_extension.h"
#include "extension/spiro_settings.h"
#include "frame/host_services_drawing.h"
#include "frame/host_services_memory.h"
#include "spirometry/analysis.h"
#include "toolbox/controls.h"
#include "toolbox/menus.h"
#include "toolbox/quickdraw.h"
#include "util/handle_record.h"
#include "util/window_placement.h"
#include "vantor/byte_access.h"

namespace spiro {

namespace spirometry {
namespace {

using vantor::LoadAt;

constexpr OSType kTags[kWindowKinds] = {FourCharCode("FVvT"), FourCharCode("FlVl"),
                                        FourCharCode("Rprt")};
// top = min height, left = min width, bottom = max height, right = max width.
constexpr Rect kSizeLimits[kWindowKinds] = {{240, 200, 2000, 2000},
                                            {150, 200, 2000, 2000},
                                            {200, 200, 2000, 2000}};
constexpr float kMinimumContentSize = 100.0f;
constexpr std::int16_t kHeaderHeight = 13;
constexpr std::int16_t kScrollBarWidth = 15;
constexpr std::int16_t kBottomStripHeight = 14;
constexpr std::int16_t kReadoutFont = 1;
constexpr std::int16_t kReadoutSize = 9;
constexpr std::uint32_t kWindowPayloadMinimum = 12;

EventHandlerUPP gBoundsChangedUPP = nullptr;

Handle RecordHandle(LocalDataType** local, std::int16_t kind) {
  return (*local)->windowRecords[kind - 1];
}

template <class Record>
Record& RecordIn(Handle handle) {
  return *reinterpret_cast<Record*>(*handle);
}

void InstallBoundsChangedHandler(WindowRef window, LocalDataType** local) {
  if (gBoundsChangedUPP == nullptr) gBoundsChangedUPP = NewEventHandlerUPP(&BoundsChangedHandler);
  static constexpr EventTypeSpec kBoundsChanged{kEventClassWindow, kEventWindowBoundsChanged};
  InstallEventHandler(GetWindowEventTarget(window), gBoundsChangedUPP, 1, &kBoundsChanged, local,
                      nullptr);
}

void InitialiseKindPart(Handle handle, std::int16_t kind) {
  if (kind == kPlotWindow) {
    auto& plot = RecordIn<SpiroPlotWindowRecord>(handle);
    plot.plotOption = 1;
    ResetTextBox(plot.readoutBox);
    plot.redraw = 1;
    gRespiratoryExtension.BeginResources();
    const MenuRef menu = GetMenu(kPopUpMenuId);
    gRespiratoryExtension.EndResources();
    RecordIn<SpiroPlotWindowRecord>(handle).popUpMenu = menu;
  } else if (kind == kDataWindow) {
    auto& data = RecordIn<SpiroDataWindowRecord>(handle);
    ResetTextBox(data.readoutBox);
    data.redraw = 1;
  }
}

Rect PortBounds(WindowRef window) {
  Rect bounds{};
  GetWindowPortBounds(window, &bounds);
  return bounds;
}

void LayOutHeader(SpiroWindowRecord& common, TextBox& readout, const Rect& p) {
  SetRect(&common.headerRect, p.left, p.top, p.right, p.top + kHeaderHeight);
  const std::int16_t headerBottom = common.headerRect.bottom;
  SetRect(&common.contentRect, p.left, headerBottom + 3, p.right - kScrollBarWidth,
          p.bottom - kScrollBarWidth);
  SetTextBox(common.headerRect, kReadoutFont, kReadoutSize, false, readout);
}

}  // namespace

OSType TagOfKind(std::int16_t kind) {
  return kind >= 1 && kind <= kWindowKinds ? kTags[kind - 1] : FourCharCode("????");
}

std::int16_t KindOfTag(OSType tag) {
  for (std::int16_t kind = 1; kind <= kWindowKinds; ++kind) {
    if (kTags[kind - 1] == tag) return kind;
  }
  return 0;
}

WindowRef WindowOfKind(LocalDataType** local, std::int16_t kind) {
  if (local == nullptr || kind < 1 || kind > kWindowKinds) return nullptr;
  const Handle handle = RecordHandle(local, kind);
  return handle == nullptr ? nullptr : RecordIn<SpiroWindowRecord>(handle).window;
}

bool OpenWindow(std::int16_t kind, LocalDataType** local) {
  if (kind < 1 || kind > kWindowKinds) return false;
  if (RecordHandle(local, kind) != nullptr) return true;
  const Handle saved = (*local)->savedState;
  std::uint32_t size = 0;
  if (saved != nullptr) {
    const HandleLock lock(saved);
    const unsigned char* entry = FindSettingsEntry(saved, TagOfKind(kind), &size);
    CreateWindow(entry, entry == nullptr ? 0 : size, TagOfKind(kind), local);
  } else {
    CreateWindow(nullptr, 0, TagOfKind(kind), local);
  }
  return RecordHandle(local, kind) != nullptr;
}

void CreateWindow(const void* entry, std::uint32_t entrySize, OSType tag, LocalDataType** local) {
  const std::int16_t kind = KindOfTag(tag);
  if (kind == 0 || RecordHandle(local, kind) != nullptr) return;
  const Handle handle = HostNewHandle(static_cast<std::uint32_t>(WindowRecordBytes(kind)));
  if (handle == nullptr) return;
  {
    const HandleLock lock(handle);
    std::memset(*handle, 0, WindowRecordBytes(kind));
    auto& common = RecordIn<SpiroWindowRecord>(handle);
    common.kind = kind;
    common.tag = tag;
    gRespiratoryExtension.BeginResources();
    const WindowRef window =
        GetNewCWindow(static_cast<SInt16>(kFirstWindowResource + kind), nullptr, kWindowInFront);
    if (window != nullptr) {
      gRespiratoryExtension.PlaceWindow(window, static_cast<std::int16_t>(kFirstWindowResource + kind),
                                        static_cast<std::int16_t>(tag & 0xFFFF), 1);
      SetMinimumWindowSize(window, kMinimumContentSize, kMinimumContentSize);
      InstallBoundsChangedHandler(window, local);
    }
    gRespiratoryExtension.EndResources();
    if (window != nullptr) {
      HostService73(window);
      ControlRef root = nullptr;
      CreateRootControl(window, &root);
    }
    auto& made = RecordIn<SpiroWindowRecord>(handle);
    made.window = window;
    made.active = 0;
    made.status = (*local)->analysisStatus;
    made.messageCode = (*local)->messageCode;
    made.sizeLimits = kSizeLimits[kind - 1];
    InitialiseKindPart(handle, kind);
  }
  (*local)->windowRecords[kind - 1] = handle;
  if (entry != nullptr) {
    RestoreWindow(entry, entrySize, kind, local);
  } else {
    LayOutWindow(kind, local);
  }
}

void RestoreWindow(const void* entryData, std::uint32_t entrySize, std::int16_t kind,
                   LocalDataType** local) {
  const auto* entry = static_cast<const unsigned char*>(entryData);
  if (entry == nullptr || entrySize < kWindowPayloadMinimum || kind < 1 || kind > kWindowKinds) {
    return;
  }
  const std::uint16_t expected = kind == kDataWindow ? kDataWindowEntryVersion : kWindowEntryVersion;
  if (LoadAt<std::uint16_t>(entry, 0) != expected) return;
  const bool visible = entry[2] != 0;
  Rect rect = LoadAt<Rect>(entry, 4);
  if (const WindowRef window = WindowOfKind(local, kind); window != nullptr) {
    if (kind == kReportWindow) {  // keeps its own size
      const Rect bounds = PortBounds(window);
      rect.bottom = static_cast<std::int16_t>(rect.top + (bounds.bottom - bounds.top));
      rect.right = static_cast<std::int16_t>(rect.left + (bounds.right - bounds.left));
    }
    ApplyWindowRect(window, visible, rect);
  } else if (visible && RecordHandle(local, kind) == nullptr) {
    CreateWindow(entry, entrySize, TagOfKind(kind), local);
  }
  if (WindowOfKind(local, kind) != nullptr) LayOutWindow(kind, local);
}

void ApplyWindowRect(WindowRef window, bool visible, const Rect& rect) {
  if (window == nullptr) return;
  if (!visible) HostService140(window);
  const Rect global = GetGlobalPortBounds(window);
  if (global.top != rect.top || global.left != rect.left) {
    HostService173(window, rect.left, rect.top, false);
  }
  const auto width = static_cast<std::int16_t>(rect.right - rect.left);
  const auto height = static_cast<std::int16_t>(rect.bottom - rect.top);
  if (width != global.right - global.left || height != global.bottom - global.top) {
    GrafPtr saved = nullptr;
    GetPort(&saved);
    SetPortWindowPort(window);
    HostService143(window, width, height, false);
    InvalidatePortBounds(window);
    SetPort(saved);
  }
  NormalizeWindowPosition(window);
  if (visible) HostService141(window);
}

void LayOutWindow(std::int16_t kind, LocalDataType** local) {
  const Handle handle = RecordHandle(local, kind);
  if (handle == nullptr) return;
  const HandleLock lock(handle);
  auto& common = RecordIn<SpiroWindowRecord>(handle);
  if (common.window == nullptr) return;
  const Rect p = PortBounds(common.window);
  if (kind == kReportWindow) {
    common.contentRect = p;
  } else if (kind == kPlotWindow) {
    auto& plot = RecordIn<SpiroPlotWindowRecord>(handle);
    LayOutHeader(common, plot.readoutBox, p);
    const std::int16_t headerBottom = common.headerRect.bottom;
    SetRect(&plot.popUpRect, p.right - kScrollBarWidth, headerBottom + 2, p.right + 1,
            headerBottom + 18);
    const Rect& c = common.contentRect;
    SetRect(&common.plotRect, c.left + 48, c.top + 8, c.right - 10, c.bottom - 35);
  } else {
    auto& data = RecordIn<SpiroDataWindowRecord>(handle);
    LayOutHeader(common, data.readoutBox, p);
    SetRect(&data.bottomStrip, p.left, p.bottom - kBottomStripHeight, p.right - kScrollBarWidth,
            p.bottom);
    const Rect& c = common.contentRect;
    SetRect(&common.plotRect, c.left + 48, c.top + 5, c.right - 10,
            (c.bottom + c.top - 30) / 2 - 3);
    SetRect(&data.volumePlotRect, c.left + 48, common.plotRect.bottom + 6, c.right - 10,
            c.bottom - 35);
  }
}

void DisposeWindowRecord(std::int16_t kind, LocalDataType** local) {
  Handle handle = RecordHandle(local, kind);
  if (handle == nullptr) return;
  HostLockHandle(handle);
  if (kind == kDataWindow) {
    auto& data = RecordIn<SpiroDataWindowRecord>(handle);
    DisposeObjectAndClear(&data.flowAxis);
    DisposeObjectAndClear(&data.volumeAxis);
    DisposeTextBox(data.readoutBox);
  } else if (kind == kPlotWindow) {
    auto& plot = RecordIn<SpiroPlotWindowRecord>(handle);
    DisposeObjectAndClear(&plot.volumeAxis);
    DisposeObjectAndClear(&plot.flowAxis);
    DisposeTextBox(plot.readoutBox);
    DisposeMenuAndClear(&plot.popUpMenu);
  }
  DisposeWindowAndClear(&RecordIn<SpiroWindowRecord>(handle).window);
  (*local)->windowRecords[kind - 1] = nullptr;
  HostDisposeHandle(handle);
}

OSStatus BoundsChangedHandler(EventHandlerCallRef /*call*/, EventRef event, void* userData) {
  auto** local = static_cast<LocalDataType**>(userData);
  WindowRef window = nullptr;
  UInt32 attributes = 0;
  if (local == nullptr || GetEventKind(event) != kEventWindowBoundsChanged ||
      GetEventParameter(event, kEventParamDirectObject, typeWindowRef, nullptr, sizeof window,
                        nullptr, &window) != noErr ||
      GetEventParameter(event, kEventParamAttributes, typeUInt32, nullptr, sizeof attributes,
                        nullptr, &attributes) != noErr ||
      (attributes & kWindowBoundsChangeSizeChanged) == 0) {
    return eventNotHandledErr;
  }
  const std::int16_t kind = WindowIndexOf(window, local);
  if (kind < 1) return eventNotHandledErr;
  InvalidatePortBounds(window);
  LayOutWindow(kind, local);
  return eventNotHandledErr;
}

}  // namespace spirometry

}  // namespace spiro
