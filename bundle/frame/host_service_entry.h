// What the service wrappers share: the entry lookup and the copy of a
// returned Str255 into the caller's buffer.
#pragma once

#include <cstring>

#include "frame/host_services.h"
#include "toolbox/mac_types.h"
#include "vantor/service_table.h"
#include "vantor/services.h"

// The host's function for service Index in the stored table.
template <int Index>
vantor::ServiceFn<Index> HostEntry() {
  return vantor::ServiceAt<Index>(*HostServiceTable());
}

// Copies a Str255 that a service returned into the caller's 256-byte buffer.
inline void CopyStr255Result(StringPtr destination, const Str255& result) {
  std::memcpy(destination, result, sizeof(Str255));
}
