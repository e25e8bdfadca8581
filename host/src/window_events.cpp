#include "host/window_events.h"

#include <functional>

#include "host/bundle.h"
#include "host/document.h"
#include "host/extension_locals.h"
#include "host/extension_windows.h"
#include "host/host_context.h"
#include "host/param_block.h"
#include "toolbox/events.h"
#include "toolbox/quickdraw.h"
#include "toolbox/script.h"

namespace host {
namespace {

// The window the host last told its extension it was active; forgotten when
// the window goes.
struct ActiveWindowState {
  WindowRef window = nullptr;
};

WindowRef& ActiveWindow() { return SessionState<ActiveWindowState>().window; }

// Sends the message about the window to the extension that owns it: the
// block carries the window and the local data, and `fill` adds the message's
// own fields. False when no extension owns the window.
bool SendAboutWindow(Document& document, WindowRef window, std::int16_t message,
                     const std::function<void(ParamBlock&)>& fill = {}) {
  Handle local = nullptr;
  const Extension* owner = OwnerOfWindow(document, window, &local);
  if (owner == nullptr) return false;
  ParamBlock block;
  block.SetLocal(local).SetAddress<vantor::general::WindowField>(window);
  if (fill) fill(block);
  ScopedCurrentDocument current(document);
  owner->Send(message, block);
  return true;
}

void SendWindowMessage(Document& document, WindowRef window, std::int16_t message, bool active = false) {
  SendAboutWindow(document, window, message, [&](ParamBlock& block) {
    if (message == vantor::general::kActivateWindow) {
      block.Set<vantor::general::ActivateWindowBlock::Active>(active ? 1 : 0);
    }
  });
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

// --- The user's actions --------------------------------------------------

constexpr std::int16_t kWindowMoved = 600;
constexpr std::int16_t kWindowClosed = 601;

using toolbox::ScriptActionKind;

// Told to the window's own extension only; data is the window.
void SendWindowRequest(Document& document, WindowRef window, std::int16_t code) {
  Handle local = nullptr;
  const Extension* owner = OwnerOfWindow(document, window, &local);
  if (owner == nullptr) return;
  using F = vantor::general::DoMenuCommandBlock;
  ParamBlock block;
  block.SetLocal(local).Set<F::Command>(code).Set<F::Data>(toolbox::ToU32(window));
  ScopedCurrentDocument current(document);
  owner->Send(vantor::general::kDoMenuCommand, block);
}

Point Converted(WindowRef window, Point point, bool toGlobal) {
  GrafPtr saved = nullptr;
  GetPort(&saved);
  SetPortWindowPort(window);
  if (toGlobal) {
    LocalToGlobal(&point);
  } else {
    GlobalToLocal(&point);
  }
  SetPort(saved);
  return point;
}

Rect GlobalContent(WindowRef window) {
  Rect r{};
  GetWindowPortBounds(window, &r);
  const Point topLeft = Converted(window, Point{r.top, r.left}, true);
  return Rect{topLeft.v, topLeft.h, static_cast<SInt16>(topLeft.v + r.bottom - r.top),
              static_cast<SInt16>(topLeft.h + r.right - r.left)};
}

// Message 12 with the global point pressed in the grow box; the extension's
// GrowWindow takes the grow action that follows.
void Grow(Document& document, WindowRef window, Point pressed) {
  SendAboutWindow(document, window, vantor::general::kResizeWindow, [&](ParamBlock& block) {
    block.Set(vantor::general::ResizeWindowBlock::Size::kOffset, pressed);
  });
}

// Message 13; flag 1 returns a zoomed window to the user's size.
void Zoom(Document& document, WindowRef window, bool backToUserState) {
  SendAboutWindow(document, window, vantor::general::kWindowFlagChanged, [&](ParamBlock& block) {
    block.Set<vantor::general::WindowFlagChangedBlock::Flag>(backToUserState ? 1 : 0);
  });
}

// The window follows a drag action; the extension hears of the move after it.
void Drag(Document& document, WindowRef window, Point pressed) {
  const Rect before = GlobalContent(window);
  Rect desk = toolbox::DesktopBounds();
  desk.top = GetMBarHeight();  // the pressed point stays below the menu bar
  DragWindow(window, pressed, &desk);
  const Rect after = GlobalContent(window);
  if (after.top != before.top || after.left != before.left) SendWindowRequest(document, window, kWindowMoved);
}

// A press in the content: the cursor is adjusted to it (the readouts follow
// it) and the click handed over with the host's event record.
void ClickContent(Document& document, WindowRef window, Point global) {
  const Point local = Converted(window, global, false);
  SendAboutWindow(document, window, vantor::general::kAdjustCursor, [&](ParamBlock& block) {
    block.Set(vantor::general::AdjustCursorBlock::Where::kOffset, local);
  });
  const EventRecord event{mouseDown, 0, TickCount(), global, 0};
  SendAboutWindow(document, window, vantor::general::kClickInWindow, [&](ParamBlock& block) {
    using F = vantor::general::ClickInWindowBlock;
    block.Set<F::Value>(inContent).Set<F::When>(event.when).Set(F::Where::kOffset, local);
    block.Set(F::Tail::kOffset, event);
  });
}

// A click at a point local to the front window, where FindWindow puts it.
void Click(Document& document, WindowRef front, Point local) {
  const Point global = Converted(front, local, true);
  WindowRef window = nullptr;
  const SInt16 part = FindWindow(global, &window);
  Handle owned = nullptr;
  if (window == nullptr || OwnerOfWindow(document, window, &owned) == nullptr) return;
  if (window != front && part != inDrag) {
    SelectWindow(window);  // the first click only brings the window forward
    return;
  }
  switch (part) {
    case inContent: ClickContent(document, window, global); break;
    case inGrow: Grow(document, window, global); break;
    case inZoomIn:
    case inZoomOut: Zoom(document, window, part == inZoomIn); break;
    case inGoAway: SendWindowRequest(document, window, kWindowClosed); break;
    case inDrag: Drag(document, window, global); break;
    default: break;
  }
}

// Takes the action at the front of the script for the front extension
// window; false when there is none to take.
bool TakeUserAction(Document& document) {
  const toolbox::ScriptAction* next = toolbox::PeekScriptAction();
  const WindowRef front = FrontExtensionWindow();
  if (next == nullptr || front == nullptr) return false;
  const Rect content = GlobalContent(front);
  const Point corner{static_cast<SInt16>(content.bottom - 1), static_cast<SInt16>(content.right - 1)};
  const std::size_t pending = toolbox::PendingScriptActions();
  switch (next->kind) {
    case ScriptActionKind::kClick: {
      const Point at = toolbox::TakeScriptAction({ScriptActionKind::kClick})->point;
      Click(document, front, at);
      return true;
    }
    case ScriptActionKind::kGrowTarget: Grow(document, front, corner); break;
    case ScriptActionKind::kZoomTarget: Zoom(document, front, false); break;
    case ScriptActionKind::kDragTarget: Drag(document, front, Point{content.top, content.left}); break;
    default: return false;
  }
  // An action the window's extension did not take is dropped, never retried.
  if (toolbox::PendingScriptActions() == pending) toolbox::TakeScriptAction({toolbox::PeekScriptAction()->kind});
  return true;
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

int DispatchUserActions(Document& document) {
  int taken = 0;
  DispatchWindowEvents(document);
  while (TakeUserAction(document)) {
    ++taken;
    DispatchWindowEvents(document);
  }
  return taken;
}

}  // namespace host
