// What the service wrappers share: the stored table and data object, the
// entry lookup, the forwarding wrapper generated from a service's declared
// signature, and the copy of a returned Str255 into the caller's buffer.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

#include "toolbox/mac_types.h"
#include "vantor/service_table.h"
#include "vantor/services.h"

namespace spiro {

// Replaces the stored table address (a u32 below 4 GiB).
void SetHostServiceTable(std::uint32_t address);
// The stored table; null before the first entry-point call.
const vantor::ServiceTable* HostServiceTable();

// The host data object: created with HostGetDataObject(1) at the first use
// of any data service, then kept for the life of the bundle.
void* HostDataObject();
// Forgets the data object as unloading the bundle does; for tests, which
// load the bundle's code once for many simulated hosts.
void ForgetHostDataObject();

namespace frame {

// The host's function for service Index in the stored table.
template <int Index>
vantor::ServiceFn<Index> HostEntry() {
  return vantor::ServiceAt<Index>(*HostServiceTable());
}

// Data services (named Data*) are called on the host data object, which
// their wrappers supply.
template <int Index>
constexpr bool IsDataService() {
  return std::string_view(vantor::ServiceSignature<Index>::kName).starts_with("Data");
}

template <int Index, class Fn = vantor::ServiceFn<Index>, bool Data = IsDataService<Index>()>
struct ForwardingWrapper;

template <int Index, class R, class... Args>
struct ForwardingWrapper<Index, R (*)(Args...), false> {
  static R Call(Args... arguments) { return HostEntry<Index>()(arguments...); }
};

template <int Index, class R, class... Args>
struct ForwardingWrapper<Index, R (*)(void*, Args...), true> {
  static R Call(Args... arguments) { return HostEntry<Index>()(HostDataObject(), arguments...); }
};

// Copies a Str255 that a service returned into the caller's 256-byte buffer.
inline void CopyStr255Result(StringPtr destination, const Str255& result) {
  std::memcpy(destination, result, sizeof(Str255));
}

}  // namespace frame

}  // namespace spiro
