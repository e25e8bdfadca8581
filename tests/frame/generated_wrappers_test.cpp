// Every service listed with VANTOR_SERVICE is reachable through its generated
// wrapper: each argument arrives in its declared place, a data service gets
// the data object first, and the service's result comes back.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>

#include "frame/host_services.h"
#include "frame/recording_host.h"

using namespace spiro;

namespace {

// A value for argument position i, distinct from its neighbours of the same
// type so that two swapped arguments are seen.
template <class T>
T ArgumentAt(std::size_t i) {
  if constexpr (std::is_same_v<T, bool>) {
    return i % 2 == 0;
  } else if constexpr (std::is_same_v<T, Point>) {
    return Point{static_cast<std::int16_t>(i + 1), static_cast<std::int16_t>(-2 - int(i))};
  } else if constexpr (std::is_pointer_v<T>) {
    return reinterpret_cast<T>(static_cast<std::uintptr_t>(0x1000 * (i + 1)));
  } else if constexpr (std::is_floating_point_v<T>) {
    return static_cast<T>(i) + 0.25;
  } else if constexpr (std::is_signed_v<T>) {
    return static_cast<T>(-2 - static_cast<int>(i));
  } else {
    return static_cast<T>(i + 2);
  }
}

template <class R>
bool SameResult(const R& actual, const R& expected) {
  if constexpr (std::is_same_v<R, Rect>) {
    return std::memcmp(&actual, &expected, sizeof(Rect)) == 0;
  } else {
    return actual == expected;
  }
}

class GeneratedWrappers : public RecordingHost {
 protected:
  template <int Index, class R, class... Args, std::size_t... I>
  void ExpectForwards(R (&wrapper)(Args...), std::index_sequence<I...>) {
    std::vector<long double> expected = Arguments(ArgumentAt<Args>(I)...);
    if constexpr (frame::IsDataService<Index>()) {
      expected.insert(expected.begin(), Recorded(ResultOf<void*, 654>()));
    }
    if constexpr (std::is_void_v<R>) {
      wrapper(ArgumentAt<Args>(I)...);
    } else {
      EXPECT_TRUE(SameResult(wrapper(ArgumentAt<Args>(I)...), ResultOf<R, Index>()))
          << "the service's result is not returned";
    }
    EXPECT_TRUE(LastCallWas(Index, expected));
  }

  template <int Index, class R, class... Args>
  void ExpectForwards(const char* name, R (&wrapper)(Args...)) {
    SCOPED_TRACE(name);
    ExpectForwards<Index>(wrapper, std::index_sequence_for<Args...>{});
    ++checked_;
  }

  int checked_ = 0;
};

TEST_F(GeneratedWrappers, EachForwardsItsArgumentsInOrderAndReturnsTheResult) {
  int listed = 0;
#define VANTOR_SERVICE(index, name, ...) \
  ExpectForwards<index>(#name, name);    \
  ++listed;
#define VANTOR_RECORD_SERVICE(index, name, ...)
#include "vantor/service_list.inc"
#undef VANTOR_RECORD_SERVICE
#undef VANTOR_SERVICE
  EXPECT_EQ(checked_, listed);
  EXPECT_GT(listed, 100);
  EXPECT_EQ(CallCount(vantor::service::HostGetDataObject), 2)
      << "data services make the object once; one call is the wrapper of 654 itself";
}

TEST_F(GeneratedWrappers, TheDataObjectIsMadeWithOneBeforeTheFirstDataCall) {
  DataBlockLength(-1);
  ASSERT_EQ(Calls().size(), 2u);
  EXPECT_EQ(Calls().front().index, vantor::service::HostGetDataObject);
  EXPECT_EQ(Calls().front().arguments, Arguments(1));
}

}  // namespace
