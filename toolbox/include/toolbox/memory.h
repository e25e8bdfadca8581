// Memory Manager: relocatable blocks reached through master pointers.
//
// A Handle is the address of a master pointer slot that lies in the low arena
// (below 4 GiB, so it fits the host's 32-bit fields); the block it points at
// lives in the ordinary heap. A block never moves while its handle is locked;
// an unlocked block may move on any allocation or resize, and always does when
// heap scrambling is on, so a stale pointer faults under AddressSanitizer.
// Every call sets MemError. Single-threaded, like the platform's.
#pragma once

#include <cstddef>
#include <cstdint>

#include "toolbox/mac_types.h"

// Handle state byte (HGetState/HSetState).
enum : SInt8 {
  kHandleLockedBit = static_cast<SInt8>(0x80),
  kHandlePurgeableBit = 0x40,
  kHandleResourceBit = 0x20,
};

Handle NewHandle(Size byteCount);
Handle NewHandleClear(Size byteCount);
void DisposeHandle(Handle h);
Size GetHandleSize(Handle h);
// Keeps the contents up to the smaller size. A locked block that cannot grow
// in place leaves the handle unchanged and sets memFullErr.
void SetHandleSize(Handle h, Size newSize);
void HLock(Handle h);
void HUnlock(Handle h);
void HPurge(Handle h);
void HNoPurge(Handle h);
SInt8 HGetState(Handle h);
void HSetState(Handle h, SInt8 state);
// Replaces *h by a handle to a new copy of its block.
OSErr HandToHand(Handle* h);
Ptr NewPtr(Size byteCount);
Ptr NewPtrClear(Size byteCount);
void DisposePtr(Ptr p);
Size GetPtrSize(Ptr p);
void BlockMove(const void* source, void* destination, Size byteCount);
OSErr MemError();

namespace toolbox {

// --- The low arena: objects whose addresses travel in 32-bit fields. --------
// Zero-filled; never moves. Aborts when the arena is exhausted (the host cannot
// go on without its own records).
void* LowAlloc(std::size_t bytes);
void LowFree(void* p);
bool IsLowAddress(const void* p);
// The address as the host's 32-bit field holds it; asserts that it round-trips.
std::uint32_t ToU32(const void* p);
template <class T>
T* FromU32(std::uint32_t address) {
  return reinterpret_cast<T*>(static_cast<std::uintptr_t>(address));
}

// For services that refuse a request before it reaches the Memory Manager.
void SetMemError(OSErr err);

// --- Test and diagnostic switches. -----------------------------------------
// Off until set: the Toolbox reads no environment; the programs using it
// set these (the host from VANTOR_HEAP_SCRAMBLE and VANTOR_FAIL_ALLOC).
void SetHeapScramble(bool on);
bool HeapScrambleOn();
// The n-th allocation from now (NewHandle, NewPtr, HandToHand, SetHandleSize)
// fails with memFullErr; 0 switches failure off. One failure only.
void FailAllocationAfter(long n);
// Allocations counted since the switch was last set (for loops over failure points).
long AllocationsCounted();
// Requests answered memFullErr so far (by the switch or for real): a caller
// compares two readings to learn whether memory ran out in between, even
// where the code that met it carried on.
long MemoryFullCount();

// Owners let a test ask whether an extension freed everything it allocated.
using MemoryOwner = int;
constexpr MemoryOwner kSystemOwner = 0;
MemoryOwner CurrentMemoryOwner();
void SetCurrentMemoryOwner(MemoryOwner owner);
class ScopedMemoryOwner {
 public:
  explicit ScopedMemoryOwner(MemoryOwner owner) : saved_(CurrentMemoryOwner()) {
    SetCurrentMemoryOwner(owner);
  }
  ~ScopedMemoryOwner() { SetCurrentMemoryOwner(saved_); }
  ScopedMemoryOwner(const ScopedMemoryOwner&) = delete;
  ScopedMemoryOwner& operator=(const ScopedMemoryOwner&) = delete;

 private:
  MemoryOwner saved_;
};
std::size_t LiveHandleCount(MemoryOwner owner);
std::size_t LivePtrCount(MemoryOwner owner);
// True for a live handle made by NewHandle (never for a disposed one).
bool IsLiveHandle(Handle h);

}  // namespace toolbox
