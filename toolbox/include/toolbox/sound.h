// SysBeep without a speaker: each beep is recorded so that tests and the
// command line can tell that a user would have heard one.
#pragma once

#include <vector>

#include "toolbox/mac_types.h"

void SysBeep(SInt16 duration);

namespace toolbox {

// The durations of the beeps since the last ClearBeeps, oldest first.
const std::vector<SInt16>& RecordedBeeps();
void ClearBeeps();

}  // namespace toolbox
