// The host reads the memory switches from the environment and sets the
// Toolbox's own: scrambling for any value but empty or "0", and the N-th
// allocation from the reading failing once.
#include "host/memory_switches.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>

#include "toolbox/memory.h"

namespace {

struct SwitchCase {
  std::optional<std::string> scramble;
  std::optional<std::string> failAt;
  bool scrambles;
  int failingAllocation;  // 0: none of the first three
};

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
  const SwitchCase cases[] = {{"1", "2", true, 2}, {"yes", "1", true, 1}, {"0", "0", false, 0},
                              {"", std::nullopt, false, 0}, {std::nullopt, "3", false, 3}};
  for (const SwitchCase& c : cases) {
    SCOPED_TRACE(c.scramble.value_or("unset") + " / " + c.failAt.value_or("unset"));
    SetOrUnset("VANTOR_HEAP_SCRAMBLE", c.scramble);
    SetOrUnset("VANTOR_FAIL_ALLOC", c.failAt);
    host::ApplyMemorySwitches();
    EXPECT_EQ(toolbox::HeapScrambleOn(), c.scrambles);
    for (int n = 1; n <= 3; ++n) {
      Handle h = NewHandle(1);
      EXPECT_EQ(h == nullptr, n == c.failingAllocation) << "allocation " << n;
      if (h != nullptr) DisposeHandle(h);
    }
  }
  SetOrUnset("VANTOR_HEAP_SCRAMBLE", savedScramble);
  SetOrUnset("VANTOR_FAIL_ALLOC", savedFail);
  host::ApplyMemorySwitches();
}

}  // namespace
