// Memory Manager: handles, pointers, MemError and the test switches (set
// through their functions; the programs using the Toolbox read them from
// wherever they like).
//
// Each handle is the address of the first field of a MasterEntry allocated in
// the low arena; the block itself comes from the ordinary heap. The entries
// are kept in a registry so that every call can tell a live handle from a
// stale or foreign one and refuse it with nilHandleErr/memWZErr instead of
// corrupting memory.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

#include "memory_internal.h"
#include "toolbox/memory.h"

namespace toolbox {
namespace {

struct MasterEntry {
  char* block;  // the master pointer: must stay the first field
  Size size;
  bool locked;
  bool purgeable;
  bool resource;
  MemoryOwner owner;
};

struct PtrInfo {
  Size size;
  MemoryOwner owner;
};

struct MemoryState {
  std::unordered_set<MasterEntry*> handles;
  std::unordered_map<char*, PtrInfo> pointers;
  OSErr lastError = noErr;
  bool scramble = false;
  long failAt = 0;      // 0: off
  long allocations = 0;  // counted since FailAllocationAfter
  long memoryFull = 0;   // requests answered memFullErr since the start
  MemoryOwner owner = kSystemOwner;
};

MemoryState& State() {
  // Never destroyed: handles may outlive static destructors.
  static MemoryState* state = new MemoryState;
  return *state;
}

OSErr SetError(OSErr err) {
  State().lastError = err;
  if (err == memFullErr) ++State().memoryFull;
  return err;
}

MasterEntry* EntryOf(Handle h) {
  auto* entry = reinterpret_cast<MasterEntry*>(h);
  return State().handles.count(entry) ? entry : nullptr;
}

// Counts an allocation and tells whether the failure switch claims it.
bool AllocationFails() {
  MemoryState& s = State();
  ++s.allocations;
  if (s.failAt > 0 && s.allocations == s.failAt) {
    s.failAt = 0;
    return true;
  }
  return false;
}

char* AllocateBlock(Size size) {
  // malloc(0) may return null; a zero-sized block still needs an address.
  return static_cast<char*>(std::malloc(static_cast<std::size_t>(std::max<Size>(size, 1))));
}

void MoveBlock(MasterEntry* e) {
  char* moved = AllocateBlock(e->size);
  if (moved == nullptr) return;
  std::memcpy(moved, e->block, static_cast<std::size_t>(e->size));
  std::free(e->block);
  e->block = moved;
}

// With scrambling on, every unlocked block moves, so that code holding a
// dereferenced handle across an allocation reads freed memory.
void Scramble() {
  MemoryState& s = State();
  if (!s.scramble) return;
  for (MasterEntry* e : s.handles) {
    if (!e->locked && e->block != nullptr) MoveBlock(e);
  }
}

Handle MakeHandle(Size byteCount, bool clear) {
  if (byteCount < 0) {
    SetError(paramErr);
    return nullptr;
  }
  if (AllocationFails()) {
    SetError(memFullErr);
    return nullptr;
  }
  Scramble();
  char* block = AllocateBlock(byteCount);
  if (block == nullptr) {
    SetError(memFullErr);
    return nullptr;
  }
  if (clear) std::memset(block, 0, static_cast<std::size_t>(byteCount));
  auto* entry = static_cast<MasterEntry*>(LowAlloc(sizeof(MasterEntry)));
  *entry = MasterEntry{block, byteCount, false, false, false, State().owner};
  State().handles.insert(entry);
  SetError(noErr);
  return reinterpret_cast<Handle>(entry);
}

Ptr MakePtr(Size byteCount, bool clear) {
  if (byteCount < 0) {
    SetError(paramErr);
    return nullptr;
  }
  if (AllocationFails()) {
    SetError(memFullErr);
    return nullptr;
  }
  Scramble();
  char* p = AllocateBlock(byteCount);
  if (p == nullptr) {
    SetError(memFullErr);
    return nullptr;
  }
  if (clear) std::memset(p, 0, static_cast<std::size_t>(byteCount));
  State().pointers[p] = PtrInfo{byteCount, State().owner};
  SetError(noErr);
  return p;
}

// HLock, HUnlock, HPurge and HNoPurge: one flag of a live handle.
void SetEntryFlag(Handle h, bool MasterEntry::*flag, bool on) {
  MasterEntry* e = EntryOf(h);
  if (e == nullptr) {
    SetError(nilHandleErr);
    return;
  }
  e->*flag = on;
  SetError(noErr);
}

}  // namespace

void SetMemError(OSErr err) { SetError(err); }

void SetHeapScramble(bool on) { State().scramble = on; }
bool HeapScrambleOn() { return State().scramble; }

void FailAllocationAfter(long n) {
  State().failAt = n > 0 ? n : 0;
  State().allocations = 0;
}

long AllocationsCounted() { return State().allocations; }
long MemoryFullCount() { return State().memoryFull; }

MemoryOwner CurrentMemoryOwner() { return State().owner; }
void SetCurrentMemoryOwner(MemoryOwner owner) { State().owner = owner; }

std::size_t LiveHandleCount(MemoryOwner owner) {
  const auto& handles = State().handles;
  return static_cast<std::size_t>(std::count_if(
      handles.begin(), handles.end(), [owner](const MasterEntry* e) { return e->owner == owner; }));
}

std::size_t LivePtrCount(MemoryOwner owner) {
  const auto& pointers = State().pointers;
  return static_cast<std::size_t>(std::count_if(
      pointers.begin(), pointers.end(), [owner](const auto& p) { return p.second.owner == owner; }));
}

bool IsLiveHandle(Handle h) { return h != nullptr && EntryOf(h) != nullptr; }

namespace internal {
void MarkResourceHandle(Handle h, bool isResource) {
  if (MasterEntry* e = EntryOf(h)) e->resource = isResource;
}
}  // namespace internal

}  // namespace toolbox

using toolbox::EntryOf;
using toolbox::SetError;

Handle NewHandle(Size byteCount) { return toolbox::MakeHandle(byteCount, false); }
Handle NewHandleClear(Size byteCount) { return toolbox::MakeHandle(byteCount, true); }

void DisposeHandle(Handle h) {
  toolbox::MasterEntry* e = EntryOf(h);
  if (e == nullptr) {
    SetError(h == nullptr ? nilHandleErr : memWZErr);
    return;
  }
  toolbox::State().handles.erase(e);
  std::free(e->block);
  e->block = nullptr;
  toolbox::LowFree(e);
  SetError(noErr);
}

Size GetHandleSize(Handle h) {
  toolbox::MasterEntry* e = EntryOf(h);
  if (e == nullptr) {
    SetError(h == nullptr ? nilHandleErr : memWZErr);
    return 0;
  }
  SetError(noErr);
  return e->size;
}

void SetHandleSize(Handle h, Size newSize) {
  toolbox::MasterEntry* e = EntryOf(h);
  if (e == nullptr || newSize < 0) {
    SetError(e == nullptr ? nilHandleErr : paramErr);
    return;
  }
  if (toolbox::AllocationFails()) {
    SetError(memFullErr);
    return;
  }
  if (e->locked) {
    // A locked block may only change size where it stands.
    if (newSize > e->size) {
      SetError(memFullErr);
      return;
    }
    e->size = newSize;
    SetError(noErr);
    return;
  }
  toolbox::Scramble();
  char* moved = toolbox::AllocateBlock(newSize);
  if (moved == nullptr) {
    SetError(memFullErr);
    return;
  }
  std::memcpy(moved, e->block, static_cast<std::size_t>(std::min(newSize, e->size)));
  std::free(e->block);
  e->block = moved;
  e->size = newSize;
  SetError(noErr);
}

void HLock(Handle h) { toolbox::SetEntryFlag(h, &toolbox::MasterEntry::locked, true); }
void HUnlock(Handle h) { toolbox::SetEntryFlag(h, &toolbox::MasterEntry::locked, false); }
void HPurge(Handle h) { toolbox::SetEntryFlag(h, &toolbox::MasterEntry::purgeable, true); }
void HNoPurge(Handle h) { toolbox::SetEntryFlag(h, &toolbox::MasterEntry::purgeable, false); }

SInt8 HGetState(Handle h) {
  toolbox::MasterEntry* e = EntryOf(h);
  if (e == nullptr) {
    SetError(nilHandleErr);
    return 0;
  }
  SetError(noErr);
  int state = 0;
  if (e->locked) state |= 0x80;
  if (e->purgeable) state |= kHandlePurgeableBit;
  if (e->resource) state |= kHandleResourceBit;
  return static_cast<SInt8>(state);
}

void HSetState(Handle h, SInt8 state) {
  toolbox::MasterEntry* e = EntryOf(h);
  if (e == nullptr) {
    SetError(nilHandleErr);
    return;
  }
  const auto bits = static_cast<unsigned char>(state);
  e->locked = (bits & 0x80) != 0;
  e->purgeable = (bits & kHandlePurgeableBit) != 0;
  e->resource = (bits & kHandleResourceBit) != 0;
  SetError(noErr);
}

OSErr HandToHand(Handle* h) {
  if (h == nullptr) return SetError(paramErr);
  toolbox::MasterEntry* e = EntryOf(*h);
  if (e == nullptr) return SetError(nilHandleErr);
  const Size size = e->size;
  const SInt8 state = HGetState(*h);
  HLock(*h);  // the source must not move while it is copied
  Handle copy = NewHandle(size);
  if (copy != nullptr) std::memcpy(*copy, **h, static_cast<std::size_t>(size));
  HSetState(*h, state);
  if (copy == nullptr) return SetError(memFullErr);
  *h = copy;
  return SetError(noErr);
}

Ptr NewPtr(Size byteCount) { return toolbox::MakePtr(byteCount, false); }
Ptr NewPtrClear(Size byteCount) { return toolbox::MakePtr(byteCount, true); }

void DisposePtr(Ptr p) {
  auto& pointers = toolbox::State().pointers;
  auto it = pointers.find(p);
  if (it == pointers.end()) {
    SetError(p == nullptr ? nilHandleErr : memWZErr);
    return;
  }
  pointers.erase(it);
  std::free(p);
  SetError(noErr);
}

Size GetPtrSize(Ptr p) {
  const auto& pointers = toolbox::State().pointers;
  auto it = pointers.find(p);
  if (it == pointers.end()) {
    SetError(memWZErr);
    return 0;
  }
  SetError(noErr);
  return it->second.size;
}

void BlockMove(const void* source, void* destination, Size byteCount) {
  if (byteCount > 0) std::memmove(destination, source, static_cast<std::size_t>(byteCount));
  SetError(noErr);
}

OSErr MemError() { return toolbox::State().lastError; }
