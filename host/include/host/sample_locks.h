// Sample blocks lent to extensions by the data services 468/469 (recorded)
// and 471/472 (displayed): a Memory Manager handle of float samples per
// (kind, channel, block), locked while lent. Locks nest; the last unlock
// disposes the handle. An unlock without its lock is ignored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <tuple>

#include "toolbox/mac_types.h"

namespace host {

enum class SampleKind : std::uint8_t { kRecorded, kDisplayed };

class SampleLocks {
 public:
  SampleLocks() = default;
  ~SampleLocks();
  SampleLocks(const SampleLocks&) = delete;
  SampleLocks& operator=(const SampleLocks&) = delete;

  // The locked handle holding a copy of `samples` (made on the first lock);
  // null when memory ran out.
  Handle Lock(SampleKind kind, int channel, int block, std::span<const float> samples);
  void Unlock(SampleKind kind, int channel, int block);
  // Handles lent and not yet given back.
  std::size_t lentCount() const { return lent_.size(); }
  // Locks refused for want of memory so far: a computation that saw one
  // worked on missing samples and is not kept.
  std::uint64_t failures() const { return failures_; }
  // A lock refused before it got here because memory ran out making the
  // samples (a computed block that could not be computed).
  void CountFailure() { ++failures_; }

 private:
  struct Lent {
    Handle handle;
    int count;
  };
  std::map<std::tuple<SampleKind, int, int>, Lent> lent_;
  std::uint64_t failures_ = 0;
};

}  // namespace host
