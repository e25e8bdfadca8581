// Watching one service of the real host's table: a ServiceSpy replaces the
// entry for its lifetime, records every call's arguments, answers with a
// behaviour given by the test (or a value-initialised result, or the
// replaced service's own answer with kCallThrough) and puts the
// entry back when it goes. All spies share one log of service indices in
// call order, so a test can assert the sequence across services. Spies of
// one service nest: an inner one hides the outer until it goes (and must not
// call the outer's entry, which now leads back to the inner).
#pragma once

#include <functional>
#include <tuple>
#include <type_traits>
#include <vector>

#include "host/service_table.h"
#include "vantor/service_table.h"
#include "vantor/services.h"

// Asks a spy to pass every call on to the service it replaced.
struct CallThrough {};
inline constexpr CallThrough kCallThrough{};

inline std::vector<int>& SpiedCallOrder() {
  static std::vector<int> order;
  return order;
}

template <int Index, class Fn = vantor::ServiceFn<Index>>
class ServiceSpy;

template <int Index, class R, class... Args>
class ServiceSpy<Index, R (*)(Args...)> {
 public:
  using Call = std::tuple<std::decay_t<Args>...>;
  using Behaviour = std::function<R(Args...)>;

 private:
  struct SpyState {
    std::vector<Call> calls;
    Behaviour behaviour;
  };

 public:
  explicit ServiceSpy(Behaviour behaviour = {})
      : saved_(host::Services().entries[Index]), outer_(std::move(State())) {
    State() = SpyState{{}, std::move(behaviour)};
    vantor::SetService<Index>(host::Services(), &Entry);
  }
  explicit ServiceSpy(CallThrough)
      : ServiceSpy(Behaviour(vantor::ServiceAt<Index>(host::Services()))) {}
  ~ServiceSpy() {
    host::Services().entries[Index] = saved_;
    State() = std::move(outer_);
  }
  ServiceSpy(const ServiceSpy&) = delete;
  ServiceSpy& operator=(const ServiceSpy&) = delete;

  const std::vector<Call>& calls() const { return State().calls; }
  std::size_t count() const { return State().calls.size(); }
  const Call& last() const { return State().calls.back(); }

 private:
  static SpyState& State() {
    static SpyState state;
    return state;
  }
  static R Entry(Args... arguments) {
    State().calls.emplace_back(arguments...);
    SpiedCallOrder().push_back(Index);
    if (State().behaviour) return State().behaviour(arguments...);
    if constexpr (!std::is_void_v<R>) return R{};
  }

  vantor::ServiceEntry saved_;
  SpyState outer_;
};

// A spy on the service named by its constant: Spy<vantor::service::HostService84>.
template <int Index>
using Spy = ServiceSpy<Index>;
