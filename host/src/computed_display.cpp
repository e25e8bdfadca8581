// What a computed channel displays: availability, samples computed on demand
// and cached, units and scale info, all from its function.
#include <algorithm>
#include <cstring>

#include "host/bundle.h"
#include "host/computed_channels.h"
#include "host/document.h"
#include "host/sample_locks.h"

namespace host {

class ComputedChannels::BusyGuard {
 public:
  BusyGuard(std::set<BusyKey>& busy, BusyKey key) : busy_(busy), key_(key), entered_(busy.insert(key).second) {}
  ~BusyGuard() {
    if (entered_) busy_.erase(key_);
  }
  BusyGuard(const BusyGuard&) = delete;
  BusyGuard& operator=(const BusyGuard&) = delete;
  // False when the same question is pending further up: a cycle.
  bool entered() const { return entered_; }

 private:
  std::set<BusyKey>& busy_;
  BusyKey key_;
  bool entered_;
};

namespace {

// The host's sample buffers for one ComputeBlock: not the function's memory.
Handle NewSampleHandle(std::size_t count) {
  toolbox::ScopedMemoryOwner host(toolbox::kSystemOwner);
  Handle h = NewHandleClear(static_cast<Size>(count * sizeof(float)));
  if (h != nullptr) HLock(h);
  return h;
}

}  // namespace

bool ComputedChannels::Fresh(const CachedBlock& cached) const {
  return cached.generation == generation_ && cached.revision == document_.revision();
}

bool ComputedChannels::AskHasData(int channel, int block) {
  BusyGuard guard(busy_, {Query::kHasData, channel, block});
  if (!guard.entered()) return false;
  ParamBlock params;
  using F = vantor::computed::HasDataForBlockBlock;
  params.Set<F::Block>(static_cast<std::int16_t>(block)).Set<F::Channel>(static_cast<std::int16_t>(channel));
  return Send(channel, vantor::computed::kHasDataForBlock, params) == 1;
}

bool ComputedChannels::HasDisplayedData(int channel, int block) {
  if (!document_.IsChannel(channel) || !document_.IsBlock(block)) return false;
  if (!IsComputed(channel)) return document_.HasRecordedData(channel, block);
  return AskHasData(channel, block);
}

const std::vector<float>* ComputedChannels::DisplayedSamples(int channel, int block) {
  if (!document_.IsChannel(channel) || !document_.IsBlock(block)) return nullptr;
  if (!IsComputed(channel)) {
    return document_.HasRecordedData(channel, block) ? &document_.RecordedSamples(channel, block) : nullptr;
  }
  if (const Instance* instance = Find(channel)) {
    const auto it = instance->cache.find(block);
    if (it != instance->cache.end() && Fresh(it->second)) return &it->second.samples;
  }
  const std::uint64_t generation = generation_;
  const std::uint64_t revision = document_.revision();
  std::optional<std::vector<float>> computed = Compute(channel, block);
  Instance* instance = Find(channel);  // the function may have been detached meanwhile
  if (!computed || instance == nullptr) return nullptr;
  CachedBlock& cached = instance->cache[block];
  cached = CachedBlock{generation, revision, std::move(*computed)};
  return &cached.samples;
}

std::optional<std::vector<float>> ComputedChannels::Compute(int channel, int block) {
  BusyGuard guard(busy_, {Query::kCompute, channel, block});
  if (!guard.entered() || !AskHasData(channel, block)) return std::nullopt;
  const auto length = static_cast<std::size_t>(document_.BlockLength(block));
  Handle input = NewSampleHandle(length);
  Handle output = NewSampleHandle(length);
  std::optional<std::vector<float>> samples;
  const std::uint64_t lockFailures = document_.locks().failures();
  if (input != nullptr && output != nullptr) {
    // The function reads the channel's own recorded input with the message.
    const std::vector<float>& recorded = document_.RecordedSamples(channel, block);
    if (recorded.size() == length && length > 0) std::memcpy(*input, recorded.data(), length * sizeof(float));
    // A source the function could not lock was computed as missing: no result.
    if (SendCompute(channel, block, input, output) && document_.locks().failures() == lockFailures) {
      const auto* out = reinterpret_cast<const float*>(*output);
      samples.emplace(out, out + length);
    }
  }
  if (input != nullptr) DisposeHandle(input);
  if (output != nullptr) DisposeHandle(output);
  return samples;
}

bool ComputedChannels::SendCompute(int channel, int block, Handle input, Handle output) {
  ParamBlock params;
  using F = vantor::computed::ComputeBlockBlock;
  params.SetAddress<F::Input>(input)
      .SetAddress<F::Output>(output)
      .Set<F::Channel>(static_cast<std::int16_t>(channel))
      .Set<F::Block>(static_cast<std::int16_t>(block))
      .Set<F::First>(0)
      .Set<F::End>(static_cast<std::int16_t>(document_.BlockLength(block)))
      .Set<F::Flag>(0);
  if (Find(channel) == nullptr) return false;
  Send(channel, vantor::computed::kComputeBlock, params);
  ++computations_;
  return true;
}

void ComputedChannels::StoreDisplayed(int channel, int block, std::vector<float> samples) {
  Instance* instance = Find(channel);
  if (instance == nullptr) return;
  instance->cache[block] = CachedBlock{generation_, document_.revision(), std::move(samples)};
}

vantor::ChannelScaleInfo ComputedChannels::DisplayedInfo(int channel, int block) {
  if (!document_.IsChannel(channel) || !document_.IsBlock(block)) return DefaultScaling().info;
  vantor::ChannelScaleInfo info = document_.RecordedScaling(channel, block).info;
  BusyGuard guard(busy_, {Query::kInfo, channel, block});
  if (!IsComputed(channel) || !guard.entered()) return info;
  ParamBlock params;
  using F = vantor::computed::GetChannelInfoBlock;
  std::memcpy(params.at<F::InfoOut>(), &info, sizeof info);
  params.Set<F::Block>(static_cast<std::int16_t>(block)).Set<F::Channel>(static_cast<std::int16_t>(channel));
  Send(channel, vantor::computed::kGetChannelInfo, params);
  std::memcpy(&info, params.at<F::InfoOut>(), sizeof info);
  return info;
}

vantor::ChannelScaling ComputedChannels::DisplayedScaling(int channel, int block) {
  if (!document_.IsChannel(channel) || !document_.IsBlock(block)) return DefaultScaling();
  vantor::ChannelScaling scaling = document_.RecordedScaling(channel, block);
  if (!IsComputed(channel)) return scaling;
  const vantor::ChannelScaleInfo info = DisplayedInfo(channel, block);
  BusyGuard guard(busy_, {Query::kUnits, channel, block});
  if (!guard.entered()) return scaling;
  scaling.info = info;
  auto* units = static_cast<vantor::ChannelScaling*>(toolbox::LowAlloc(sizeof(vantor::ChannelScaling)));
  std::memcpy(units, &scaling, sizeof scaling);
  ParamBlock params;
  using F = vantor::computed::GetChannelUnitsBlock;
  params.Set<F::Block>(static_cast<std::int16_t>(block))
      .Set<F::Channel>(static_cast<std::int16_t>(channel))
      .SetAddress<F::UnitsOut>(units);
  // The function's units and the scale info it reports make the displayed
  // scaling; a function without units keeps the channel's own.
  if (Send(channel, vantor::computed::kGetChannelUnits, params) == 1) {
    std::memcpy(&scaling, units, offsetof(vantor::ChannelScaling, info));
  }
  toolbox::LowFree(units);
  return scaling;
}

}  // namespace host
