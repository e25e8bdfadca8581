// Host output jobs: printed pages and pictures of a window's content.
#pragma once

#include <cstdint>

#include "frame/host_service_wrappers.h"
#include "toolbox/mac_types.h"

namespace spiro {

// Copies the document's name into the caller's 256-byte buffer.
void HostService528(StringPtr name, std::int16_t which);

}  // namespace spiro
