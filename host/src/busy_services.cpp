// Busy services (153, 155, 156), see host/busy.h.
//
// Brackets nest: the display starts with the outermost HostBeginBusy and is
// wiped by the matching HostEndBusy; an HostEndBusy without a bracket open is
// ignored. The tick's argument (15 from every caller) is not used.
#include <chrono>
#include <cstdio>

#include <unistd.h>

#include "host/busy.h"
#include "host/host_context.h"
#include "host/service_table.h"
#include "vantor/services.h"

namespace host {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr char kSpinner[] = {'|', '/', '-', '\\'};

struct BusyState {
  BusyCounts counts;
  long bracketTicks = 0;
  Clock::time_point lastDrawn{};
  bool drawn = false;
  std::FILE* stream = stderr;
  bool isTerminal = isatty(STDERR_FILENO) != 0;
};

BusyState& Instance() { return SessionState<BusyState>(); }

void Draw(BusyState& state) {
  const auto now = Clock::now();
  if (state.drawn && now - state.lastDrawn < kRedrawInterval) return;
  std::fprintf(state.stream, "\rworking %c %ld", kSpinner[state.bracketTicks % 4], state.bracketTicks);
  std::fflush(state.stream);
  state.lastDrawn = now;
  state.drawn = true;
}

void Wipe(BusyState& state) {
  if (!state.drawn) return;
  std::fprintf(state.stream, "\r\x1b[K");
  std::fflush(state.stream);
  state.drawn = false;
}

void BeginBusyService() {
  BusyState& state = Instance();
  ++state.counts.begun;
  if (state.counts.depth++ == 0) state.bracketTicks = 0;
}

void BusyTickService(std::int16_t /*unused*/) {
  BusyState& state = Instance();
  ++state.counts.ticks;
  if (state.counts.depth == 0) return;
  ++state.bracketTicks;
  if (state.isTerminal) Draw(state);
}

void EndBusyService() {
  BusyState& state = Instance();
  if (state.counts.depth == 0) return;
  ++state.counts.ended;
  if (--state.counts.depth == 0) Wipe(state);
}

}  // namespace

const BusyCounts& Busy() { return Instance().counts; }

void SetBusyDisplay(std::FILE* stream, bool isTerminal) {
  BusyState& state = Instance();
  Wipe(state);
  state.stream = stream != nullptr ? stream : stderr;
  state.isTerminal = isTerminal;
}

void InstallBusyServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<HostBusyTick>(table, &BusyTickService);
  vantor::SetService<HostBeginBusy>(table, &BeginBusyService);
  vantor::SetService<HostEndBusy>(table, &EndBusyService);
}

}  // namespace host
