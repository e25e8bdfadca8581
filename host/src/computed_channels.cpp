// Attaching computed functions to channels and talking to them.
#include "host/computed_channels.h"

#include <algorithm>
#include <cstring>

#include "host/bundle.h"
#include "host/command_delivery.h"
#include "host/command_journal.h"
#include "host/document.h"
#include "host/extension_locals.h"
#include "host/host_context.h"
#include "host/memory_zones.h"
#include "host/service_table.h"

namespace host {
namespace {

// Owners of their own for every attached instance, apart from the hostRefs
// (1..32767) that whole extensions are counted under.
struct InstanceOwners {
  toolbox::MemoryOwner last = 0x10000;
};

toolbox::MemoryOwner NextInstanceOwner() { return ++ProcessState<InstanceOwners>().last; }

// A scratch value in the low arena whose address travels in a u32.
template <class T>
class LowValue {
 public:
  explicit LowValue(T initial) : p_(static_cast<T*>(toolbox::LowAlloc(sizeof(T)))) { *p_ = initial; }
  ~LowValue() { toolbox::LowFree(p_); }
  LowValue(const LowValue&) = delete;
  LowValue& operator=(const LowValue&) = delete;
  T value() const { return *p_; }
  std::uint32_t address() const { return toolbox::ToU32(p_); }

 private:
  T* p_;
};

}  // namespace

ComputedChannels::ComputedChannels(Document& document) : document_(document) {}

ComputedChannels::~ComputedChannels() { DetachAll(); }

ComputedChannels::Instance* ComputedChannels::Find(int channel) {
  const auto it = instances_.find(channel);
  return it == instances_.end() ? nullptr : &it->second;
}

const Extension* ComputedChannels::FunctionOf(int channel) const {
  const auto it = instances_.find(channel);
  return it == instances_.end() ? nullptr : it->second.function;
}

Handle ComputedChannels::LocalOf(int channel) const {
  const auto it = instances_.find(channel);
  return it == instances_.end() ? nullptr : it->second.local;
}

toolbox::MemoryOwner ComputedChannels::MemoryOwnerOf(int channel) const {
  const auto it = instances_.find(channel);
  return it == instances_.end() ? 0 : it->second.owner;
}

bool ComputedChannels::Attach(int channel, const Extension& function) {
  if (function.kind != vantor::kComputedFunctionKind || !document_.IsChannel(channel) ||
      IsComputed(channel)) {
    return false;
  }
  const toolbox::MemoryOwner owner = NextInstanceOwner();
  instances_[channel] = Instance{&function, nullptr, owner, false, {}};
  ParamBlock block;
  block.Set<vantor::computed::NewLocalDataBlock::Channel>(static_cast<std::int16_t>(channel));
  Handle local = toolbox::FromU32<Ptr>(static_cast<std::uint32_t>(Send(channel, vantor::computed::kNewLocalData, block)));
  if (local == nullptr) {
    instances_.erase(channel);
    DisposeHandlesOf(owner);
    return false;
  }
  instances_[channel].local = local;
  LowValue<std::uint16_t> answer(0);
  SendNotification(channel, notify::kProtocolQuery, answer.address());
  if (Instance* instance = Find(channel)) {
    instance->takesNotifications = answer.value() == notify::kProtocolAnswer;
  }
  MarkStale();
  return true;
}

void ComputedChannels::Detach(int channel) {
  const auto it = instances_.find(channel);
  if (it == instances_.end()) return;
  const Instance gone = std::move(it->second);
  instances_.erase(it);
  DisposeHandlesOf(gone.owner);
  // A record the function made without the host's services.
  if (toolbox::IsLiveHandle(gone.local)) DisposeHandle(gone.local);
  MarkStale();
}

void ComputedChannels::DetachAll() {
  while (!instances_.empty()) Detach(instances_.begin()->first);
}

std::int32_t ComputedChannels::Send(int channel, std::int16_t message, ParamBlock& block) {
  const Instance* instance = Find(channel);
  if (instance == nullptr) return 0;
  const Extension* function = instance->function;
  block.SetLocal(instance->local);
  ScopedCurrentDocument current(document_);
  toolbox::ScopedMemoryOwner scope(instance->owner);
  return function->entry(message, block.data(), ServicesAddress());
}

void ComputedChannels::SendNotification(int channel, std::int16_t code, std::uint32_t value) {
  ParamBlock block;
  using F = vantor::computed::HandleNotificationBlock;
  block.Set<F::Code>(code).Set<F::Value>(value);
  Send(channel, vantor::computed::kHandleNotification, block);
}

void ComputedChannels::Notify(std::int16_t code, std::uint32_t value) {
  for (int channel : InComputationOrder()) SendNotification(channel, code, value);
  MarkStale();
}

std::vector<int> ComputedChannels::InComputationOrder() {
  std::vector<int> pending;
  for (const auto& [channel, instance] : instances_) pending.push_back(channel);
  // reads[x] holds the computed channels whose displayed samples x reads.
  std::map<int, std::vector<int>> reads;
  for (int x : pending) {
    for (int y : pending) {
      if (x == y) continue;
      ParamBlock block;
      constexpr std::int16_t kReadsComputed = 0;
      using F = vantor::computed::MatchesSourceBlock;
      block.Set<F::Channel>(static_cast<std::int16_t>(y)).Set<F::Kind>(kReadsComputed);
      if (Send(x, vantor::computed::kMatchesSource, block) == 1) reads[x].push_back(y);
    }
  }
  std::vector<int> order;
  while (!pending.empty()) {
    const auto ready = std::find_if(pending.begin(), pending.end(), [&](int x) {
      return std::none_of(reads[x].begin(), reads[x].end(), [&](int y) {
        return std::find(pending.begin(), pending.end(), y) != pending.end();
      });
    });
    // A cycle has no order: the rest go by channel number.
    const auto next = ready != pending.end() ? ready : pending.begin();
    order.push_back(*next);
    pending.erase(next);
  }
  return order;
}

bool ComputedChannels::EditSettings(int channel) {
  const Instance* instance = Find(channel);
  if (instance == nullptr) return false;
  bool accepted;
  if (instance->takesNotifications) {
    LowValue<std::int16_t> request(static_cast<std::int16_t>(channel));
    SendNotification(channel, notify::kEditSettings, request.address());
    accepted = static_cast<std::uint16_t>(request.value()) == 1;
  } else {
    ParamBlock block;
    block.Set<vantor::computed::EditSettingsBlock::Channel>(static_cast<std::int16_t>(channel));
    accepted = Send(channel, vantor::computed::kEditSettings, block) == 1;
  }
  MarkStale();
  return accepted;
}

void ComputedChannels::ChangeSource(int channel, int source) {
  const Instance* instance = Find(channel);
  if (instance == nullptr) return;
  JournalEntry entry;
  entry.kind = JournalEntry::Kind::kSourceChange;
  entry.entryName = instance->function->entryName;
  entry.extension = instance->function->name;
  entry.index = channel;
  const auto value = static_cast<std::int16_t>(source);
  entry.values.resize(sizeof value);
  std::memcpy(entry.values.data(), &value, sizeof value);
  entry.depth = static_cast<std::uint16_t>(DeliveryDepth());
  document_.journal().Append(std::move(entry));
  SendSourceChange(channel, source);
}

void ComputedChannels::SendSourceChange(int channel, int source) {
  if (Find(channel) == nullptr) return;
  const std::uint32_t value = (static_cast<std::uint32_t>(channel) & 0xFFFF) |
                              (static_cast<std::uint32_t>(source) << 16);
  SendNotification(channel, notify::kSourceChanged, value);
  MarkStale();
  document_.extensions().SendMenuCommand(vantor::general::kInvalidateAnalysis, 0, 0);
}

}  // namespace host
