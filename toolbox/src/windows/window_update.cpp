// Update regions, kept as their bounding rectangle in local coordinates.
#include "window_record.h"

using toolbox::internal::LiveWindow;
using toolbox::internal::WindowRecord;

namespace toolbox::internal {

Rect LocalUpdateBounds(const WindowRecord& record) {
  Rect bounds{};
  GetRegionBounds(record.updateRgn, &bounds);
  return bounds;
}

}  // namespace toolbox::internal

namespace {

void SetUpdateBounds(WindowRecord& w, const Rect& bounds) { RectRgn(w.updateRgn, &bounds); }

}  // namespace

OSStatus InvalWindowRect(WindowRef window, const Rect* bounds) {
  WindowRecord* w = LiveWindow(window);
  if (w == nullptr || bounds == nullptr) return errInvalidWindowRef;
  Rect inside{};
  if (!SectRect(bounds, &w->port.portRect, &inside)) return noErr;
  Rect update = toolbox::internal::LocalUpdateBounds(*w);
  if (EmptyRect(&update)) {
    update = inside;
  } else {
    UnionRect(&update, &inside, &update);
  }
  SetUpdateBounds(*w, update);
  return noErr;
}

OSStatus InvalWindowRgn(WindowRef window, RgnHandle region) {
  Rect bounds{};
  GetRegionBounds(region, &bounds);
  return InvalWindowRect(window, &bounds);
}

OSStatus ValidWindowRect(WindowRef window, const Rect* bounds) {
  WindowRecord* w = LiveWindow(window);
  if (w == nullptr || bounds == nullptr) return errInvalidWindowRef;
  const Rect update = toolbox::internal::LocalUpdateBounds(*w);
  Rect covered{};
  // Only a rectangle covering the whole update region can take it away.
  if (SectRect(bounds, &update, &covered) && EqualRect(&covered, &update)) SetEmptyRgn(w->updateRgn);
  return noErr;
}

void BeginUpdate(WindowRef window) {
  if (WindowRecord* w = LiveWindow(window)) SetEmptyRgn(w->updateRgn);
}

void EndUpdate(WindowRef /*window*/) {}

Rect toolbox::WindowUpdateRect(WindowRef window) {
  const WindowRecord* w = LiveWindow(window);
  return w != nullptr ? internal::LocalUpdateBounds(*w) : Rect{0, 0, 0, 0};
}

bool toolbox::WindowNeedsUpdate(WindowRef window) {
  const WindowRecord* w = LiveWindow(window);
  if (w == nullptr || !w->visible) return false;
  const Rect update = internal::LocalUpdateBounds(*w);
  return !EmptyRect(&update);
}
