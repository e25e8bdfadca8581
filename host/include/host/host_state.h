// Host-wide state that services report to extensions (service 172).
#pragma once

#include <cstdint>

namespace host {

struct HostState {
  bool recording = false;         // selector 100: the host is sampling
  bool suppressWarnings = false;  // selector 101: unattended work, no warnings
  std::int16_t channelCount = 0;  // selector 1539: channels of the current document
};

HostState& State();

}  // namespace host
