#include "host/host_context.h"

namespace host {

std::size_t HostContext::NextSlotIndex() {
  static std::size_t next = 0;
  return next++;
}

void HostContext::ResetSession() {
  for (Slot& slot : slots_) {
    if (slot.lifetime == Lifetime::kSession) slot.state.reset();
  }
}

HostContext& Context() {
  // Never destroyed: bundles and documents may outlive static destructors.
  static HostContext* context = new HostContext;
  return *context;
}

void ResetHostContext() { Context().ResetSession(); }

}  // namespace host
