// Host-wide state that services report to extensions (service 172).
#pragma once

#include <cstdint>

namespace host {

struct HostState {
  bool recording = false;         // selector 100: the host is sampling
  bool suppressWarnings = false;  // selector 101: unattended work, no warnings
  std::int16_t channelCount = 0;  // selector 1539: channels of the current document
  // Capability 58 (HostHasCapability): the user works in expert mode, where
  // phases carry detailed labels and a flow head's coefficients are typed
  // rather than measured with a syringe.
  bool expertMode = false;
};

HostState& State();

}  // namespace host
