#include "host/window_events.h"

#include "host/bundle.h"
#include "host/document.h"
#include "host/extension_locals.h"
#include "host/extension_windows.h"
#include "host/param_block.h"

namespace host {
namespace {

// The window the host last told its extension it was active; forgotten when
// the window goes.
WindowRef& ActiveWindow() {
  static WindowRef active = nullptr;
  return active;
}

void SendWindowMessage(Document& document, WindowRef window, std::int16_t message, bool active = false) {
  Handle local = nullptr;
  const Extension* owner = OwnerOfWindow(document, window, &local);
  if (owner == nullptr) return;
  ParamBlock block;
  block.SetLocal(local).SetAddress<vantor::general::WindowField>(window);
  if (message == vantor::general::kActivateWindow) {
    block.Set<vantor::general::ActivateWindowBlock::Active>(active ? 1 : 0);
  }
  ScopedCurrentDocument current(document);
  owner->Send(message, block);
}

// The front visible extension window, or null.
WindowRef FrontExtensionWindow() {
  const WindowRef front = FrontNonFloatingWindow();
  for (const WindowRef window : ExtensionWindows()) {
    if (window == front && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

void DispatchActivation(Document& document) {
  WindowRef& active = ActiveWindow();
  if (active != nullptr && !IsValidWindowPtr(active)) active = nullptr;
  const WindowRef front = FrontExtensionWindow();
  if (front == active) return;
  const WindowRef previous = active;
  active = front;
  if (previous != nullptr) SendWindowMessage(document, previous, vantor::general::kActivateWindow, false);
  if (front != nullptr) SendWindowMessage(document, front, vantor::general::kActivateWindow, true);
}

}  // namespace

const Extension* OwnerOfWindow(Document& document, WindowRef window, Handle* local) {
  ExtensionLocals& open = document.extensions();
  ScopedCurrentDocument current(document);
  for (const std::int16_t hostRef : open.OpenHostRefs()) {
    ParamBlock block;
    block.SetLocal(open.LocalOf(hostRef)).SetAddress<vantor::general::WindowField>(window);
    const Extension* extension = open.Find(hostRef);
    if (extension->Send(vantor::general::kOwnsWindow, block) != 0) {
      *local = open.LocalOf(hostRef);
      return extension;
    }
  }
  return nullptr;
}

int DispatchWindowEvents(Document& document) {
  DispatchActivation(document);
  int updates = 0;
  // An extension drawing one window may invalidate another: go round until
  // all are drawn, a bounded number of times in case two keep invalidating
  // each other.
  for (int round = 0; round < 4; ++round) {
    bool any = false;
    for (const WindowRef window : ExtensionWindows()) {
      if (!toolbox::WindowNeedsUpdate(window)) continue;
      BeginUpdate(window);
      SendWindowMessage(document, window, vantor::general::kUpdateWindow);
      EndUpdate(window);
      ++updates;
      any = true;
    }
    if (!any) break;
  }
  return updates;
}

}  // namespace host
