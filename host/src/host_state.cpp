#include "host/host_state.h"

namespace host {

HostState& State() {
  static HostState state;
  return state;
}

}  // namespace host
