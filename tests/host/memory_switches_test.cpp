// The host reads the memory switches from the environment and sets the
// Toolbox's own: scrambling for any value but empty or "0", and the N-th
// allocation from the reading failing once.
#include "host/memory_switches.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>
#include <tuple>

#include "toolbox/memory.h"

namespace {

void SetOrUnset(const char* name, const std::optional<std::string>& value) {
  if (value) {
    setenv(name, value->c_str(), 1);
  } else {
    unsetenv(name);
  }
}

std::optional<std::string> Get(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

TEST(MemorySwitches, AreReadFromTheEnvironment) {
  const std::optional<std::string> savedScramble = Get("VANTOR_HEAP_SCRAMBLE");
  const std::optional<std::string> savedFail = Get("VANTOR_FAIL_ALLOC");
  // The two switches, whether the heap scrambles, the allocation that fails (0: none of the first three).
  using Switch = std::optional<std::string>;
  const std::tuple<Switch, Switch, bool, int> cases[] = {{"1", "2", true, 2},   {"yes", "1", true, 1},
                                                         {"0", "0", false, 0}, {"", std::nullopt, false, 0},
                                                         {std::nullopt, "3", false, 3}};
  for (const auto& [scramble, failAt, scrambles, failing] : cases) {
    SCOPED_TRACE(scramble.value_or("unset") + " / " + failAt.value_or("unset"));
    SetOrUnset("VANTOR_HEAP_SCRAMBLE", scramble);
    SetOrUnset("VANTOR_FAIL_ALLOC", failAt);
    host::ApplyMemorySwitches();
    EXPECT_EQ(toolbox::HeapScrambleOn(), scrambles);
    for (int n = 1; n <= 3; ++n) {
      Handle h = NewHandle(1);
      EXPECT_EQ(h == nullptr, n == failing) << "allocation " << n;
      if (h != nullptr) DisposeHandle(h);
    }
  }
  SetOrUnset("VANTOR_HEAP_SCRAMBLE", savedScramble);
  SetOrUnset("VANTOR_FAIL_ALLOC", savedFail);
  host::ApplyMemorySwitches();
}

}  // namespace
