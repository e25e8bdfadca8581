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

class MemorySwitches : public ::testing::TestWithParam<SwitchCase> {
 protected:
  void SetUp() override {
    savedScramble_ = Get("VANTOR_HEAP_SCRAMBLE");
    savedFail_ = Get("VANTOR_FAIL_ALLOC");
  }
  void TearDown() override {
    SetOrUnset("VANTOR_HEAP_SCRAMBLE", savedScramble_);
    SetOrUnset("VANTOR_FAIL_ALLOC", savedFail_);
    host::ApplyMemorySwitches();
  }

 private:
  std::optional<std::string> savedScramble_;
  std::optional<std::string> savedFail_;
};

TEST_P(MemorySwitches, AreReadFromTheEnvironment) {
  const SwitchCase& c = GetParam();
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

INSTANTIATE_TEST_SUITE_P(
    Values, MemorySwitches,
    ::testing::Values(SwitchCase{"1", "2", true, 2}, SwitchCase{"yes", "1", true, 1},
                      SwitchCase{"0", "0", false, 0}, SwitchCase{"", std::nullopt, false, 0},
                      SwitchCase{std::nullopt, "3", false, 3}));

}  // namespace
