// Records kept in relocatable blocks. An unlocked block may move on any
// allocation (on every one when the heap is scrambled), so its address is
// used only under a HandleLock, which restores the previous lock state: a
// block the caller keeps locked stays locked.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "frame/host_services_memory.h"
#include "toolbox/mac_types.h"

namespace spiro {

class HandleLock {
 public:
  explicit HandleLock(Handle handle) : handle_(handle), saved_(HostGetHandleState(handle)) {
    HostLockHandle(handle);
  }
  ~HandleLock() { HostSetHandleState(handle_, saved_); }
  HandleLock(const HandleLock&) = delete;
  HandleLock& operator=(const HandleLock&) = delete;

  // The block's address; valid while the lock lives.
  char* address() const { return *handle_; }
  std::size_t sizeBytes() const { return HostGetHandleSize(handle_); }

 private:
  Handle handle_;
  std::int8_t saved_;
};

// A copy of the record at the start of the block; bytes the block does not
// hold read as zero.
template <class Record>
Record LoadHandleRecord(Handle handle) {
  static_assert(std::is_trivially_copyable_v<Record>);
  Record record{};
  const HandleLock lock(handle);
  std::memcpy(&record, lock.address(), std::min(sizeof record, lock.sizeBytes()));
  return record;
}

// Writes the record back, never past the end of the block.
template <class Record>
void StoreHandleRecord(Handle handle, const Record& record) {
  static_assert(std::is_trivially_copyable_v<Record>);
  const HandleLock lock(handle);
  std::memcpy(lock.address(), &record, std::min(sizeof record, lock.sizeBytes()));
}

}  // namespace spiro
