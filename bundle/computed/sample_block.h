// Blocks of f32 samples in handles: the host's sample blocks and the output
// arrays it hands to the computations.
#pragma once

#include <cstdint>
#include <optional>

#include "toolbox/mac_types.h"
#include "util/handle_record.h"

namespace spiro {

// A handle's samples, locked while the view lives. A null handle is empty;
// the count is what the block holds, whatever a caller believes its length is.
class LockedSamples {
 public:
  explicit LockedSamples(Handle handle);
  LockedSamples(const LockedSamples&) = delete;
  LockedSamples& operator=(const LockedSamples&) = delete;

  float* data() const { return data_; }
  std::int32_t count() const { return count_; }

 private:
  std::optional<HandleLock> lock_;
  float* data_ = nullptr;
  std::int32_t count_ = 0;
};

// Offsets [first, end) of an output cut to what it holds: [from, held) have
// source samples to compute from, [held, to) lie beyond the source's end.
struct OutputSpan {
  std::int32_t from;
  std::int32_t held;
  std::int32_t to;
};
OutputSpan SpanWithin(std::int32_t first, std::int32_t end, std::int32_t outputCount,
                      std::int32_t sourceCount);

// Writes 0.0 to offsets [from, to) of the output.
void FillZeros(const LockedSamples& output, std::int32_t from, std::int32_t to);
// Writes 0.0 to offsets [first, end) of the output, within what it holds.
void WriteZeroSamples(Handle output, std::int32_t first, std::int32_t end);

}  // namespace spiro
