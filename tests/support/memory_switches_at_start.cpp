// Every test executable obeys the environment's memory switches from its
// start, as the command line does (the sanitizer pass scrambles the heap).
#include "host/memory_switches.h"

namespace {

[[maybe_unused]] const bool kApplied = [] {
  host::ApplyMemorySwitches();
  return true;
}();

}  // namespace
