// Computed functions attached to a document's channels, and the samples a
// channel displays.
//
// A channel may hold one computed function. Attaching sends message 6 with the
// channel and keeps the local data handle it returns, then asks notification
// 8000 whether the function takes settings requests by notification (answer
// 4277). A computed channel displays what its function computes: its samples
// in a block are made by ComputeBlock (message 8) when first asked for and
// cached until stale; its data availability, units and scale info come from
// HasDataForBlock (12), GetChannelUnits (13) and GetChannelInfo (11). A
// recorded channel displays its recorded samples. A function that reads
// another computed channel (volume reading flow) has that channel computed
// first, on demand, through the data services; a cycle of channels reading
// each other has no data.
//
// Staleness: every command delivered to a computed function, every
// notification sent to them, every source change, attach and detach and every
// change of the document's recorded data makes all cached blocks stale.
//
// Memory: every message to a channel's function runs under a memory owner of
// its own (MemoryOwnerOf), so the handles the function allocates for that
// channel can be counted. Computed functions have no dispose message, so the
// host does what it does with a zone: detaching disposes the local data handle
// and every other handle the function allocated through the host's memory
// services while serving that channel (its settings hung from the record).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include "host/param_block.h"
#include "toolbox/memory.h"
#include "vantor/records.h"

namespace host {

class Document;
struct Extension;

// Notification codes a computed function receives (message 14).
namespace notify {
inline constexpr std::int16_t kBlockSetup = 100;      // the block being sampled (block -1) is set up
inline constexpr std::int16_t kSamplingStarts = 101;
inline constexpr std::int16_t kSamplingEnds = 102;
inline constexpr std::int16_t kProtocolQuery = 8000;  // value: address of a u16; 4277 = understood
inline constexpr std::int16_t kEditSettings = 8010;   // value: address of the i16 channel, u16 result
inline constexpr std::int16_t kSourceChanged = 8011;  // value: channel | new source << 16
inline constexpr std::uint16_t kProtocolAnswer = 4277;
}  // namespace notify

class ComputedChannels {
 public:
  explicit ComputedChannels(Document& document);
  ~ComputedChannels();
  ComputedChannels(const ComputedChannels&) = delete;
  ComputedChannels& operator=(const ComputedChannels&) = delete;

  // False, with nothing attached, when the extension is not a computed
  // function, the channel does not exist or holds a function already, or
  // message 6 answered no handle. The extension must outlive the document.
  bool Attach(int channel, const Extension& function);
  void Detach(int channel);
  void DetachAll();

  bool IsComputed(int channel) const { return instances_.count(channel) != 0; }
  const Extension* FunctionOf(int channel) const;
  Handle LocalOf(int channel) const;
  // 0 when the channel holds no function.
  toolbox::MemoryOwner MemoryOwnerOf(int channel) const;
  // The computed channels, each after the computed channels it reads
  // (MatchesSource, message 16), so that sampling fills sources first.
  std::vector<int> InComputationOrder();

  // --- What a channel displays (block already resolved, not -1) -------------
  bool HasDisplayedData(int channel, int block);
  // Null when the channel shows nothing there (or the computation could not
  // get memory). Valid until the next change to the channels or the document.
  const std::vector<float>* DisplayedSamples(int channel, int block);
  vantor::ChannelScaling DisplayedScaling(int channel, int block);
  vantor::ChannelScaleInfo DisplayedInfo(int channel, int block);

  // --- Talking to the functions ---------------------------------------------
  // Sends a message to the channel's function with its local data at offset 0;
  // 0 when the channel holds none.
  std::int32_t Send(int channel, std::int16_t message, ParamBlock& block);
  // Notification (message 14) to every computed channel in computation order.
  void Notify(std::int16_t code, std::uint32_t value);
  // Opens the function's settings for the channel: notification 8010 when the
  // function understood 8000, else EditSettings (message 9). True when the
  // user accepted changes.
  bool EditSettings(int channel);
  // Tells the channel's function that its source is now `source`
  // (notification 8011); filed in the journal so that reopening repeats it.
  void ChangeSource(int channel, int source);
  // Notification 8011 alone, not filed (journal replay).
  void SendSourceChange(int channel, int source);

  // --- Cache --------------------------------------------------------------------
  void MarkStale() { ++generation_; }
  std::uint64_t generation() const { return generation_; }
  // Makes `samples` the channel's displayed samples of the block until stale
  // (what live sampling produced).
  void StoreDisplayed(int channel, int block, std::vector<float> samples);
  // How many times ComputeBlock ran (for tests of caching).
  std::uint64_t computations() const { return computations_; }

 private:
  struct CachedBlock {
    std::uint64_t generation = 0;
    std::uint64_t revision = 0;
    std::vector<float> samples;
  };
  struct Instance {
    const Extension* function = nullptr;
    Handle local = nullptr;
    toolbox::MemoryOwner owner = 0;
    bool takesNotifications = false;
    std::map<int, CachedBlock> cache;
  };

  // What the host is asking a channel's function about; asking again while
  // an answer is pending means channels read each other in a cycle.
  enum class Query : std::uint8_t { kHasData, kCompute, kInfo, kUnits };
  using BusyKey = std::tuple<Query, int, int>;
  class BusyGuard;

  Instance* Find(int channel);
  bool Fresh(const CachedBlock& cached) const;
  std::optional<std::vector<float>> Compute(int channel, int block);
  bool SendCompute(int channel, int block, Handle input, Handle output);
  bool AskHasData(int channel, int block);
  void SendNotification(int channel, std::int16_t code, std::uint32_t value);

  Document& document_;
  std::map<int, Instance> instances_;
  std::uint64_t generation_ = 1;
  std::uint64_t computations_ = 0;
  std::set<BusyKey> busy_;
};

}  // namespace host
