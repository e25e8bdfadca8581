// A window's title, reference value, kind, port bounds and event target.
#include "toolbox/pascal_string.h"
#include "window_record.h"

using toolbox::internal::LiveWindow;
using toolbox::internal::WindowRecord;

Rect toolbox::internal::ContentBounds(const WindowRecord& record) {
  const Rect& local = record.port.portRect;
  const Point origin = record.port.globalOrigin;
  return Rect{static_cast<SInt16>(origin.v + local.top), static_cast<SInt16>(origin.h + local.left),
              static_cast<SInt16>(origin.v + local.bottom), static_cast<SInt16>(origin.h + local.right)};
}

void SetWTitle(WindowRef window, ConstStr255Param title) {
  if (WindowRecord* w = LiveWindow(window)) w->title = toolbox::PascalView(title);
}

void GetWTitle(WindowRef window, Str255 title) {
  const WindowRecord* w = LiveWindow(window);
  toolbox::StorePascal(title, w != nullptr ? w->title : std::string_view{});
}

SInt32 GetWRefCon(WindowRef window) {
  const WindowRecord* w = LiveWindow(window);
  return w != nullptr ? w->refCon : 0;
}

void SetWRefCon(WindowRef window, SInt32 data) {
  if (WindowRecord* w = LiveWindow(window)) w->refCon = data;
}

SInt16 GetWindowKind(WindowRef window) {
  const WindowRecord* w = LiveWindow(window);
  return w != nullptr ? w->kind : 0;
}

void SetWindowKind(WindowRef window, SInt16 kind) {
  if (WindowRecord* w = LiveWindow(window)) w->kind = kind;
}

Rect* GetWindowPortBounds(WindowRef window, Rect* bounds) {
  const WindowRecord* w = LiveWindow(window);
  if (bounds != nullptr) *bounds = w != nullptr ? w->port.portRect : Rect{0, 0, 0, 0};
  return bounds;
}

EventTargetRef GetWindowEventTarget(WindowRef inWindow) {
  const WindowRecord* w = LiveWindow(inWindow);
  return w != nullptr ? w->eventTarget : nullptr;
}
