// Throughput of the computed functions: flow and volume over 1-million-sample
// blocks against memcpy of the same buffers and a plain loop, and the cost of
// computing every block of a 100-block stretch through the host, where each
// volume block goes on from the state the block before it left.
//
// Each benchmark reports x_memcpy (its best time over memcpy's best on the
// same buffers), x_one_pass (over both transforms run straight over the
// stretch's samples) or x_last_block (over the host computing the stretch's
// last volume block alone, which integrates the whole stretch in one
// message); the baselines are timed in the same process just before.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "computed/flow_computation.h"
#include "computed/flow_object.h"
#include "computed/flow_sample_correction.h"
#include "computed/sample_block.h"
#include "computed/volume_integration.h"
#include "frame/host_services.h"
#include "host/bundle.h"
#include "host/computed_channels.h"
#include "host/document.h"
#include "host/service_table.h"
#include "toolbox/memory.h"

using namespace spiro;

namespace {

constexpr std::int32_t kBlockSamples = 1'000'000;
constexpr double kInterval = 0.01;

// Breathing through a flow head: slow sine breaths with a little noise.
std::vector<float> HeadSignal(std::int32_t n) {
  std::vector<float> samples(static_cast<std::size_t>(n));
  std::uint32_t noise = 12345;
  for (std::int32_t i = 0; i < n; ++i) {
    noise = noise * 1664525u + 1013904223u;
    const double jitter = (static_cast<double>(noise >> 8) / 16777216.0 - 0.5) * 0.002;
    samples[static_cast<std::size_t>(i)] =
        static_cast<float>(0.4 * std::sin(i * 2 * M_PI / 400.0) + jitter);
  }
  return samples;
}

using Clock = std::chrono::steady_clock;

template <class Work>
double BestNanoseconds(Work&& work, int repeats) {
  double best = 1e300;
  for (int r = 0; r < repeats; ++r) {
    const auto start = Clock::now();
    work();
    best = std::min(best, std::chrono::duration<double, std::nano>(Clock::now() - start).count());
  }
  return best;
}

// Runs the benchmark loop on `work` and reports its best time per iteration
// over the baseline's best as `counter` (best times: the machine is shared,
// and the fastest run is the one least disturbed).
template <class Work>
void RunAgainst(benchmark::State& state, double baselineNs, const char* counter, Work&& work) {
  double best = 1e300;
  for (auto _ : state) {
    const auto start = Clock::now();
    work();
    best = std::min(best, std::chrono::duration<double, std::nano>(Clock::now() - start).count());
  }
  state.counters[counter] = best / baselineNs;
}

struct SampleBuffers {
  std::vector<float> in = HeadSignal(kBlockSamples);
  std::vector<float> out = std::vector<float>(static_cast<std::size_t>(kBlockSamples));
  double MemcpyNanoseconds() {
    return BestNanoseconds(
        [&] {
          std::memcpy(out.data(), in.data(), in.size() * sizeof(float));
          benchmark::ClobberMemory();
        },
        20);
  }
};

void SetThroughput(benchmark::State& state) {
  state.SetItemsProcessed(state.iterations() * kBlockSamples);
  state.SetBytesProcessed(state.iterations() * kBlockSamples * 2 *
                          static_cast<std::int64_t>(sizeof(float)));
}

void BM_Memcpy(benchmark::State& state) {
  SampleBuffers buffers;
  for (auto _ : state) {
    std::memcpy(buffers.out.data(), buffers.in.data(), buffers.in.size() * sizeof(float));
    benchmark::ClobberMemory();
  }
  SetThroughput(state);
}
BENCHMARK(BM_Memcpy);

// A plain per-sample loop with a multiply and an add: the floor of any transform.
void BM_ReferenceLoop(benchmark::State& state) {
  SampleBuffers buffers;
  const double memcpyNs = buffers.MemcpyNanoseconds();
  RunAgainst(state, memcpyNs, "x_memcpy", [&] {
    const float* in = buffers.in.data();
    float* out = buffers.out.data();
    for (std::int32_t i = 0; i < kBlockSamples; ++i) out[i] = in[i] * 1.5f + 0.25f;
    benchmark::ClobberMemory();
  });
  SetThroughput(state);
}
BENCHMARK(BM_ReferenceLoop);

// The flow function's block path into a locked output handle: offset and
// linearisation (argument 0) or with a drift line as well (argument 1).
void BM_FlowComputeBlock(benchmark::State& state) {
  SetHostServiceTable(host::ServicesAddress());
  SampleBuffers buffers;
  const double memcpyNs = buffers.MemcpyNanoseconds();
  RespFlowSettings settings = flow::DefaultSettings(2);
  settings.correctionActive = 1;
  settings.valueOffset = 0.002;
  settings.valueNonlinearity = 0.06;
  const DriftLine drift = state.range(0) != 0 ? DriftLine{1e-9, -0.001} : DriftLine{0.0, 0.0};
  Handle output = NewHandle(kBlockSamples * static_cast<Size>(sizeof(float)));
  {
    const LockedSamples out(output);
    RunAgainst(state, memcpyNs, "x_memcpy", [&] {
      WriteFlowSamples(buffers.in.data(), kBlockSamples, out, 0, kBlockSamples, settings, drift);
      benchmark::ClobberMemory();
    });
  }
  DisposeHandle(output);
  SetThroughput(state);
}
BENCHMARK(BM_FlowComputeBlock)->Arg(0)->Arg(1);

// Integration is serial (each sample adds to the last); argument 1 turns on
// the expiratory correction and the reset at inspiration.
void BM_VolumeComputeBlock(benchmark::State& state) {
  SampleBuffers buffers;
  const double memcpyNs = buffers.MemcpyNanoseconds();
  const bool corrections = state.range(0) != 0;
  const VolumeIntegrationCoefficients coefficients{kInterval * 13.33, 0.0,        1.0, 1.09, 0.15,
                                                   corrections,       corrections};
  RunAgainst(state, memcpyNs, "x_memcpy", [&] {
    VolumeRunningState running = kRestartedVolume;
    IntegrateVolumeSamples(coefficients, running, buffers.in.data(), buffers.out.data(), 0,
                           kBlockSamples);
    benchmark::ClobberMemory();
  });
  SetThroughput(state);
}
BENCHMARK(BM_VolumeComputeBlock)->Arg(0)->Arg(1);

// --- A 100-block stretch through the host ------------------------------------

constexpr int kStretchBlocks = 100;
// Short blocks show the fixed cost of each block's messages; the host's
// longest block is what an import makes of a long recording.
constexpr std::int32_t kShortBlock = 1000;
constexpr std::int32_t kLongestBlock = 32767;

struct HostedStretch {
  std::int32_t blockSamples;
  std::unique_ptr<host::Bundle> bundle;
  host::Document document;
  std::string error;

  explicit HostedStretch(std::int32_t samplesPerBlock)
      : blockSamples(samplesPerBlock), bundle(host::Bundle::Load(host::DefaultBundlePath(), &error)) {
    document.AddChannel("Flow head", "Spirometer");
    document.AddChannel("Flow", "");
    document.AddChannel("Volume", "");
    const std::vector<float> signal = HeadSignal(kStretchBlocks * blockSamples);
    vantor::ChannelScaling scaling = host::DefaultScaling();
    std::memcpy(scaling.info.baseUnitText, "\x02mV", 3);
    scaling.info.rawFactor = scaling.info.unitFactor = 10.0;
    for (int b = 0; b < kStretchBlocks; ++b) {
      const int block = document.AddBlock(kInterval, 3.0e9 + b * blockSamples * kInterval, blockSamples);
      const auto first = signal.begin() + static_cast<std::ptrdiff_t>(b) * blockSamples;
      document.SetSamples(1, block, std::vector<float>(first, first + blockSamples));
      document.SetScaling(1, block, scaling);
    }
    host::SetCurrentDocument(&document);
  }
  ~HostedStretch() {
    document.computed().DetachAll();
    host::SetCurrentDocument(nullptr);
  }
  HostedStretch(const HostedStretch&) = delete;
  HostedStretch& operator=(const HostedStretch&) = delete;

  bool Attach() {
    if (bundle == nullptr) return false;
    const host::Extension* flowFunction = bundle->Find("Main3");
    const host::Extension* volumeFunction = bundle->Find("Main5");
    if (!document.computed().Attach(2, *flowFunction) ||
        !document.computed().Attach(3, *volumeFunction)) {
      return false;
    }
    document.computed().ChangeSource(2, 1);
    document.computed().ChangeSource(3, 2);
    return true;
  }

  std::size_t ComputeEveryBlock(int channel) {
    document.computed().MarkStale();
    std::size_t samples = 0;
    for (int b = 1; b <= kStretchBlocks; ++b) {
      const std::vector<float>* computed = document.computed().DisplayedSamples(channel, b);
      samples += computed != nullptr ? computed->size() : 0;
    }
    return samples;
  }
};

// Baseline: the whole stretch through both transforms in one pass.
double OnePassNanoseconds(std::int32_t blockSamples) {
  const std::vector<float> in = HeadSignal(kStretchBlocks * blockSamples);
  std::vector<float> flow(in.size());
  std::vector<float> volume(in.size());
  const auto n = static_cast<std::int32_t>(in.size());
  return BestNanoseconds(
      [&] {
        CorrectFlowSamples(in.data(), flow.data(), 0, n, {0.002, 0.06}, {0.0, 0.0});
        VolumeRunningState running = kRestartedVolume;
        IntegrateVolumeSamples({kInterval * 13.33, 0.0, 1.0, 1.09, 0.15, true, false}, running,
                               flow.data(), volume.data(), 0, n);
        benchmark::ClobberMemory();
      },
      20);
}

// Argument 2: flow channel only; 3: the volume channel (and the flow it reads).
void BM_StretchEveryBlock(benchmark::State& state) {
  HostedStretch stretch(kShortBlock);
  if (!stretch.Attach()) {
    state.SkipWithError(("cannot attach the functions: " + stretch.error).c_str());
    return;
  }
  const int channel = static_cast<int>(state.range(0));
  if (stretch.ComputeEveryBlock(channel) != static_cast<std::size_t>(kStretchBlocks * kShortBlock)) {
    state.SkipWithError("the stretch computed no samples");
    return;
  }
  RunAgainst(state, OnePassNanoseconds(kShortBlock), "x_one_pass",
             [&] { benchmark::DoNotOptimize(stretch.ComputeEveryBlock(channel)); });
  state.SetItemsProcessed(state.iterations() * kStretchBlocks * kShortBlock);
}
BENCHMARK(BM_StretchEveryBlock)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

// Every volume block in order against the last block alone: both compute
// every flow block and integrate the whole stretch once, so the ratio is what
// asking block by block adds. The argument is the samples per block.
void BM_VolumeBlockByBlock(benchmark::State& state) {
  HostedStretch stretch(static_cast<std::int32_t>(state.range(0)));
  if (!stretch.Attach()) {
    state.SkipWithError(("cannot attach the functions: " + stretch.error).c_str());
    return;
  }
  constexpr int kVolume = 3;
  const auto lastBlockAlone = [&] {
    stretch.document.computed().MarkStale();
    benchmark::DoNotOptimize(stretch.document.computed().DisplayedSamples(kVolume, kStretchBlocks));
  };
  const auto everyVolumeBlock = [&] {
    stretch.document.computed().MarkStale();
    for (int b = 1; b <= kStretchBlocks; ++b) {
      benchmark::DoNotOptimize(stretch.document.computed().DisplayedSamples(kVolume, b));
    }
  };
  RunAgainst(state, BestNanoseconds(lastBlockAlone, 20), "x_last_block", everyVolumeBlock);
  state.SetItemsProcessed(state.iterations() * kStretchBlocks * state.range(0));
}
BENCHMARK(BM_VolumeBlockByBlock)->Arg(kShortBlock)->Arg(kLongestBlock)->Unit(benchmark::kMillisecond);

}  // namespace
