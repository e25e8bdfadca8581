// The chain of open resource files and the handles of their entries.
#include <algorithm>
#include <cstring>

#include "memory_internal.h"
#include "resource_chain.h"
#include "toolbox/memory.h"
#include "toolbox/resources.h"

namespace toolbox::internal {
namespace {

bool IsResourceHandle(Handle h) {
  return IsLiveHandle(h) && (HGetState(h) & kHandleResourceBit) != 0;
}

// The entry's attributes decide how the Memory Manager treats its block.
void ApplyAttributes(Handle h, UInt8 attributes) {
  if (attributes & resLocked) {
    HLock(h);
  } else if (attributes & resPurgeable) {
    HPurge(h);
  }
}

}  // namespace

ResourceManagerState& Resources() {
  static ResourceManagerState* state = new ResourceManagerState;  // handles outlive static destructors
  return *state;
}

OSErr SetResError(OSErr err) {
  Resources().error = err;
  return err;
}

ResourceFile* FindFile(SInt16 refNum) {
  for (auto& file : Resources().files) {
    if (file->refNum == refNum) return file.get();
  }
  return nullptr;
}

ResourceFile* CurrentFile() { return FindFile(Resources().current); }

std::vector<ResourceFile*> SearchChain() {
  auto& files = Resources().files;
  const auto current = std::find_if(files.begin(), files.end(),
                                    [](const auto& f) { return f->refNum == Resources().current; });
  std::vector<ResourceFile*> chain;
  if (current == files.end()) return chain;
  for (auto it = current + 1; it != files.begin();) chain.push_back((--it)->get());
  return chain;
}

std::optional<LocatedResource> LocateResource(Handle h) {
  if (!IsResourceHandle(h)) return std::nullopt;
  for (auto& file : Resources().files) {
    for (ResourceEntry& entry : file->entries) {
      if (entry.handle == h) return LocatedResource{file.get(), &entry};
    }
  }
  return std::nullopt;
}

Handle EntryHandle(ResourceEntry& entry) {
  if (entry.handle != nullptr && !IsResourceHandle(entry.handle)) {
    entry.handle = nullptr;
    entry.loaded = false;
  }
  return entry.handle;
}

OSErr LoadEntry(ResourceEntry& entry) {
  Handle h = EntryHandle(entry);
  if (h == nullptr) return resNotFound;
  if (entry.loaded || !entry.stored) return noErr;
  const auto& data = *entry.stored;
  SetHandleSize(h, static_cast<Size>(data.size()));
  if (const OSErr err = MemError(); err != noErr) return err;
  if (!data.empty()) std::memcpy(*h, data.data(), data.size());
  entry.loaded = true;
  ApplyAttributes(h, entry.attributes);
  return noErr;
}

Handle HandleForEntry(ResourceEntry& entry) {
  if (Handle h = EntryHandle(entry)) {
    SetResError(Resources().resLoad ? LoadEntry(entry) : OSErr{noErr});
    return h;
  }
  // Resource memory belongs to the system, not to the extension that asked.
  ScopedMemoryOwner guard(kSystemOwner);
  const bool load = Resources().resLoad;
  const std::size_t bytes = load && entry.stored ? entry.stored->size() : 0;
  Handle h = NewHandle(static_cast<Size>(bytes));
  if (h == nullptr) {
    SetResError(MemError());
    return nullptr;
  }
  if (bytes > 0) std::memcpy(*h, entry.stored->data(), bytes);
  MarkResourceHandle(h, true);
  // An empty handle stays unlocked so that LoadResource can grow it.
  if (load) ApplyAttributes(h, entry.attributes);
  entry.handle = h;
  entry.loaded = load;
  SetResError(noErr);
  return h;
}

void DisposeEntryHandle(ResourceEntry& entry) {
  if (Handle h = EntryHandle(entry)) {
    MarkResourceHandle(h, false);
    DisposeHandle(h);
  }
  entry.handle = nullptr;
  entry.loaded = false;
}

}  // namespace toolbox::internal
