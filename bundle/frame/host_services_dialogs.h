// Dialogs through the host: creation from the extension's resources, item
// access, the modal step and the host's user-item procedures (forwarded as
// declared, and themselves fit to hand to HostSetDialogItemProc).
#pragma once

#include <cstdint>

#include "frame/host_service_wrappers.h"
#include "toolbox/mac_types.h"

namespace spiro {

// Copies the item's text into the caller's 256-byte buffer.
void HostGetDialogItemText(void* dialog, std::int16_t item, StringPtr text);

}  // namespace spiro
