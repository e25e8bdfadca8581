// The analysis on synthetic recordings of known truth, through the bundle's
// own flow and volume functions: tidal breathing, a forced manoeuvre, noise.
#include <gtest/gtest.h>

#include <algorithm>

#include "analysis_fixture.h"
#include "frame/host_services_host.h"
#include "host/alerts.h"
#include "synthetic_recording.h"

using namespace spiro;

namespace spirotest {
namespace {

struct SynthCase {
  const char* name;
  double fvc;
  double fev1;
  double tidal;
  double breathsPerMinute;
  double noiseMillivolts;
  std::uint64_t seed;
};

class AnalysisAccuracyTest : public AnalysisTest, public ::testing::WithParamInterface<SynthCase> {
 protected:
  // The recording as its EDF file gives it to the host: digital values over
  // a symmetric physical range.
  cli::SyntheticRecording Synthesize() {
    const SynthCase& c = GetParam();
    cli::SynthParameters p;
    p.breathing.fvcLitres = c.fvc;
    p.breathing.fev1Litres = c.fev1;
    p.breathing.tidalLitres = c.tidal;
    p.breathing.breathsPerMinute = c.breathsPerMinute;
    p.noiseMillivolts = c.noiseMillivolts;
    p.seed = c.seed;
    std::string problem;
    auto recording = cli::Synthesize(p, &problem);
    EXPECT_TRUE(recording.has_value()) << problem;
    std::vector<float> values;
    for (const std::int16_t d : recording->digital) values.push_back(static_cast<float>(d) / 32768.0f);
    MakeRecording({values}, 32768.0 * recording->rangeMillivolts / cli::kSynthDigitalMaximum);
    AttachFlowAndVolume();
    SubmitFlag(Volume(), 8194, kVolumeChannel, false);  // no expiratory correction
    // What the extension learns once the host has named its computed functions.
    NewRecord();
    rec().flowFunctionId = HostService572(kFlowChannel);
    rec().volumeFunctionId = HostService572(kVolumeChannel);
    return std::move(*recording);
  }
};

TEST_P(AnalysisAccuracyTest, FindsEveryBreathAndTheForcedIndices) {
  const cli::SyntheticRecording truth = Synthesize();
  const auto& r = AnalyseAll();
  ASSERT_EQ(r.analysisStatus, spirometry::kAnalysisValid) << r.messageCode;
  EXPECT_TRUE(host::Alerts().empty()) << "no clipping warning for computed channels";
  const int tidal = truth.model.tidalBreathsBefore() + truth.model.tidalBreathsAfter();
  EXPECT_EQ(r.expirationCount, tidal + 1);
  EXPECT_EQ(r.inspirationCount, tidal + 1);

  // The forced expiration is the one chosen, in time with the truth.
  const cli::BreathingPhase& forced = truth.model.forcedExpiration();
  const double dt = r.timeFormat.samplingInterval;
  const auto trimmed = static_cast<double>(truth.trueFlow.size() - static_cast<std::size_t>(r.sampleCount));
  ASSERT_GE(r.forcedStartIndex, 0);
  EXPECT_LE(r.forcedStartIndex * dt, forced.startSeconds);
  EXPECT_GE((r.forcedStartIndex + trimmed) * dt, forced.startSeconds);

  const auto within = [](double value, double expected, double part, double floor) {
    return std::abs(value - expected) <= std::max(part * std::abs(expected), floor);
  };
  const SynthCase& c = GetParam();
  EXPECT_PRED4(within, r.fvc, c.fvc, 0.03, 0.050);
  EXPECT_PRED4(within, r.fev1, c.fev1, 0.03, 0.050);
  const auto [lowest, highest] = std::minmax_element(truth.trueFlow.begin(), truth.trueFlow.end());
  EXPECT_PRED4(within, r.peakExpiratoryFlow, -*lowest, 0.05, 0.0);
  EXPECT_PRED4(within, r.peakInspiratoryFlow, *highest, 0.05, 0.0);
}

INSTANTIATE_TEST_SUITE_P(
    People, AnalysisAccuracyTest,
    ::testing::Values(SynthCase{"Typical", 4.0, 3.2, 0.5, 15, 0.01, 1},
                      SynthCase{"Small", 2.2, 1.5, 0.35, 20, 0.005, 7},
                      SynthCase{"Large", 5.8, 4.9, 0.8, 12, 0.02, 23}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace spirotest
