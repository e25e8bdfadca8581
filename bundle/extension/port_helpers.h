// A window's port as a whole: its bounds for clipping, erasing and
// invalidating, its place on the desktop, and whether any of it shows.
#pragma once

#include "toolbox/mac_types.h"
#include "toolbox/quickdraw.h"
#include "toolbox/windows.h"

namespace spiro {

// These draw into the current port, which the caller has set to the window's.
void ClipToPortBounds(WindowRef window);
void ErasePortBounds(WindowRef window);

void InvalidatePortBounds(WindowRef window);
// InvalidatePortBounds, doing nothing for a null window.
void InvalidateWindow(WindowRef window);
void InvalidateWindowRect(WindowRef window, const Rect& rect);

// The port bounds in global coordinates; the current port is left as it was.
Rect GetGlobalPortBounds(WindowRef window);
// Moves the window, without bringing it to the front, to where it already
// is, through the host (which keeps its own record of the window's place).
void NormalizeWindowPosition(WindowRef window);
// False only when the window's visible region is known to be empty; true
// when no region could be made to ask.
bool HasVisibleRegion(WindowRef window);

// The window's port made current for the scope, the previous port put back.
class ScopedWindowPort {
 public:
  explicit ScopedWindowPort(WindowRef window) {
    GetPort(&saved_);
    SetPortWindowPort(window);
  }
  ~ScopedWindowPort() { SetPort(saved_); }
  ScopedWindowPort(const ScopedWindowPort&) = delete;
  ScopedWindowPort& operator=(const ScopedWindowPort&) = delete;

 private:
  GrafPtr saved_ = nullptr;
};

}  // namespace spiro
