#include "extension/channel_samples.h"

#include <algorithm>

#include "frame/host_services.h"
#include "util/handle_record.h"

namespace spiro {

namespace {

constexpr std::int16_t kBusyTicksPerBlock = 15;

// The part of one block to copy: `count` samples from `from` in the block to
// `to` in the destination.
struct BlockSpan {
  std::int32_t from;
  std::int32_t to;
  std::int32_t count;
};

BlockSpan SpanOfBlock(std::int16_t block, bool isFirst, std::int32_t start, std::int32_t count,
                      std::int32_t copied) {
  const std::int32_t length = std::max(DataBlockLength(block), 0);
  if (isFirst) {
    const std::int32_t blockStart = AbsolutePosition(block, 0);
    const std::int32_t n = std::min(length + blockStart - start, count);
    return BlockSpan{start - blockStart, 0, std::max(n, 0)};
  }
  return BlockSpan{0, copied, copied + length > count ? count - copied : length};
}

Handle LockSamples(std::int16_t channel, std::int16_t block, bool recorded) {
  return recorded ? DataLockBlock468(channel, block) : DataLockBlock471(channel, block);
}

void UnlockSamples(std::int16_t channel, std::int16_t block, bool recorded) {
  if (recorded) {
    DataUnlockBlock469(channel, block);
  } else {
    DataUnlockBlock472(channel, block);
  }
}

// Copies what both blocks hold of the span: a short sample block or a small
// destination cuts the copy instead of being overrun.
void CopySpan(Handle samples, Handle destination, const BlockSpan& span) {
  if (samples == nullptr || span.count <= 0 || span.from < 0) return;
  const HandleLock source(samples);
  const HandleLock target(destination);
  const auto available = [](std::size_t bytes, std::int32_t at) {
    return static_cast<std::int64_t>(bytes / sizeof(float)) - at;
  };
  const std::int64_t n = std::min({static_cast<std::int64_t>(span.count),
                                   available(source.sizeBytes(), span.from),
                                   available(target.sizeBytes(), span.to)});
  if (n <= 0) return;
  HostMoveBytes(source.address() + span.from * sizeof(float),
                target.address() + span.to * sizeof(float),
                static_cast<std::uint32_t>(n * sizeof(float)));
}

}  // namespace

std::int32_t AbsolutePosition(std::int16_t block, std::int16_t offset) {
  return DataPositionOfBlockOffset(MakeBlockOffset(block, offset));
}

void ReadChannelSamples(Handle destination, std::int16_t channel, std::int32_t start,
                        std::int32_t count, bool recorded) {
  if (destination == nullptr || count < 1) return;
  const std::int64_t last = std::int64_t{start} + count - 1;
  const int firstBlock = DataBlockOfPosition(static_cast<std::uint32_t>(start));
  const int lastBlock = DataBlockOfPosition(static_cast<std::uint32_t>(last));
  if (firstBlock < 1) return;
  std::int32_t copied = 0;
  for (int b = firstBlock; b <= lastBlock && copied < count; ++b) {
    const auto block = static_cast<std::int16_t>(b);
    Handle samples = LockSamples(channel, block, recorded);
    const BlockSpan span = SpanOfBlock(block, b == firstBlock, start, count, copied);
    CopySpan(samples, destination, span);
    copied += span.count;
    // Paired with every lock call, lent or not: the host ignores an unlock
    // of what it did not lend.
    UnlockSamples(channel, block, recorded);
    HostBusyTick(kBusyTicksPerBlock);
  }
}

}  // namespace spiro
