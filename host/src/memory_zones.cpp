#include "host/memory_zones.h"

#include <map>
#include <set>

#include "host/host_context.h"

namespace host {
namespace {

struct HandleOwners {
  std::map<Handle, toolbox::MemoryOwner> owners;
};

std::map<Handle, toolbox::MemoryOwner>& OwnerOf() { return ProcessState<HandleOwners>().owners; }

}  // namespace

void NoteAllocatedHandle(Handle h) {
  if (h != nullptr) OwnerOf()[h] = toolbox::CurrentMemoryOwner();
}

void NoteDisposedHandle(Handle h) { OwnerOf().erase(h); }

std::size_t DisposeHandlesOf(toolbox::MemoryOwner owner) {
  std::set<Handle> mine;
  for (const auto& [h, o] : OwnerOf()) {
    if (o == owner) mine.insert(h);
  }
  std::size_t disposed = 0;
  for (Handle h : mine) {
    OwnerOf().erase(h);
    // A handle disposed behind the services' back is gone already.
    if (!toolbox::IsLiveHandle(h)) continue;
    DisposeHandle(h);
    ++disposed;
  }
  return disposed;
}

}  // namespace host
