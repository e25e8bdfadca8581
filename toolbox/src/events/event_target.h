// Event targets belong to their owners (windows); the owner makes one and
// disposes of it, which removes every handler installed on it.
#pragma once

#include "toolbox/carbon_events.h"

namespace toolbox::internal {

EventTargetRef NewEventTarget();
void DisposeEventTarget(EventTargetRef target);

}  // namespace toolbox::internal
