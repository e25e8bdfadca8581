#include "computed/source_samples.h"

#include "frame/host_services_data.h"

namespace spiro {

bool SourceHasBlock(std::int16_t sourceChannel, bool sourceIsComputed, std::int16_t block) {
  if (sourceIsComputed) return DataChannelHasBlock(sourceChannel, block) != 0;
  return DataService496(sourceChannel, block) != 0;
}

HostBlockHold::HostBlockHold(Kind kind, std::int16_t channel, std::int16_t block)
    : kind_(kind), channel_(channel), block_(block) {
  if (kind_ == Kind::kRecorded) handle_ = DataLockBlock468(channel, block);
  if (kind_ == Kind::kDisplayed) handle_ = DataLockBlock471(channel, block);
  // A refused lock holds nothing, so there is nothing to release.
  if (handle_ == nullptr) kind_ = Kind::kNone;
}

HostBlockHold::~HostBlockHold() {
  if (kind_ == Kind::kRecorded) DataUnlockBlock469(channel_, block_);
  if (kind_ == Kind::kDisplayed) DataUnlockBlock472(channel_, block_);
}

namespace {

HostBlockHold::Kind HoldFor(const SourceSelection& selection, std::int16_t block) {
  if (selection.sourceIsComputed) return HostBlockHold::Kind::kDisplayed;
  if (selection.sourceChannel == selection.computedChannel && block == selection.computedBlock) {
    return HostBlockHold::Kind::kNone;
  }
  return HostBlockHold::Kind::kRecorded;
}

}  // namespace

SourceSamples::SourceSamples(const SourceSelection& selection, std::int16_t block)
    : hold_(HoldFor(selection, block), selection.sourceChannel, block),
      samples_(HoldFor(selection, block) == HostBlockHold::Kind::kNone ? selection.messageInput
                                                                       : hold_.handle()) {}

}  // namespace spiro
