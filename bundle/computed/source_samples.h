// The samples a computed function reads from its source channel for one
// block, chosen the same way by both functions: the source's displayed
// samples when it is computed; the recorded input that came with the message
// when the source is the channel being computed and the block is the one
// being computed; otherwise the source's recorded samples, locked from the host.
#pragma once

#include <cstdint>

#include "computed/computation_requests.h"
#include "computed/sample_block.h"
#include "toolbox/mac_types.h"

namespace spiro {

// The source has data in the block: displayed data when it is computed,
// recorded data otherwise.
bool SourceHasBlock(std::int16_t sourceChannel, bool sourceIsComputed, std::int16_t block);

struct SourceSelection {
  std::int16_t sourceChannel;
  bool sourceIsComputed;
  std::int16_t computedChannel;  // the channel of the message
  std::int16_t computedBlock;    // the block of the message
  Handle messageInput;           // the recorded input of that channel and block
};

// How a function with these settings chooses the sources of the request's
// blocks (both functions' settings name sourceChannel and sourceIsComputed).
template <class Settings>
SourceSelection SelectionFor(const Settings& settings, const ComputeBlockRequest& request) {
  return {settings.sourceChannel, settings.sourceIsComputed != 0, request.channel, request.block,
          request.input};
}

// The host's hold on one channel's block, released when the hold ends.
class HostBlockHold {
 public:
  enum class Kind { kNone, kRecorded, kDisplayed };
  HostBlockHold(Kind kind, std::int16_t channel, std::int16_t block);
  ~HostBlockHold();
  HostBlockHold(const HostBlockHold&) = delete;
  HostBlockHold& operator=(const HostBlockHold&) = delete;

  Handle handle() const { return handle_; }

 private:
  Kind kind_;
  std::int16_t channel_;
  std::int16_t block_;
  Handle handle_ = nullptr;
};

class SourceSamples {
 public:
  SourceSamples(const SourceSelection& selection, std::int16_t block);

  const float* data() const { return samples_.data(); }
  std::int32_t count() const { return samples_.count(); }

 private:
  HostBlockHold hold_;     // released last,
  LockedSamples samples_;  // after the view's own lock
};

}  // namespace spiro
