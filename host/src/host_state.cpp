#include "host/host_context.h"
#include "host/host_state.h"

namespace host {

HostState& State() { return SessionState<HostState>(); }

}  // namespace host
