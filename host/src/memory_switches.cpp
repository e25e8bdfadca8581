#include "host/memory_switches.h"

#include <cstdlib>
#include <string_view>

#include "toolbox/memory.h"

namespace host {

void ApplyMemorySwitches() {
  const char* scramble = std::getenv("VANTOR_HEAP_SCRAMBLE");
  toolbox::SetHeapScramble(scramble != nullptr && *scramble != '\0' &&
                           std::string_view(scramble) != "0");
  const char* fail = std::getenv("VANTOR_FAIL_ALLOC");
  toolbox::FailAllocationAfter(fail != nullptr ? std::strtol(fail, nullptr, 10) : 0);
}

}  // namespace host
