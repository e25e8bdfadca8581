// Drawing a 16000-sample analysis (the most the analysis keeps) into the
// three windows and printing the report page, each step timed on its own.
// Each benchmark reports x_polyline: its best time over the best time of
// drawing one plain 16000-point polyline into the same kind of port, timed in
// the same process just before.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "extension/spiro_records.h"
#include "frame/host_services.h"
#include "host/alerts.h"
#include "host/host_context.h"
#include "host/output_jobs.h"
#include "host/service_table.h"
#include "spirometry/report_drawing.h"
#include "spirometry/window_content.h"
#include "spirometry/window_output.h"
#include "toolbox/memory.h"
#include "toolbox/quickdraw.h"
#include "toolbox/script.h"

using namespace spiro;

namespace {

using spirometry::LocalDataType;

constexpr std::int32_t kSamples = 16000;
constexpr Rect kWindow{0, 0, 400, 640};

using Clock = std::chrono::steady_clock;

Handle Bytes(const void* data, std::size_t size) {
  Handle h = HostNewHandle(static_cast<std::uint32_t>(size));
  std::memcpy(*h, data, size);
  return h;
}

struct Analysis {
  Analysis() {
    SetHostServiceTable(host::ServicesAddress());
    std::vector<float> flow(kSamples);
    std::vector<float> volume(kSamples);
    std::vector<spirometry::BreathPhase> phases{{0, 0, 0, -32768.0f, 0}};
    double v = 0;
    for (std::int32_t i = 0; i < kSamples; ++i) {
      flow[static_cast<std::size_t>(i)] = static_cast<float>(0.4 * std::sin(i * 2 * M_PI / 400.0));
      v -= static_cast<double>(flow[static_cast<std::size_t>(i)]) * 0.01;
      volume[static_cast<std::size_t>(i)] = static_cast<float>(v);
      if (i > 0 && i % 200 == 0) phases.push_back({i, static_cast<std::uint8_t>(i % 400 == 0), i == 8000, 0.5f, 0.3f});
    }
    LocalDataType d{};
    d.flowSamples = Bytes(flow.data(), flow.size() * sizeof(float));
    d.volumeSamples = Bytes(volume.data(), volume.size() * sizeof(float));
    d.phases = Bytes(phases.data(), phases.size() * sizeof(spirometry::BreathPhase));
    d.phaseCount = static_cast<std::int16_t>(phases.size());
    d.sampleCount = kSamples;
    d.flowMin = -0.4f;
    d.flowMax = 0.4f;
    d.volumeMin = static_cast<float>(*std::min_element(volume.begin(), volume.end()));
    d.volumeMax = static_cast<float>(*std::max_element(volume.begin(), volume.end()));
    d.flowScaling.calibrated = 1;
    d.flowScaling.gain = 10;
    d.flowScaling.info.unitFactor = 1;
    d.volumeScaling = d.flowScaling;
    d.timeFormat.samplingInterval = 0.01;
    d.timeFormat.displayInterval = 0.01;
    d.timeFormat.displayPrecision = 2;
    d.flowChannel = 1;
    d.volumeChannel = 2;
    d.fev1 = 3.1;
    d.fvc = 4.0;
    d.forcedStartIndex = 8000;
    d.forcedEndIndex = 8400;
    d.peakInspiratoryIndex = 100;
    d.peakExpiratoryIndex = 300;
    d.volumeToLitres = 1.0;
    d.flowToLitresPerSecond = 1.0;
    d.reportGraph = 2;
    std::vector<unsigned char> labels{0, 28};
    for (int row = 1; row <= 28; ++row) {
      const std::string label = "Row " + std::to_string(row);
      labels.push_back(static_cast<unsigned char>(label.size()));
      labels.insert(labels.end(), label.begin(), label.end());
    }
    d.reportTextList = Bytes(labels.data(), labels.size());
    spirometry::SpiroDataWindowRecord data{};
    data.common.kind = spirometry::kDataWindow;
    data.redraw = 1;
    d.windowRecords[0] = Bytes(&data, sizeof data);
    spirometry::SpiroPlotWindowRecord plot{};
    plot.common.kind = spirometry::kPlotWindow;
    plot.redraw = 1;
    plot.plotOption = 1;
    d.windowRecords[1] = Bytes(&plot, sizeof plot);
    spirometry::SpiroWindowRecord report{};
    report.kind = spirometry::kReportWindow;
    d.windowRecords[2] = Bytes(&report, sizeof report);
    document = reinterpret_cast<LocalDataType**>(Bytes(&d, sizeof d));
    HLock(reinterpret_cast<Handle>(document));
  }
  LocalDataType** document = nullptr;
};

Analysis& Shared() {
  static Analysis analysis;
  return analysis;
}

// A port of the window's size, emptied before each drawing.
struct Port {
  Port() {
    port = CreateNewPort();
    SetPortBounds(port, &kWindow);
    SetPort(port);
  }
  ~Port() {
    SetPort(nullptr);
    DisposePort(port);
  }
  CGrafPtr port;
};

void Polyline(const std::vector<Point>& points) {
  MoveTo(points.front().h, points.front().v);
  for (const Point& p : points) LineTo(p.h, p.v);
}

double PolylineNanoseconds() {
  static const double best = [] {
    std::vector<Point> points;
    for (int i = 0; i < kSamples; ++i) {
      points.push_back(Point{static_cast<SInt16>(200 + 150 * std::sin(i * 2 * M_PI / 400.0)),
                             static_cast<SInt16>(50 + i * 580 / kSamples)});
    }
    Port port;
    double fastest = 1e300;
    for (int r = 0; r < 20; ++r) {
      toolbox::ClearDisplayList(port.port);
      const auto start = Clock::now();
      Polyline(points);
      fastest = std::min(fastest, std::chrono::duration<double, std::nano>(Clock::now() - start).count());
    }
    return fastest;
  }();
  return best;
}

template <class Step>
void TimeStep(benchmark::State& state, Step&& step) {
  const double baseline = PolylineNanoseconds();
  Port port;
  double best = 1e300;
  for (auto _ : state) {
    toolbox::ClearDisplayList(port.port);
    const auto start = Clock::now();
    step();
    best = std::min(best, std::chrono::duration<double, std::nano>(Clock::now() - start).count());
  }
  state.counters["x_polyline"] = best / baseline;
}

void DrawKind(benchmark::State& state, std::int16_t kind) {
  LocalDataType** document = Shared().document;
  TimeStep(state, [&] {
    Handle record = (*document)->windowRecords[kind - 1];
    HLock(record);
    DrawWindowContent(kWindow, true, 1, *reinterpret_cast<spirometry::SpiroWindowRecord*>(*record), **document);
    HUnlock(record);
  });
}

void BM_DataWindow(benchmark::State& state) { DrawKind(state, spirometry::kDataWindow); }
void BM_FlowVolumeLoop(benchmark::State& state) { DrawKind(state, spirometry::kPlotWindow); }
void BM_Report(benchmark::State& state) { DrawKind(state, spirometry::kReportWindow); }

// The whole report print: the page procedure through the host's job, the
// page rendered to PDF.
void BM_PrintReportPage(benchmark::State& state) {
  LocalDataType** document = Shared().document;
  host::SetAlertsQuiet(true);
  host::CurrentOutputSetup() = {"/tmp/bench_window_drawing.pdf", false};
  TimeStep(state, [&] {
    void* job = HostService640(reinterpret_cast<Handle>(document), &DrawReportPage);
    HostService643(job, 1, false, reinterpret_cast<const unsigned char*>("\x06" "Report"));
  });
  host::ResetHostContext();
}

BENCHMARK(BM_DataWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FlowVolumeLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Report)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintReportPage)->Unit(benchmark::kMillisecond);

}  // namespace
