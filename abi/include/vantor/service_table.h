// The host's table of service functions.
//
// The table is host-owned, lies below 4 GiB (its address travels as a u32
// argument of every entry-point call) and is never written by an extension.
// Each entry is a native function pointer of the type that
// ServiceSignature<Index> declares (services.h); unused indices are null.
#pragma once

#include <cstdint>

namespace vantor {

inline constexpr int kServiceCount = 656;  // indices 0..655

using ServiceEntry = void (*)();

struct ServiceTable {
  ServiceEntry entries[kServiceCount];
};

// Specialised once per service index in services.h:
//   using Type = R (*)(Args...);   the exact C++ signature both sides use
//   static constexpr const char* kName;
template <int Index>
struct ServiceSignature;

template <int Index>
using ServiceFn = typename ServiceSignature<Index>::Type;

template <int Index>
ServiceFn<Index> ServiceAt(const ServiceTable& table) {
  return reinterpret_cast<ServiceFn<Index>>(table.entries[Index]);
}

template <int Index>
void SetService(ServiceTable& table, ServiceFn<Index> fn) {
  table.entries[Index] = reinterpret_cast<ServiceEntry>(fn);
}

}  // namespace vantor

// Declares service `index` named `name` with result `ret` and the arguments
// that follow, and the constant vantor::service::name == index.
#define VANTOR_DECLARE_SERVICE(index, name, ret, ...) \
  namespace vantor {                                  \
  template <>                                         \
  struct ServiceSignature<index> {                    \
    using Type = ret (*)(__VA_ARGS__);                \
    static constexpr const char* kName = #name;       \
  };                                                  \
  namespace service {                                 \
  inline constexpr int name = index;                  \
  }                                                   \
  }
