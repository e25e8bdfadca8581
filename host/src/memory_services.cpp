// Memory services (306-327): the Memory Manager, as extensions see it. Sizes
// are u32 on the wire; a size beyond the Memory Manager's i32 range fails as
// memFullErr rather than wrapping to a small block.
#include <cstdint>
#include <limits>

#include "host/memory_zones.h"
#include "host/service_table.h"
#include "toolbox/memory.h"
#include "vantor/services.h"

namespace host {
namespace {

constexpr std::uint32_t kMaxBlockBytes = std::numeric_limits<Size>::max();

bool SizeRefused(std::uint32_t size) {
  if (size <= kMaxBlockBytes) return false;
  toolbox::SetMemError(memFullErr);
  return true;
}

// Handles are noted by owner so that the host can free what a computed
// function leaves behind when it is detached (memory_zones.h).
Handle NewHandleService(std::uint32_t size) {
  Handle h = SizeRefused(size) ? nullptr : NewHandle(static_cast<Size>(size));
  NoteAllocatedHandle(h);
  return h;
}

Ptr NewPtrService(std::uint32_t size) {
  return SizeRefused(size) ? nullptr : NewPtr(static_cast<Size>(size));
}

void LockService(Handle h) { HLock(h); }
void UnlockService(Handle h) { HUnlock(h); }
void DisposeHandleService(Handle h) {
  NoteDisposedHandle(h);
  DisposeHandle(h);
}
void DisposePtrService(Ptr p) { DisposePtr(p); }

// The extension adopts a detached resource: it becomes an ordinary,
// unpurgeable block that the extension disposes of itself.
void AdoptHandleService(Handle h) {
  if (!toolbox::IsLiveHandle(h)) return;
  HSetState(h, static_cast<SInt8>(HGetState(h) & kHandleLockedBit));
}

std::uint32_t GetHandleSizeService(Handle h) {
  return static_cast<std::uint32_t>(GetHandleSize(h));
}

void SetHandleSizeService(Handle h, std::uint32_t size) {
  if (SizeRefused(size)) return;
  SetHandleSize(h, static_cast<Size>(size));
}

void MoveBytesService(const void* source, void* destination, std::uint32_t count) {
  if (SizeRefused(count)) return;
  BlockMove(source, destination, static_cast<Size>(count));
}

std::int32_t DuplicateHandleService(Handle* h) {
  const std::int32_t err = HandToHand(h);
  if (err == noErr) NoteAllocatedHandle(*h);
  return err;
}
std::int8_t GetHandleStateService(Handle h) { return HGetState(h); }
void SetHandleStateService(Handle h, std::int8_t state) { HSetState(h, state); }

}  // namespace

void InstallMemoryServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<HostNewHandleAlt>(table, &NewHandleService);
  vantor::SetService<HostNewHandle>(table, &NewHandleService);
  vantor::SetService<HostNewPtr>(table, &NewPtrService);
  vantor::SetService<HostLockHandle>(table, &LockService);
  vantor::SetService<HostUnlockHandle>(table, &UnlockService);
  vantor::SetService<HostService314>(table, &AdoptHandleService);
  vantor::SetService<HostDisposePtr>(table, &DisposePtrService);
  vantor::SetService<HostDisposeHandle>(table, &DisposeHandleService);
  vantor::SetService<HostGetHandleSize>(table, &GetHandleSizeService);
  vantor::SetService<HostSetHandleSize>(table, &SetHandleSizeService);
  vantor::SetService<HostMoveBytes>(table, &MoveBytesService);
  vantor::SetService<HostDuplicateHandle>(table, &DuplicateHandleService);
  vantor::SetService<HostGetHandleState>(table, &GetHandleStateService);
  vantor::SetService<HostSetHandleState>(table, &SetHandleStateService);
}

}  // namespace host
