// Putting one flavour on the clipboard.
#pragma once

#include "toolbox/mac_types.h"

namespace spiro {

// Adds size bytes at data as flavour `type` to the current scrap (which the
// caller has cleared). Returns the first error, 0 on success.
OSStatus PutScrapData(Size size, OSType type, const void* data);

}  // namespace spiro
