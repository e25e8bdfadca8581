// vantor analyse on a 16000-sample recording (the most the analysis keeps):
// the whole job (compute, analyse, draw the three windows, copy, print)
// against computing the channels alone, both timed in this process. The
// counter x_compute is the job's best time over compute's best.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include <fcntl.h>
#include <unistd.h>

#include "analyse_command.h"
#include "compute_command.h"
#include "synth_command.h"

namespace {

using Clock = std::chrono::steady_clock;

// Standard output is silenced while a command runs.
class Silenced {
 public:
  Silenced() : saved_(dup(STDOUT_FILENO)) {
    std::fflush(stdout);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    close(null);
  }
  ~Silenced() {
    std::fflush(stdout);
    dup2(saved_, STDOUT_FILENO);
    close(saved_);
  }

 private:
  int saved_;
};

struct Recording {
  Recording() {
    cli::SynthOptions synth;
    synth.out = "/tmp/bench_analyse.edf";
    synth.parameters.breathing.seconds = 160;
    synth.parameters.noiseMillivolts = 0.003;
    std::string problem;
    bundle = host::Bundle::Load(VANTOR_DEFAULT_BUNDLE_FOR_BENCH, &problem);
    Silenced quiet;
    ok = bundle != nullptr && cli::RunSynth(synth) == 0;
    options.compute.file = synth.out;
    options.compute.outDir = "/tmp/bench_analyse";
    options.compute.volume.noCorrection = true;
  }
  std::unique_ptr<host::Bundle> bundle;
  cli::AnalyseOptions options;
  bool ok = false;
};

Recording& Shared() {
  static Recording recording;
  return recording;
}

double Best(benchmark::State* state, int repeats, const auto& work) {
  double best = 1e300;
  const auto once = [&] {
    Silenced quiet;
    const auto start = Clock::now();
    work();
    best = std::min(best, std::chrono::duration<double, std::nano>(Clock::now() - start).count());
  };
  if (state != nullptr) {
    for (auto _ : *state) once();
  } else {
    for (int r = 0; r < repeats; ++r) once();
  }
  return best;
}

double ComputeNanoseconds() {
  static const double best = Best(nullptr, 20, [] { cli::RunCompute(Shared().options.compute, *Shared().bundle); });
  return best;
}

void BM_Compute(benchmark::State& state) {
  if (!Shared().ok) return state.SkipWithError("no bundle or recording");
  state.counters["x_compute"] = Best(&state, 0, [] { cli::RunCompute(Shared().options.compute, *Shared().bundle); }) /
                                ComputeNanoseconds();
}

void BM_Analyse(benchmark::State& state) {
  if (!Shared().ok) return state.SkipWithError("no bundle or recording");
  const double baseline = ComputeNanoseconds();
  state.counters["x_compute"] =
      Best(&state, 0, [] { cli::RunAnalyse(Shared().options, *Shared().bundle); }) / baseline;
}

}  // namespace

BENCHMARK(BM_Compute)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Analyse)->Unit(benchmark::kMillisecond);
