#include "frame/host_services_memory.h"

#include "frame/host_service_entry.h"

namespace service = vantor::service;

Handle HostNewHandleAlt(std::uint32_t size) { return HostEntry<service::HostNewHandleAlt>()(size); }

Handle HostNewHandle(std::uint32_t size) { return HostEntry<service::HostNewHandle>()(size); }

Ptr HostNewPtr(std::uint32_t size) { return HostEntry<service::HostNewPtr>()(size); }

void HostLockHandle(Handle handle) { HostEntry<service::HostLockHandle>()(handle); }

void HostUnlockHandle(Handle handle) { HostEntry<service::HostUnlockHandle>()(handle); }

void HostService314(Handle detachedResource) {
  HostEntry<service::HostService314>()(detachedResource);
}

void HostDisposePtr(Ptr pointer) { HostEntry<service::HostDisposePtr>()(pointer); }

void HostDisposeHandle(Handle handle) { HostEntry<service::HostDisposeHandle>()(handle); }

std::uint32_t HostGetHandleSize(Handle handle) {
  return HostEntry<service::HostGetHandleSize>()(handle);
}

void HostSetHandleSize(Handle handle, std::uint32_t size) {
  HostEntry<service::HostSetHandleSize>()(handle, size);
}

void HostMoveBytes(const void* source, void* destination, std::uint32_t count) {
  HostEntry<service::HostMoveBytes>()(source, destination, count);
}

std::int32_t HostDuplicateHandle(Handle* handle) {
  return HostEntry<service::HostDuplicateHandle>()(handle);
}

std::int8_t HostGetHandleState(Handle handle) {
  return HostEntry<service::HostGetHandleState>()(handle);
}

void HostSetHandleState(Handle handle, std::int8_t state) {
  HostEntry<service::HostSetHandleState>()(handle, state);
}
