#include "host/live_replay.h"

#include <algorithm>
#include <map>
#include <vector>

#include "host/computed_channels.h"
#include "host/document.h"
#include "host/host_state.h"
#include "host/param_block.h"
#include "toolbox/memory.h"
#include "vantor/messages.h"

namespace host {
namespace {

// One float ring per channel for the input and for the output, in the low
// arena since their addresses travel in 32-bit fields.
class Rings {
 public:
  Rings(int channels, int length) : length_(length) {
    for (int c = 0; c < channels; ++c) {
      input_.push_back(static_cast<float*>(toolbox::LowAlloc(Bytes())));
      output_.push_back(static_cast<float*>(toolbox::LowAlloc(Bytes())));
    }
  }
  ~Rings() {
    for (float* ring : input_) toolbox::LowFree(ring);
    for (float* ring : output_) toolbox::LowFree(ring);
  }
  Rings(const Rings&) = delete;
  Rings& operator=(const Rings&) = delete;

  float* input(int channel) { return input_[static_cast<std::size_t>(channel - 1)]; }
  float* output(int channel) { return output_[static_cast<std::size_t>(channel - 1)]; }
  // Fills the ComputeLive block's two arrays of 32 ring addresses.
  void StoreAddresses(ParamBlock& block) const {
    for (std::size_t c = 0; c < input_.size(); ++c) {
      block.SetAddress<vantor::computed::ComputeLiveBlock::SourceRings>(input_[c], c);
      block.SetAddress<vantor::computed::ComputeLiveBlock::OutputRings>(output_[c], c);
    }
  }

 private:
  std::size_t Bytes() const { return static_cast<std::size_t>(length_) * sizeof(float); }
  int length_;
  std::vector<float*> input_;
  std::vector<float*> output_;
};

using LiveOutput = std::map<int, std::map<int, std::vector<float>>>;  // channel, block

class Sampler {
 public:
  Sampler(Document& document, const LiveReplayOptions& options)
      : document_(document), options_(options), rings_(document.channelCount(), options.ringLength),
        lastDone_(options.ringLength - 1), order_(document.computed().InComputationOrder()) {}

  void SampleBlock(int block) {
    document_.SetSamplingBlock(block);
    document_.computed().Notify(notify::kBlockSetup, 0);
    const std::int64_t length = document_.BlockLength(block);
    for (std::int64_t done = 0; done < length;) {
      const int count = static_cast<int>(std::min<std::int64_t>(options_.chunk, length - done));
      Acquire(block, done, count);
      Compute(count);
      Collect(block, count);
      lastDone_ = (lastDone_ + count) % options_.ringLength;
      done += count;
    }
  }
  LiveOutput& output() { return output_; }

 private:
  int RingOffset(int k) const { return (lastDone_ + 1 + k) % options_.ringLength; }

  // New samples enter the input rings; channels without a function show them.
  void Acquire(int block, std::int64_t from, int count) {
    for (int c = 1; c <= document_.channelCount(); ++c) {
      const std::vector<float>& recorded = document_.RecordedSamples(c, block);
      const bool computed = document_.computed().IsComputed(c);
      for (int k = 0; k < count; ++k) {
        const float x = recorded.empty() ? 0.0f : recorded[static_cast<std::size_t>(from + k)];
        rings_.input(c)[RingOffset(k)] = x;
        if (!computed) rings_.output(c)[RingOffset(k)] = x;
      }
    }
  }

  void Compute(int count) {
    const int lastToDo = (lastDone_ + count) % options_.ringLength;
    for (int channel : order_) {
      ParamBlock block;
      using F = vantor::computed::ComputeLiveBlock;
      block.Set<F::LastDone>(static_cast<std::int16_t>(lastDone_))
          .Set<F::LastToDo>(static_cast<std::int16_t>(lastToDo))
          .Set<F::RingLength>(static_cast<std::int16_t>(options_.ringLength))
          .Set<F::Channel>(static_cast<std::int16_t>(channel));
      rings_.StoreAddresses(block);
      document_.computed().Send(channel, vantor::computed::kComputeLive, block);
    }
  }

  void Collect(int block, int count) {
    for (int channel : order_) {
      std::vector<float>& samples = output_[channel][block];
      for (int k = 0; k < count; ++k) samples.push_back(rings_.output(channel)[RingOffset(k)]);
    }
  }

  Document& document_;
  const LiveReplayOptions& options_;
  Rings rings_;
  int lastDone_;
  std::vector<int> order_;
  LiveOutput output_;
};

bool Refuse(std::string* error, const std::string& why) {
  if (error != nullptr) *error = why;
  return false;
}

}  // namespace

bool ReplayLive(Document& document, const LiveReplayOptions& options, std::string* error) {
  if (options.ringLength < 2 || options.ringLength > 32767) return Refuse(error, "ring length must be 2 to 32767");
  if (options.chunk < 1 || options.chunk > options.ringLength) {
    return Refuse(error, "chunk must be 1 to the ring length");
  }
  if (document.channelCount() > static_cast<int>(vantor::kLiveRingCount)) {
    return Refuse(error, "live sampling handles at most 32 channels");
  }
  ScopedCurrentDocument current(document);
  const bool wasRecording = State().recording;
  State().recording = true;
  ComputedChannels& computed = document.computed();
  computed.Notify(notify::kSamplingStarts, 0);
  Sampler sampler(document, options);
  for (int block = 1; block <= document.blockCount(); ++block) sampler.SampleBlock(block);
  computed.Notify(notify::kSamplingEnds, 0);
  document.SetSamplingBlock(0);
  State().recording = wasRecording;
  // What was sampled is what the channels show, where they show anything.
  for (auto& [channel, blocks] : sampler.output()) {
    for (auto& [block, samples] : blocks) {
      if (computed.HasDisplayedData(channel, block)) computed.StoreDisplayed(channel, block, std::move(samples));
    }
  }
  return true;
}

}  // namespace host
