// Windows, text and drawing through the host.
#pragma once

#include <cstdint>

#include "frame/host_service_wrappers.h"
#include "toolbox/mac_types.h"

namespace spiro {

// Copies the 36-byte buffer record into the caller's record.
void HostService45(unsigned char* record, const Rect* bounds, std::int16_t mode,
                   std::int16_t flags);

}  // namespace spiro
