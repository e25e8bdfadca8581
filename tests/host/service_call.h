// Calling the host's services through its table, as an extension does.
#pragma once

#include <string>

#include "host/service_table.h"
#include "toolbox/resource_test_support.h"
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

using resource_test::PString;
using resource_test::TextOf;

// The text a service writes into a Str255 that starts out holding "stale".
template <class Fill>
std::string TextWritten(Fill fill) {
  Str255 out = {5, 's', 't', 'a', 'l', 'e'};
  fill(&out);
  return TextOf(out);
}

}  // namespace testext
