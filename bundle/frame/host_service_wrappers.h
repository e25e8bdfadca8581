// The wrappers of the services that only pass their arguments on (data
// services with the data object first): one per VANTOR_SERVICE entry, named
// after it, with its declared arguments. Each is a reference to a function,
// so it can be called, and handed on as a procedure, like a plain function.
// Services listed with VANTOR_RECORD_SERVICE are wrapped by hand in the
// themed host_services_*.h headers.
#pragma once

#include "frame/host_service_entry.h"

namespace spiro {

#define VANTOR_SERVICE(index, name, ...) \
  inline constexpr auto& name = frame::ForwardingWrapper<index>::Call;
#define VANTOR_RECORD_SERVICE(index, name, ...)
#include "vantor/service_list.inc"
#undef VANTOR_RECORD_SERVICE
#undef VANTOR_SERVICE

}  // namespace spiro
