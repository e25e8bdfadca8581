// The windows extensions have made and handed to the host (HostService73), so
// the host (and the command line) can find, list and picture them. Windows
// that have since been disposed of are dropped.
#pragma once

#include <vector>

#include "toolbox/windows.h"

namespace host {

// Live windows, in the order the extensions made them.
std::vector<WindowRef> ExtensionWindows();
void ForgetExtensionWindows();

}  // namespace host
