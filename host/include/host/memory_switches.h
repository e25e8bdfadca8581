// The memory discipline switches, read from the environment by the programs
// that use the Toolbox (the host, `vantor`, the test executables) and set
// through the Memory Manager's own switches:
//   VANTOR_HEAP_SCRAMBLE  anything but empty or "0" moves unlocked blocks on
//                         every allocation;
//   VANTOR_FAIL_ALLOC=N   the N-th allocation from now fails (0 or unset: none).
#pragma once

namespace host {

// Reads both variables now and sets the switches; a later call reads again
// and starts the allocation count afresh.
void ApplyMemorySwitches();

}  // namespace host
