#include "extension/port_helpers.h"

#include "extension/dispose_helpers.h"
#include "frame/host_services_drawing.h"

namespace spiro {

namespace {

Rect PortBounds(WindowRef window) {
  Rect bounds{};
  GetWindowPortBounds(window, &bounds);
  return bounds;
}

}  // namespace

void ClipToPortBounds(WindowRef window) {
  const Rect bounds = PortBounds(window);
  ClipRect(&bounds);
}

void ErasePortBounds(WindowRef window) {
  const Rect bounds = PortBounds(window);
  EraseRect(&bounds);
}

void InvalidatePortBounds(WindowRef window) {
  const Rect bounds = PortBounds(window);
  InvalWindowRect(window, &bounds);
}

void InvalidateWindow(WindowRef window) {
  if (window != nullptr) InvalidatePortBounds(window);
}

void InvalidateWindowRect(WindowRef window, const Rect& rect) { InvalWindowRect(window, &rect); }

Rect GetGlobalPortBounds(WindowRef window) {
  GrafPtr saved = nullptr;
  GetPort(&saved);
  SetPortWindowPort(window);
  const Rect local = PortBounds(window);
  Point topLeft{local.top, local.left};
  Point bottomRight{local.bottom, local.right};
  LocalToGlobal(&topLeft);
  LocalToGlobal(&bottomRight);
  SetPort(saved);
  return Rect{topLeft.v, topLeft.h, bottomRight.v, bottomRight.h};
}

void NormalizeWindowPosition(WindowRef window) {
  const Rect global = GetGlobalPortBounds(window);
  HostService173(window, global.left, global.top, false);
}

bool HasVisibleRegion(WindowRef window) {
  RgnHandle visible = NewRgn();
  if (visible == nullptr) return true;
  GetPortVisibleRegion(GetWindowPort(window), visible);
  const bool shows = !EmptyRgn(visible);
  DisposeRgnAndClear(&visible);
  return shows;
}

}  // namespace spiro
