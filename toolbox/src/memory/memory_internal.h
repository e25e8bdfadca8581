// Memory Manager hooks for other managers of the Toolbox (not for clients).
#pragma once

#include "toolbox/mac_types.h"

namespace toolbox::internal {

// The Resource Manager marks the handles it owns (state bit 5).
void MarkResourceHandle(Handle h, bool isResource);

}  // namespace toolbox::internal
