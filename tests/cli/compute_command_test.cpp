// vantor compute end to end: the built bundle's flow and volume functions on
// synthetic recordings whose truth is known.
#include <algorithm>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

#include "cli_suite.h"
#include "compute_command.h"
#include "host/recording_import.h"
#include "toolbox/memory.h"

namespace {

// channels.csv as columns of values in their units.
struct Table {
  std::vector<std::string> titles;  // "Spirometer [mV]"
  std::vector<std::vector<double>> columns;
};

// A synthetic recording's columns: the flow head's signal, then what is computed from it.
constexpr std::size_t kHeadColumn = 0;
constexpr std::size_t kFlowColumn = 1;
constexpr std::size_t kVolumeColumn = 2;

Table ReadTable(const std::string& path) {
  std::string problem;
  const auto r = host::ParseCsvRecording(ReadAll(path), &problem);
  EXPECT_TRUE(r) << path << ": " << problem;
  Table t;
  if (!r) return t;
  for (std::size_t c = 0; c < r->channels.size(); ++c) {
    t.titles.push_back(r->channels[c].label + " [" + r->channels[c].dimension + "]");
    t.columns.emplace_back();
    for (const host::RecordingSegment& s : r->segments) {
      for (float v : s.samples[c]) t.columns.back().push_back(static_cast<double>(v) * r->channels[c].unitsPerValue);
    }
  }
  return t;
}

class ComputeCommand : public BundleSuite {
 protected:
  static void SetUpTestSuite() {
    BundleSuite::SetUpTestSuite();
    Synth("noisy.edf", Imperfect(0.1, 0.002, 0.003));
    Synth("clean.edf", {});
  }
  static cli::ComputeOptions Options(const std::string& file, const std::string& out) {
    cli::ComputeOptions o;
    o.file = Temp(file);
    o.outDir = Temp(out);
    o.volume.noCorrection = true;
    return o;
  }
  static std::pair<int, std::string> Run(const cli::ComputeOptions& o) {
    return Quietly([&] { return cli::RunCompute(o, *bundle_); });
  }
  static Table Compute(const cli::ComputeOptions& o) {
    const auto [rc, error] = Run(o);
    EXPECT_EQ(rc, 0) << error;
    return ReadTable(o.outDir + "/channels.csv");
  }
};

// The ground truth's forced expiration at 100 Hz: start and end sample.
constexpr std::size_t kForcedStart = 2525;
constexpr std::size_t kForcedEnd = 3125;

// With drift correction, on a clean and a noisy head signal: the forced
// expiration's FVC, its FEV1, breathing that ends where it began, and on the
// clean one the true flow sample by sample.
TEST_F(ComputeCommand, FlowAndVolumeMatchTheTruthWithAndWithoutOffsetAndDrift) {
  std::string problem;
  const auto truth = cli::Synthesize(cli::SynthParameters{}, &problem);
  ASSERT_TRUE(truth) << problem;
  for (const char* file : {"clean.edf", "noisy.edf"}) {
    cli::ComputeOptions o = Options(file, std::string("truth-") + file);
    o.flow.drift = true;
    const Table t = Compute(o);
    ASSERT_EQ(t.titles, (std::vector<std::string>{"Spirometer [mV]", "Flow [L/s]", "Volume [L]"}));
    const auto& volume = t.columns[kVolumeColumn];
    ASSERT_EQ(volume.size(), truth->trueFlow.size());
    const double lowest = *std::min_element(volume.begin() + kForcedStart, volume.begin() + kForcedEnd + 1);
    EXPECT_NEAR(volume[kForcedStart] - lowest, 4.0, 0.04) << file;
    EXPECT_NEAR(volume[kForcedStart] - volume[kForcedStart + 100], 3.2, 0.02) << file;
    EXPECT_NEAR(volume.back(), volume.front(), 0.05) << file;
    if (std::string(file) != "clean.edf") continue;
    double worst = 0;
    double worstRaw = 0;
    for (std::size_t i = 0; i < truth->trueFlow.size(); ++i) {
      worst = std::max(worst, std::fabs(t.columns[kFlowColumn][i] - truth->trueFlow[i]));
      worstRaw = std::max(worstRaw, std::fabs(t.columns[kHeadColumn][i] - truth->millivolts[i]));
    }
    // One step of the EDF's digital grid is 10/32767 mV, 0.0004 L/s.
    EXPECT_LT(worst, 0.001);
    EXPECT_LT(worstRaw, 0.001) << "the recorded signal, in millivolts, beside the flow";
  }
}

TEST_F(ComputeCommand, OptionsReachTheFunctions) {
  const Table base = Compute(Options("clean.edf", "base"));
  cli::ComputeOptions doubled = Options("clean.edf", "doubled");
  doubled.flow.scale = 2 * 1.333;
  doubled.flow.nonlinearity = 0.006;
  const Table twice = Compute(doubled);
  EXPECT_NEAR(twice.columns[kFlowColumn][kForcedStart + 10], 2 * base.columns[kFlowColumn][kForcedStart + 10], 1e-4);
  cli::ComputeOptions straight = Options("clean.edf", "straight");
  straight.flow.linearise = false;
  const double peak = Compute(straight).columns[kFlowColumn][kForcedStart + 9];
  EXPECT_GT(std::fabs(peak), std::fabs(base.columns[kFlowColumn][kForcedStart + 9]) * 1.02);
  cli::ComputeOptions corrected = Options("clean.edf", "corrected");
  corrected.volume.noCorrection = false;
  corrected.volume.correctionFactor = 3;  // the function uses 2 and the user is told
  corrected.volume.thresholdLitres = 0.0;
  const auto [rc, warning] = Run(corrected);
  EXPECT_EQ(rc, 0) << warning;
  EXPECT_NE(warning.find("--correction-factor 3: the volume function takes 0.9 to 2 and uses 2"), std::string::npos)
      << warning;
  const Table halved = ReadTable(corrected.outDir + "/channels.csv");
  EXPECT_NEAR(halved.columns[kVolumeColumn][kForcedStart] - halved.columns[kVolumeColumn][kForcedEnd], 2.0, 0.02);
  cli::ComputeOptions reset = Options("clean.edf", "reset");
  reset.volume.resetAtInspiration = true;
  const Table zeroed = Compute(reset);
  const auto& r = zeroed.columns[kVolumeColumn];
  // Each inspiration starts from zero: the maximal one rises by 3/4 of the
  // FVC, the forced expiration then falls a whole FVC below it.
  EXPECT_NEAR(*std::max_element(r.begin(), r.end()), 3.0, 0.02);
  EXPECT_NEAR(*std::min_element(r.begin(), r.end()), -1.0, 0.02);
  EXPECT_NEAR(r.back(), 0, 0.01);
}

// A device that records flow in L/s with expiration positive: the recorded
// channel, inverted, is integrated as it is, sample by sample.
TEST_F(ComputeCommand, RecordedFlowIsIntegratedAsRecorded) {
  std::string problem;
  const auto truth = cli::Synthesize(cli::SynthParameters{}, &problem);
  ASSERT_TRUE(truth) << problem;
  {
    std::ofstream out(Temp("recorded_flow.csv"));
    out.precision(9);
    out << "Time [s],Airflow [L/s]\n";
    for (std::size_t i = 0; i < truth->trueFlow.size(); ++i) out << i * 0.01 << "," << -truth->trueFlow[i] << "\n";
  }
  cli::ComputeOptions o = Options("recorded_flow.csv", "recorded");
  o.flowChannel = 1;
  o.invert = {1};
  const Table t = Compute(o);
  ASSERT_EQ(t.titles, (std::vector<std::string>{"Airflow [L/s]", "Volume [L]"}));
  double sum = 0, worst = 0;
  for (std::size_t i = 0; i < t.columns[0].size(); ++i) {
    EXPECT_NEAR(t.columns[0][i], truth->trueFlow[i], 1e-5) << i;
    sum += t.columns[0][i] * 0.01;
    worst = std::max(worst, std::fabs(t.columns[1][i] - sum));
  }
  EXPECT_LT(worst, 1e-5);
}

// Every refusal is one line naming the file or the option. Settings no flow
// head or breath can have, and a recording that would be written over as it is
// read, are refused with exit 2 before anything is written.
TEST_F(ComputeCommand, RefusalsAreOneLineAndUsageComesBeforeAnyWriting) {
  std::ofstream(Temp("flow_only.csv")) << "Time [s],Flow [L/s]\n0,1\n0.01,2\n";
  std::ofstream(Temp("not_volts.csv")) << "Time [s],Spirometer [L/s]\n0,1\n0.01,2\n";
  std::ofstream(Temp("pressure.csv")) << "Time [s],Pressure [cmH2O]\n0,1\n0.01,2\n";
  using Spoil = void (*)(cli::ComputeOptions&);
  const std::tuple<Spoil, int, const char*> cases[] = {
      {[](cli::ComputeOptions& o) { o.file = Temp("flow_only.csv"); }, 1,
       ": no channel is a spirometer's (by its label or transducer type; channels: 1 \"Flow\"); name the flow "
       "head's channel with --flow-source\n"},
      {[](cli::ComputeOptions& o) { o.flowSource = 3; }, 1, ": --flow-source 3: the recording has channels 1..1\n"},
      {[](cli::ComputeOptions& o) { o.outDir = Temp("clean.edf"); }, 1, "clean.edf: cannot be made: "},
      {[](cli::ComputeOptions& o) { o.file = Temp("not_volts.csv"); }, 1, ": channel 1 is not a flow head's signal in volts\n"},
      {[](cli::ComputeOptions& o) { o.file = Temp("pressure.csv"); o.flowChannel = 1; }, 1,
       ": channel \"Pressure\" is in \"cmH2O\", not a flow unit"},
      {[](cli::ComputeOptions& o) { o.file = Temp("absent.edf"); }, 1, "absent.edf: no such file\n"},
      {[](cli::ComputeOptions& o) { o.flow.model = 2; o.flow.scale = 1; }, 2,
       ": --model and custom coefficients (--scale, --nonlinearity) exclude each other\n"},
      {[](cli::ComputeOptions& o) { o.flow.model = 6; }, 2, "--model 6: the flow-head model table has rows 1..5"},
      {[](cli::ComputeOptions& o) { o.flow.scale = 0; }, 2, "--scale 0"},
      {[](cli::ComputeOptions& o) { o.flow.scale = -1e308; }, 2, "--scale -1e+308"},
      {[](cli::ComputeOptions& o) { o.flow.scale = 1; o.flow.nonlinearity = std::nan(""); }, 2, "--nonlinearity nan"},
      {[](cli::ComputeOptions& o) { o.flow.zeroOffset = -HUGE_VAL; }, 2, "--zero-offset -inf"},
      {[](cli::ComputeOptions& o) { o.volume.thresholdRow = 99; }, 2,
       "--threshold-row 99: the correction threshold table has rows 1..5"},
      {[](cli::ComputeOptions& o) { o.volume.thresholdLitres = -0.1; }, 2, "--threshold-litres -0.1"},
      {[](cli::ComputeOptions& o) { o.volume.correctionFactor = std::nan(""); }, 2, "--correction-factor nan"},
      {[](cli::ComputeOptions& o) { o.flow.model = 0; }, 2, "--model must be a model number from 1"},
      {[](cli::ComputeOptions& o) { o.flow.nonlinearity = 0.01; }, 2, "--nonlinearity needs --scale"},
      {[](cli::ComputeOptions& o) { o.volume.thresholdRow = 2; o.volume.thresholdLitres = 0.3; }, 2,
       "--threshold-row and --threshold-litres exclude each other"},
      {[](cli::ComputeOptions& o) { o.flowChannel = 1; o.flow.drift = true; }, 2, "--flow-channel takes recorded flow"},
  };
  int k = 0;
  for (const auto& [spoil, exit, expected] : cases) {
    cli::ComputeOptions o = Options("clean.edf", "refused-" + std::to_string(++k));
    spoil(o);
    const auto [rc, error] = Run(o);
    EXPECT_EQ(rc, exit) << expected;
    EXPECT_EQ(error.rfind("vantor: ", 0), 0u) << error;
    EXPECT_NE(error.find(expected), std::string::npos) << error;
    EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 1) << error;
    EXPECT_TRUE(exit != 2 || !std::filesystem::exists(o.outDir)) << expected;
  }
  const auto [rc, error] = Quietly([] { return cli::RunCompute(Options("clean.edf", "x"), Temp("no_bundle")); });
  EXPECT_NE(rc, 0);
  EXPECT_EQ(error.rfind("vantor: " + Temp("no_bundle") + ": ", 0), 0u) << error;
  const Table first = Compute(Options("clean.edf", "inplace"));
  cli::ComputeOptions o = Options("inplace/channels.csv", "inplace");
  o.flowSource = 1;
  const auto [inPlace, refusal] = Run(o);
  EXPECT_EQ(inPlace, 2);
  EXPECT_NE(refusal.find("is the recording being read"), std::string::npos) << refusal;
  EXPECT_EQ(ReadTable(o.file).columns, first.columns);
}

// Memory running out at any allocation gives the same file, or a failure that
// says so and leaves the earlier file as it was.
TEST_F(ComputeCommand, EveryFailedAllocationGivesTheSameResultOrLeavesTheOldFile) {
  for (const bool live : {false, true}) {
    cli::ComputeOptions o = Options("noisy.edf", live ? "failing-live" : "failing");
    o.flow.drift = true;
    o.live = live;
    const Table reference = Compute(o);
    const std::string csv = o.outDir + "/channels.csv";
    int failures = 0;
    for (long n = 1;; ++n) {
      std::ofstream(csv) << "earlier\n";
      toolbox::FailAllocationAfter(n);
      const auto [rc, error] = Run(o);
      const bool reached = toolbox::AllocationsCounted() >= n;
      toolbox::FailAllocationAfter(0);
      if (rc == 0) {
        EXPECT_EQ(ReadTable(csv).columns, reference.columns) << "allocation " << n << (live ? " live" : "");
      } else {
        ++failures;
        EXPECT_NE(error.find("emory"), std::string::npos) << "allocation " << n << ": " << error;
        EXPECT_EQ(ReadAll(csv), "earlier\n") << "allocation " << n;
      }
      if (!reached) break;
      ASSERT_LT(n, 1000) << "allocations without end";
    }
    EXPECT_GE(failures, 3);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(o.outDir), {}), 1) << "no temporary file left";
  }
}

}  // namespace
