// Absolute positions: the samples of all blocks numbered one after another.
#include <algorithm>

#include "host/document.h"

namespace host {

std::int64_t Document::BlockStart(int block) const {
  const int clamped = std::clamp(block, 1, blockCount() + 1);
  return blockStarts_[static_cast<std::size_t>(clamped - 1)];
}

std::int64_t Document::PositionOf(int block, std::int64_t offset) const {
  return BlockStart(block) + offset;
}

int Document::BlockOfPosition(std::int64_t position) const {
  const std::int64_t total = TotalLength();
  if (blockCount() == 0 || position < 0 || position > total) return 0;
  if (position == total) {
    // The end of the document belongs to its last block that holds samples
    // (an exclusive end names it).
    for (int b = blockCount(); b >= 1; --b) {
      if (BlockLength(b) > 0) return b;
    }
    return blockCount();
  }
  // The last block starting at or before the position; empty blocks start
  // where the next one does, so upper_bound skips them.
  const auto it = std::upper_bound(blockStarts_.begin(), blockStarts_.end() - 1, position);
  return static_cast<int>(it - blockStarts_.begin());
}

}  // namespace host
