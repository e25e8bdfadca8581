// The life of a computed channel's local record, shared by both functions:
// made without settings, settings hung from it by the first command.
#pragma once

#include <cstdint>

#include "toolbox/mac_types.h"

namespace spiro {

enum LocalDataState : std::int16_t {
  kStateHasSettings = 2,
  kStateCreated = 3,
  kStateOutOfMemory = 5,  // the settings could not be allocated
};

// HostQueryValue selector: the number of channels in the document.
inline constexpr std::int16_t kChannelCountQuery = 1539;

// Identifiers of sibling extensions not yet asked of the host.
inline constexpr std::int16_t kUnresolvedExtensionId = static_cast<std::int16_t>(0x8001);

// A computed function's local data handle as the Memory Manager handle it is.
template <class Record>
Handle LocalHandle(Record** local) {
  return reinterpret_cast<Handle>(local);
}

}  // namespace spiro
