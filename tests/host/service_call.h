// Calling the host's services through its table, as an extension does.
#pragma once

#include <string>

#include "host/service_table.h"
#include "vantor/services.h"

namespace testext {

template <int I, class... Args>
auto Call(Args... args) {
  return vantor::ServiceAt<I>(host::Services())(args...);
}

// The data object every data service takes first.
inline void* DataObject() { return Call<vantor::service::HostGetDataObject>(std::int16_t{1}); }

template <int I, class... Args>
auto CallData(Args... args) {
  return Call<I>(DataObject(), args...);
}

inline std::string PascalString(const unsigned char* p) {
  return std::string(reinterpret_cast<const char*>(p + 1), p[0]);
}

}  // namespace testext
