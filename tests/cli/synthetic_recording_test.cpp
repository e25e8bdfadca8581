// Synthetic recordings: the ground truth agrees with the signal it describes.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "breathing_model.h"
#include "synthetic_recording.h"

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
