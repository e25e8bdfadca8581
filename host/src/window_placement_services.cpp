// HostPositionWindow (302): window, owner name, "WIND" or "DLOG", resource
// id, sub-key, flags. See host/window_placement.h.
//
// A key seen before puts the window back at its remembered top-left (and,
// with flag 1, its remembered size). A new key leaves a window where its
// resource put it, except that flag 8 (dialogs) centres it horizontally on
// the desktop, a third of the way down below the menu bar, where alerts go.
// From then on the host follows the window: it remembers the content bounds
// at placement and after every move or resize (a bounds-changed handler of
// its own, which never consumes the event).
#include <algorithm>
#include <list>
#include <map>

#include "host/host_context.h"
#include "host/service_table.h"
#include "host/window_placement.h"
#include "toolbox/pascal_string.h"
#include "toolbox/carbon_events.h"
#include "toolbox/windows.h"
#include "vantor/services.h"

namespace host {
namespace {

constexpr std::uint32_t kRestoreSize = 1;
constexpr std::uint32_t kCentreFirstTime = 8;

struct RememberedPlacements {
  std::map<PlacementKey, Rect> frames;
};

// Installed handlers point at their keys: kept for the program's life (a
// few per window opened).
struct FollowedWindowKeys {
  std::list<PlacementKey> keys;
};

std::map<PlacementKey, Rect>& Memory() { return SessionState<RememberedPlacements>().frames; }

// The key each followed window is remembered under, one per handler the host installed.
std::list<PlacementKey>& FollowedKeys() { return ProcessState<FollowedWindowKeys>().keys; }

// A window address may come back for a new window once the old one is
// disposed, so whether the host already follows a window is asked of the
// window itself: its handler answers this event (and takes the new key).
constexpr UInt32 kHostEventClass = FourCharCode("vHst");
constexpr UInt32 kFollowingKind = 1;
constexpr EventParamName kKeyParam = FourCharCode("pkey");
constexpr EventParamType kPointerType = FourCharCode("ptr ");

int Width(const Rect& r) { return r.right - r.left; }
int Height(const Rect& r) { return r.bottom - r.top; }

void RememberBoundsOf(WindowRef window, const PlacementKey& key) {
  Rect content{};
  if (GetWindowBounds(window, kWindowContentRgn, &content) == noErr) Memory()[key] = content;
}

OSStatus FollowingHandler(EventHandlerCallRef, EventRef event, void* userData) {
  auto* key = static_cast<PlacementKey*>(userData);
  if (GetEventClass(event) == kHostEventClass) {
    const PlacementKey* newKey = nullptr;
    GetEventParameter(event, kKeyParam, kPointerType, nullptr, sizeof newKey, nullptr, &newKey);
    if (newKey != nullptr) *key = *newKey;
    return noErr;
  }
  WindowRef window = nullptr;
  if (GetEventParameter(event, kEventParamDirectObject, typeWindowRef, nullptr, sizeof window, nullptr,
                        &window) == noErr) {
    RememberBoundsOf(window, *key);
  }
  return eventNotHandledErr;
}

bool AlreadyFollowed(WindowRef window, const PlacementKey& key) {
  EventRef probe = nullptr;
  if (CreateEvent(nullptr, kHostEventClass, kFollowingKind, 0, 0, &probe) != noErr) return false;
  const PlacementKey* keyPointer = &key;
  SetEventParameter(probe, kKeyParam, kPointerType, sizeof keyPointer, &keyPointer);
  const bool answered = SendEventToEventTarget(probe, GetWindowEventTarget(window)) == noErr;
  ReleaseEvent(probe);
  return answered;
}

void Follow(WindowRef window, const PlacementKey& key) {
  if (AlreadyFollowed(window, key)) return;
  static EventHandlerUPP handler = NewEventHandlerUPP(&FollowingHandler);
  static const EventTypeSpec kEvents[] = {{kEventClassWindow, kEventWindowBoundsChanged},
                                          {kHostEventClass, kFollowingKind}};
  PlacementKey& followed = FollowedKeys().emplace_back(key);
  InstallEventHandler(GetWindowEventTarget(window), handler, 2, kEvents, &followed, nullptr);
}

void CentreAsAlert(WindowRef window) {
  Rect content{};
  if (GetWindowBounds(window, kWindowContentRgn, &content) != noErr) return;
  const Rect desktop = toolbox::DesktopBounds();
  const int top = desktop.top + GetMBarHeight();
  const int left = desktop.left + (Width(desktop) - Width(content)) / 2;
  const int down = std::max(0, (desktop.bottom - top - Height(content)) / 3);
  MoveWindow(window, static_cast<SInt16>(left), static_cast<SInt16>(top + down), false);
}

void PositionWindowService(void* window, ConstStr255Param owner, OSType type, std::int16_t id,
                           std::int16_t subKey, std::uint32_t flags) {
  auto* ref = static_cast<WindowRef>(window);
  if (!IsValidWindowPtr(ref)) return;
  const PlacementKey key{owner != nullptr ? toolbox::PascalTextToUtf8(owner) : std::string(), type, id, subKey};
  if (const auto remembered = RememberedPlacement(key)) {
    MoveWindow(ref, remembered->left, remembered->top, false);
    if ((flags & kRestoreSize) != 0) {
      const auto width = static_cast<SInt16>(Width(*remembered));
      SizeWindow(ref, width, static_cast<SInt16>(Height(*remembered)), true);
    }
  } else if ((flags & kCentreFirstTime) != 0) {
    CentreAsAlert(ref);
  }
  Follow(ref, key);
  RememberBoundsOf(ref, key);
}

}  // namespace

std::optional<Rect> RememberedPlacement(const PlacementKey& key) {
  const auto found = Memory().find(key);
  if (found == Memory().end()) return std::nullopt;
  return found->second;
}

std::vector<std::pair<PlacementKey, Rect>> RememberedPlacements() {
  return {Memory().begin(), Memory().end()};
}

void RememberPlacement(const PlacementKey& key, const Rect& globalContent) { Memory()[key] = globalContent; }

void ForgetPlacements() { Memory().clear(); }

void InstallWindowPlacementServices(vantor::ServiceTable& table) {
  vantor::SetService<vantor::service::HostPositionWindow>(table, &PositionWindowService);
}

}  // namespace host
