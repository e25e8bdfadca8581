#include "computed/sample_block.h"

#include <algorithm>
#include <limits>

namespace spiro {

LockedSamples::LockedSamples(Handle handle) {
  if (handle == nullptr || *handle == nullptr) return;
  lock_.emplace(handle);
  constexpr std::size_t kMaxCount = std::numeric_limits<std::int32_t>::max();
  count_ = static_cast<std::int32_t>(std::min(lock_->sizeBytes() / sizeof(float), kMaxCount));
  data_ = reinterpret_cast<float*>(lock_->address());
}

OutputSpan SpanWithin(std::int32_t first, std::int32_t end, std::int32_t outputCount,
                      std::int32_t sourceCount) {
  const std::int32_t from = std::max(first, 0);
  const std::int32_t to = std::max(from, std::min(end, outputCount));
  return {from, std::clamp(sourceCount, from, to), to};
}

void FillZeros(const LockedSamples& output, std::int32_t from, std::int32_t to) {
  if (from < to) std::fill(output.data() + from, output.data() + to, 0.0f);
}

void WriteZeroSamples(Handle output, std::int32_t first, std::int32_t end) {
  const LockedSamples out(output);
  const OutputSpan span = SpanWithin(first, end, out.count(), 0);
  FillZeros(out, span.from, span.to);
}

}  // namespace spiro
