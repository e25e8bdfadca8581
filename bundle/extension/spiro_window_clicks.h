// Clicks in the extension's windows (message 14). Only the flow-volume window
// answers: its options pop-up and its two axes. What the user changes there is
// submitted as a command and carried out when the host hands it back.
#pragma once

#include "extension/spiro_records.h"
#include "frame/extension_base.h"
#include "toolbox/mac_types.h"
#include "toolbox/windows.h"

namespace spiro {

namespace spirometry {

// point: the click in the window's local coordinates; event: the host's
// event record, passed on to the axes.
void ClickInSpiroWindow(const VantorExtensionBase& extension, WindowRef window, Point point,
                        void* event, LocalDataType** local);

}  // namespace spirometry

}  // namespace spiro
