// vantor synth and vantor info, through the functions the command line calls,
// and synthetic recordings whose ground truth agrees with the signal it describes.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>

#include "breathing_model.h"
#include "failure.h"
#include "host/document.h"
#include "host/edf_reader.h"
#include "host/recording_import.h"
#include "info_command.h"
#include "support/test_files.h"
#include "synth_command.h"
#include "synthetic_recording.h"
#include "synthetic_truth.h"

namespace {

// The flow function's reading of a flow-head voltage, written out here on
// its own so that the synthesis is checked against the model, not itself.
double HeadReading(const cli::FlowHead& head, double u) {
  return u > 0 ? head.scale * u * (1 - head.nonlinearity * u) : head.scale * u * (1 + head.nonlinearity * u);
}

cli::SyntheticRecording Make(const cli::SynthParameters& p) {
  std::string problem;
  auto r = cli::Synthesize(p, &problem);
  EXPECT_TRUE(r) << problem;
  return r ? std::move(*r) : cli::SyntheticRecording{*cli::BreathingModel::Plan({}, nullptr), {}, {}, 0, {}};
}

// The recording that the parameters of a ground truth file make.
cli::SyntheticRecording Resynthesised(const nlohmann::json& truth) {
  std::string problem;
  const auto parameters = cli::ParametersFromTruth(truth, &problem);
  EXPECT_TRUE(parameters) << problem;
  return Make(parameters.value_or(cli::SynthParameters{}));
}

cli::SynthOptions Options(const std::string& name) {
  cli::SynthOptions o;
  o.out = Temp(name);
  o.parameters.zeroOffsetMillivolts = 0.2;
  o.parameters.driftMillivoltsPerSecond = -0.003;
  o.parameters.noiseMillivolts = 0.004;
  o.parameters.seed = 42;
  return o;
}

// The host opens the file as a spirometer channel holding exactly the
// samples the truth's parameters make, with the manoeuvre marked.
TEST(SynthCommand, WritesARecordingTheHostOpensAsASpirometerChannel) {
  const cli::SynthOptions o = Options("synth_open.edf");
  ASSERT_EQ(cli::RunSynth(o), 0);
  const auto truth = nlohmann::json::parse(ReadAll(Temp("synth_open.json")));
  EXPECT_EQ(truth["edfFile"], "synth_open.edf");
  host::Document d;
  std::string problem;
  ASSERT_TRUE(host::ImportRecordingFile(o.out, d, &problem)) << problem;
  ASSERT_EQ(d.channelCount(), 1);
  EXPECT_EQ(d.InputName(1), "Spirometer");
  const vantor::ChannelScaling& s = d.RecordedScaling(1, 1);
  EXPECT_EQ(s.calibrated, 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(s.info.baseUnitText + 1), s.info.baseUnitText[0]), "mV");
  const double range = truth["signal"]["physicalMaximum"].get<double>();
  EXPECT_DOUBLE_EQ(s.info.unitFactor, 32768 * range / 32767);
  EXPECT_EQ(d.BlockLength(1), truth["samples"].get<int>());
  EXPECT_DOUBLE_EQ(d.SamplingInterval(1), 0.01);
  const cli::SyntheticRecording again = Resynthesised(truth);
  const std::vector<float>& samples = d.RecordedSamples(1, 1);
  ASSERT_EQ(samples.size(), again.digital.size());
  for (std::size_t i = 0; i < samples.size(); ++i) {
    ASSERT_EQ(samples[i], static_cast<float>(again.digital[i]) / 32768.0f) << i;
  }
  const auto contents = host::ReadEdfFile(o.out, &problem);
  ASSERT_TRUE(contents) << problem;
  ASSERT_EQ(contents->annotations.size(), 2u);
  EXPECT_EQ(contents->annotations[1].text, "forced expiration");
  EXPECT_NEAR(contents->annotations[1].onsetSeconds, truth["forcedExpiration"]["startSeconds"].get<double>(), 1e-4);
}

// The recording shipped with the sources is what its ground truth describes.
TEST(SynthCommand, TheSampleRecordingIsWhatItsGroundTruthDescribes) {
  const std::string data = std::string(VANTOR_SOURCE_DIR) + "/data/";
  const auto truth = nlohmann::json::parse(ReadAll(data + "sample.json"));
  EXPECT_EQ(truth["edfFile"], "sample.edf");
  const cli::SyntheticRecording expected = Resynthesised(truth);
  std::string problem;
  const auto contents = host::ReadEdfFile(data + "sample.edf", &problem);
  ASSERT_TRUE(contents) << problem;
  ASSERT_EQ(contents->signals.front().label, "Spirometer");
  EXPECT_EQ(contents->digital.front(), expected.digital);
  EXPECT_DOUBLE_EQ(contents->signals.front().physicalMaximum, expected.rangeMillivolts);
}

TEST(SynthCommand, FailuresAreOneLineAndExitNonZero) {
  cli::SynthOptions bad = Options("synth_bad.edf");
  bad.parameters.breathing.fev1Litres = 5;
  const std::pair<cli::SynthOptions, std::string> cases[] = {
      {bad, "vantor: synth: FEV1 must be above 0 and below FVC\n"},
      {Options("no_such_folder/x.edf"), "vantor: " + Temp("no_such_folder/x.edf") + ": cannot be written\n"},
      {Options("clash.json"), "vantor: " + Temp("clash.json") + ": the recording cannot have the ground truth's name (.json)\n"},
  };
  for (const auto& [options, line] : cases) {
    ::testing::internal::CaptureStderr();
    EXPECT_NE(cli::RunSynth(options), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), line);
  }
  EXPECT_FALSE(std::ifstream(Temp("synth_bad.edf")).good());
}

TEST(CommandFailure, AnEscapingExceptionBecomesTheFailureLine) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(cli::Guarded("huge.edf", []() -> int { throw std::bad_alloc(); }), cli::kFailureExit);
  EXPECT_EQ(cli::Guarded("x.csv", []() -> int { throw std::invalid_argument("no block 0"); }), cli::kFailureExit);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "vantor: huge.edf: out of memory\nvantor: x.csv: no block 0\n");
}

TEST(InfoCommand, ShowsGapsBetweenBlocks) {
  const std::string path = Temp("gaps.csv");
  std::ofstream(path) << "Time [s],Flow [L/s]\n0,1\n0.5,2\n1,3\n4,4\n4.5,5\n";
  host::Document d;
  std::string problem;
  ASSERT_TRUE(host::ImportRecordingFile(path, d, &problem)) << problem;
  char buffer[2048] = {};
  std::FILE* out = fmemopen(buffer, sizeof buffer - 1, "w");
  cli::PrintDocumentInfo(d, out);
  std::fclose(out);
  const std::string text = buffer;
  for (const char* line : {"unit L/s", "blocks: 2", "duration: 2.500 s recorded",
                           "1904-01-01 00:00:04.000         2 samples at 2 Hz  1.000 s  (after a gap of 2.500 s)"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
  }
  ::testing::internal::CaptureStderr();
  EXPECT_NE(cli::RunInfo(Temp("absent.edf")), 0);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "vantor: " + Temp("absent.edf") + ": no such file\n");
}

// Litres that flow between two times, by the trapezoid rule over the samples.
double Integrate(const cli::SynthParameters& p, const std::vector<double>& flow, double from, double to) {
  const auto first = static_cast<std::size_t>(std::ceil(from * p.rateHz));
  const auto last = static_cast<std::size_t>(std::floor(to * p.rateHz));
  double litres = 0;
  for (std::size_t i = first; i < last && i + 1 < flow.size(); ++i) litres += 0.5 * (flow[i] + flow[i + 1]) / p.rateHz;
  return litres;
}

class Manoeuvre : public ::testing::TestWithParam<cli::BreathingParameters> {};

TEST_P(Manoeuvre, ForcedExpirationExpiresFvcAndFev1InTheFirstSecond) {
  cli::SynthParameters p;
  p.breathing = GetParam();
  p.rateHz = 200;
  const auto r = Make(p);
  const cli::BreathingPhase& forced = r.model.forcedExpiration();
  const double fvc = -Integrate(p, r.trueFlow, forced.startSeconds, forced.endSeconds);
  const double fev1 = -Integrate(p, r.trueFlow, forced.startSeconds, forced.startSeconds + 1);
  EXPECT_NEAR(fvc, p.breathing.fvcLitres, 0.005 * p.breathing.fvcLitres);
  EXPECT_NEAR(fev1, p.breathing.fev1Litres, 0.005 * p.breathing.fev1Litres);
  EXPECT_NEAR(r.model.VolumeAt(forced.startSeconds) - r.model.VolumeAt(forced.startSeconds + 1), p.breathing.fev1Litres, 1e-9);
  // Every breath in is breathed out again: the recording ends at rest.
  EXPECT_NEAR(Integrate(p, r.trueFlow, 0, r.model.phases().back().endSeconds), 0, 0.002);
  EXPECT_EQ(r.model.VolumeAt(1e9), 0);
}

INSTANTIATE_TEST_SUITE_P(People, Manoeuvre,
                         ::testing::Values(cli::BreathingParameters{},
                                           cli::BreathingParameters{45, 2.5, 1.2, 0.35, 20},
                                           cli::BreathingParameters{90.5, 5.8, 5.2, 0.8, 8}),
                         [](const ::testing::TestParamInfo<cli::BreathingParameters>& p) {
                           return "Fvc" + std::to_string(static_cast<int>(p.param.fvcLitres * 10)) + "dl";
                         });

TEST(SyntheticVoltage, ReadsBackAsTheTrueFlowThroughTheFlowHead) {
  cli::SynthParameters p;
  p.head = {0.5, 0.02};
  p.zeroOffsetMillivolts = -0.4;
  p.driftMillivoltsPerSecond = 0.01;
  const auto r = Make(p);
  double worst = 0;
  for (std::size_t i = 0; i < r.trueFlow.size(); ++i) {
    const double t = cli::SampleTime(p, i);
    const double u = r.millivolts[i] - p.zeroOffsetMillivolts - p.driftMillivoltsPerSecond * t;
    worst = std::max(worst, std::fabs(HeadReading(p.head, u) - r.trueFlow[i]));
  }
  EXPECT_LT(worst, 1e-9);
}

TEST(SyntheticNoise, IsReproducibleBySeed) {
  cli::SynthParameters p;
  p.noiseMillivolts = 0.05;
  p.seed = 7;
  const auto a = Make(p);
  EXPECT_EQ(a.digital, Make(p).digital);
  p.seed = 8;
  EXPECT_NE(a.digital, Make(p).digital);
}

TEST(SynthesisRefuses, WhatNoPersonOrFlowHeadCouldProduce) {
  const std::pair<std::function<void(cli::SynthParameters&)>, const char*> cases[] = {
      {[](auto& p) { p.breathing.fev1Litres = 4.5; }, "FEV1 must be above 0 and below FVC"},
      {[](auto& p) { p.breathing.fev1Litres = 3.98; }, "FEV1 must lie between"},
      {[](auto& p) { p.breathing.tidalLitres = 3.5; }, "tidal volume must be above 0"},
      {[](auto& p) { p.breathing.breathsPerMinute = 0; }, "breaths per minute"},
      {[](auto& p) { p.breathing.seconds = 15; }, "the manoeuvre needs at least 23 s"},
      {[](auto& p) { p.rateHz = 99.5; }, "rate must be a whole number of Hz"},
      {[](auto& p) { p.head.scale = 0; }, "flow-head scale must be above 0"},
      {[](auto& p) { p.noiseMillivolts = -1; }, "noise a number of at least 0"},
      {[](auto& p) { p.head.nonlinearity = 0.1; }, "is beyond the flow head's range (3.332500 L/s"},
      {[](auto& p) { p.zeroOffsetMillivolts = 1e9; }, "an EDF physical range can state"},
  };
  for (const auto& [spoil, expected] : cases) {
    cli::SynthParameters p;
    spoil(p);
    std::string problem;
    EXPECT_FALSE(cli::Synthesize(p, &problem)) << expected;
    EXPECT_NE(problem.find(expected), std::string::npos) << problem;
  }
}

}  // namespace
