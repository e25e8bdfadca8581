// Window services an extension asks of the host for its own windows: taking
// note of a new window (73), hiding and showing (140, 141, 147), sizing (143),
// zooming (144), moving (173) and activating (263). A window that is not a
// live window changes nothing.
//
//   73   the window joins the host's list of extension windows
//        (host/extension_windows.h)
//   140  hides the window
//   141  shows it where it is in the window list (a window being restored)
//   147  shows it and brings it to the front (a window the user asked for)
//   143  (window, width, height, update) sizes the content; with update the
//        new content is to be redrawn
//   144  (window, part, front, update) zooms: part 8 to the standard state,
//        7 back to the user state, brought to the front when asked; with
//        update the whole content is to be redrawn
//   173  (window, h, v, front) moves the content's top-left to global (h, v)
//   263  (window, active) highlights the window as active or not
#include <algorithm>
#include <iterator>
#include <vector>

#include "host/extension_windows.h"
#include "host/host_context.h"
#include "host/service_table.h"
#include "toolbox/windows.h"
#include "vantor/services.h"

namespace host {
namespace {

struct NotedWindows {
  std::vector<WindowRef> windows;
};

std::vector<WindowRef>& Noted() { return ProcessState<NotedWindows>().windows; }

WindowRef LiveWindow(void* window) {
  auto* ref = static_cast<WindowRef>(window);
  return IsValidWindowPtr(ref) ? ref : nullptr;
}

void NoteWindowService(void* window) {
  WindowRef ref = LiveWindow(window);
  if (ref == nullptr) return;
  std::erase_if(Noted(), [](WindowRef w) { return !IsValidWindowPtr(w); });
  if (std::find(Noted().begin(), Noted().end(), ref) == Noted().end()) Noted().push_back(ref);
}

void HideService(void* window) {
  if (WindowRef ref = LiveWindow(window)) HideWindow(ref);
}

void ShowService(void* window) {
  if (WindowRef ref = LiveWindow(window)) ShowWindow(ref);
}

void ShowInFrontService(void* window) {
  if (WindowRef ref = LiveWindow(window)) {
    ShowWindow(ref);
    SelectWindow(ref);
  }
}

void SizeService(void* window, std::int16_t width, std::int16_t height, bool update) {
  if (WindowRef ref = LiveWindow(window)) SizeWindow(ref, width, height, update);
}

void ZoomService(void* window, std::int16_t part, bool front, bool update) {
  WindowRef ref = LiveWindow(window);
  if (ref == nullptr || (part != inZoomIn && part != inZoomOut)) return;
  ZoomWindow(ref, part, front);
  if (update) {
    Rect content{};
    InvalWindowRect(ref, GetWindowPortBounds(ref, &content));
  }
}

void MoveService(void* window, std::int16_t h, std::int16_t v, bool front) {
  if (WindowRef ref = LiveWindow(window)) MoveWindow(ref, h, v, front);
}

void ActivateService(void* window, bool active) {
  if (WindowRef ref = LiveWindow(window)) HiliteWindow(ref, active);
}

}  // namespace

std::vector<WindowRef> ExtensionWindows() {
  std::vector<WindowRef> live;
  std::copy_if(Noted().begin(), Noted().end(), std::back_inserter(live), IsValidWindowPtr);
  return live;
}

void ForgetExtensionWindows() { Noted().clear(); }

void InstallWindowServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<HostService73>(table, &NoteWindowService);
  vantor::SetService<HostService140>(table, &HideService);
  vantor::SetService<HostService141>(table, &ShowService);
  vantor::SetService<HostService143>(table, &SizeService);
  vantor::SetService<HostService144>(table, &ZoomService);
  vantor::SetService<HostService147>(table, &ShowInFrontService);
  vantor::SetService<HostService173>(table, &MoveService);
  vantor::SetService<HostService263>(table, &ActivateService);
}

}  // namespace host
