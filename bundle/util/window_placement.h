// Opening the extension's dialogs and windows where the host wants them, and
// how small a window may be made. PlaceWindow and PlaceDialog are members of
// VantorExtensionBase (frame/extension_base.h) defined with these.
#pragma once

#include <cstdint>

#include "frame/extension_base.h"
#include "toolbox/dialogs.h"
#include "toolbox/windows.h"

namespace spiro {

// The dialog from the current resource chain (callers bracket the call with
// BeginResources/EndResources), placed by the host; null, with nothing
// placed, when it cannot be made.
DialogRef OpenExtensionDialog(const VantorExtensionBase& extension, std::int16_t dialogId);

// Lets the window's content shrink to width × height and no further: the
// limits the Window Manager takes are the frame's, so the frame is added.
void SetMinimumWindowSize(WindowRef window, float width, float height);

}  // namespace spiro
