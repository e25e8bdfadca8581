// Long work that extensions bracket with HostBeginBusy (155) and HostEndBusy
// (156), ticking HostBusyTick (153) once per block processed.
//
// Without a screen the host shows progress on its terminal: a spinner with
// the number of blocks done, on standard error, only when that is a terminal,
// redrawn at most ten times a second and wiped at the end. Calls are counted
// so tests and the command line can tell what an extension reported.
#pragma once

#include <cstdio>

namespace host {

struct BusyCounts {
  int begun = 0;     // HostBeginBusy calls
  int ended = 0;     // HostEndBusy calls that closed a bracket
  long ticks = 0;    // HostBusyTick calls, inside a bracket or not
  int depth = 0;     // brackets open now (nested brackets count once each)
};

const BusyCounts& Busy();

// Where progress goes and whether it is a terminal; by default standard error
// and isatty(). Tests point it at a file.
void SetBusyDisplay(std::FILE* stream, bool isTerminal);

}  // namespace host
