#include "host/host_state.h"

#include "host/host_context.h"

namespace host {

HostState& State() { return SessionState<HostState>(); }

}  // namespace host
