// The handles extensions allocate through the host's memory services, by the
// memory owner current at the time, so the host can free what an owner left
// behind (a computed function's settings when the function is detached).
#pragma once

#include <cstddef>

#include "toolbox/mac_types.h"
#include "toolbox/memory.h"

namespace host {

void NoteAllocatedHandle(Handle h);
void NoteDisposedHandle(Handle h);
// Disposes every live handle noted for the owner; how many there were.
std::size_t DisposeHandlesOf(toolbox::MemoryOwner owner);

}  // namespace host
