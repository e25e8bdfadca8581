// The host's process-wide state in one context. Every service module keeps
// its state in a slot here, typed by a struct of its own, instead of in a
// static of its own: ResetHostContext can then give a test the session a
// fresh process starts with, while what loaded bundles and live objects hold
// (kProcess) stays.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace host {

enum class Lifetime { kSession, kProcess };

class HostContext {
 public:
  template <class State>
  State& Get(Lifetime lifetime) {
    const std::size_t index = SlotIndex<State>();
    if (index >= slots_.size()) slots_.resize(index + 1);
    Slot& slot = slots_[index];
    if (slot.state == nullptr) {
      slot.state = Owned(new State(), [](void* state) { delete static_cast<State*>(state); });
      slot.lifetime = lifetime;
    }
    return *static_cast<State*>(slot.state.get());
  }

  // Session states go back to how a fresh process finds them.
  void ResetSession();

 private:
  using Owned = std::unique_ptr<void, void (*)(void*)>;
  struct Slot {
    Owned state{nullptr, nullptr};
    Lifetime lifetime = Lifetime::kSession;
  };

  static std::size_t NextSlotIndex();
  // One slot per state type, numbered on first use.
  template <class State>
  static std::size_t SlotIndex() {
    static const std::size_t index = NextSlotIndex();
    return index;
  }

  std::vector<Slot> slots_;
};

HostContext& Context();

// What the user and the extensions leave behind in one session.
template <class State>
State& SessionState() {
  return Context().Get<State>(Lifetime::kSession);
}

// What loaded bundles, documents and live objects hold for the process's life.
template <class State>
State& ProcessState() {
  return Context().Get<State>(Lifetime::kProcess);
}

// Forgets the session: alerts, busy state, finished output jobs and pending
// output requests, placeholder calls, the host state, remembered window
// placements, command delivery's nesting and the resource files saved by
// extensions. Loaded bundles, their menus, documents and live objects stay.
void ResetHostContext();

}  // namespace host
