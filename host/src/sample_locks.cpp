#include "host/sample_locks.h"

#include <cstring>

#include "toolbox/memory.h"

namespace host {

SampleLocks::~SampleLocks() {
  for (auto& [key, lent] : lent_) DisposeHandle(lent.handle);
}

Handle SampleLocks::Lock(SampleKind kind, int channel, int block, std::span<const float> samples) {
  const auto key = std::make_tuple(kind, channel, block);
  if (auto it = lent_.find(key); it != lent_.end()) {
    ++it->second.count;
    return it->second.handle;
  }
  // The host's own block: not counted against the extension that asked.
  toolbox::ScopedMemoryOwner host(toolbox::kSystemOwner);
  const Size bytes = static_cast<Size>(samples.size_bytes());
  Handle h = NewHandle(bytes);
  if (h == nullptr) {
    ++failures_;
    return nullptr;
  }
  HLock(h);
  if (bytes > 0) std::memcpy(*h, samples.data(), samples.size_bytes());
  lent_.emplace(key, Lent{h, 1});
  return h;
}

void SampleLocks::Unlock(SampleKind kind, int channel, int block) {
  const auto it = lent_.find(std::make_tuple(kind, channel, block));
  if (it == lent_.end()) return;
  if (--it->second.count > 0) return;
  DisposeHandle(it->second.handle);
  lent_.erase(it);
}

}  // namespace host
