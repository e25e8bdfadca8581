// vantor synth and vantor info, through the functions the command line calls.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "failure.h"
#include "host/document.h"
#include "host/edf_reader.h"
#include "host/recording_import.h"
#include "info_command.h"
#include "support/test_files.h"
#include "synth_command.h"
#include "synthetic_truth.h"

namespace {

// The recording that the parameters of a ground truth file make.
cli::SyntheticRecording Resynthesised(const nlohmann::json& truth) {
  std::string problem;
  const auto parameters = cli::ParametersFromTruth(truth, &problem);
  EXPECT_TRUE(parameters) << problem;
  auto again = cli::Synthesize(parameters.value_or(cli::SynthParameters{}), &problem);
  EXPECT_TRUE(again) << problem;
  return std::move(*again);
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

}  // namespace
