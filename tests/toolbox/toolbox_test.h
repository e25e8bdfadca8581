// The base of the toolbox's manager tests: unlocked blocks move on every
// allocation, the script queue starts and ends empty, no window outlives the
// test, and the fault switches are reset after it.
#pragma once

#include <gtest/gtest.h>

#include "toolbox/memory.h"
#include "toolbox/script.h"
#include "toolbox/windows.h"

namespace toolbox_test {

class ToolboxTest : public testing::Test {
 protected:
  void SetUp() override {
    scrambleWas_ = toolbox::HeapScrambleOn();
    toolbox::SetHeapScramble(true);
    toolbox::ClearScript();
  }
  void TearDown() override {
    EXPECT_EQ(GetWindowList(), nullptr) << "a test left a window";
    toolbox::ClearScript();
    toolbox::FailAllocationAfter(0);
    toolbox::SetHeapScramble(scrambleWas_);
  }

 private:
  bool scrambleWas_ = false;
};

}  // namespace toolbox_test
