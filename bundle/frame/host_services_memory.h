// The host's memory services. A handle's block moves only while unlocked:
// save its state, lock around a use of the block's address, restore after.
#pragma once

#include <cstdint>

#include "toolbox/mac_types.h"

Handle HostNewHandleAlt(std::uint32_t size);
Handle HostNewHandle(std::uint32_t size);
Ptr HostNewPtr(std::uint32_t size);
void HostLockHandle(Handle handle);
void HostUnlockHandle(Handle handle);
void HostService314(Handle detachedResource);
void HostDisposePtr(Ptr pointer);
void HostDisposeHandle(Handle handle);
std::uint32_t HostGetHandleSize(Handle handle);
void HostSetHandleSize(Handle handle, std::uint32_t size);
void HostMoveBytes(const void* source, void* destination, std::uint32_t count);
// 0, or the memory error (the handle is then unchanged).
std::int32_t HostDuplicateHandle(Handle* handle);
std::int8_t HostGetHandleState(Handle handle);
void HostSetHandleState(Handle handle, std::int8_t state);
