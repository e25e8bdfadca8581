// Queries about the host, the document and the extension itself: feature
// tests, busy feedback, channel names and inputs, extension resources and
// identities, and the data object.
#pragma once

#include <cstdint>

#include "frame/host_service_wrappers.h"
#include "toolbox/mac_types.h"

namespace spiro {

// Copies the input's name into the caller's 256-byte buffer.
void HostService437(std::int32_t inputKind, std::int32_t* a, std::int32_t* b, StringPtr name);
// Copies the channel's title into the caller's 256-byte buffer.
void HostGetChannelName(std::int16_t channel, StringPtr name);
// Copies the title suffix into the caller's 256-byte buffer.
void HostService608(StringPtr suffix, std::int16_t channel);
// Copies the extension's name into the caller's 256-byte buffer.
void HostGetExtensionName(std::int16_t hostRef, StringPtr name);

}  // namespace spiro
