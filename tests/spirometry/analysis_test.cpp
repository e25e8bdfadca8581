#include <gtest/gtest.h>

#include "analysis_fixture.h"
#include "host/alerts.h"
#include "host/host_state.h"
#include "toolbox/memory.h"

namespace spirotest {
namespace {

using spirometry::kAnalysisValid;

constexpr double kDt = kSamplingInterval;

// Six tidal breaths of 0.5 L.
std::vector<BreathPart> Tidal(int breaths = 6) {
  std::vector<BreathPart> parts;
  for (int i = 0; i < breaths; ++i) {
    parts.push_back({1.5, 0.5});
    parts.push_back({2.5, -0.5});
  }
  return parts;
}

std::vector<BreathPart> TidalThenForced(double forcedSeconds, double forcedLitres) {
  auto parts = Tidal();
  parts.push_back({2.0, forcedLitres});
  parts.push_back({forcedSeconds, -forcedLitres});
  parts.push_back({2.0, 0.5});
  parts.push_back({2.5, -0.5});
  return parts;
}

TEST_F(AnalysisTest, TidalBreathingThenForcedExpiration) {
  Record(Breathe(TidalThenForced(3.0, 3.5), kDt, kGain));
  const auto& r = AnalyseAll();
  ASSERT_EQ(r.analysisStatus, kAnalysisValid);
  EXPECT_EQ(r.expirationCount, 8);
  EXPECT_EQ(r.inspirationCount, 8);
  const auto phases = Phases();
  ASSERT_EQ(r.phaseCount, 17);  // the sentinel and 16 boundaries
  EXPECT_EQ(phases[0].sampleIndex, 0);
  EXPECT_EQ(phases[0].volumeChange, spirometry::kSentinelVolumeChange);
  // Each boundary is the last sample before the flow leaves the no-flow band
  // in the new direction.
  const auto* flow = reinterpret_cast<const float*>(*r.flowSamples);
  const auto leaves = [&](std::size_t at, bool inspiring) {
    return std::fabs(flow[at]) > r.flowThreshold && (flow[at] > 0) == inspiring;
  };
  for (std::size_t p = 1; p + 1 < phases.size(); ++p) {
    const auto at = static_cast<std::size_t>(phases[p].sampleIndex);
    EXPECT_TRUE(leaves(at + 1, phases[p].direction == 1)) << "phase " << p;
    EXPECT_FALSE(leaves(at, phases[p].direction == 1)) << "phase " << p;
  }
  // The forced expiration is the 14th phase, with the inspiration before it.
  EXPECT_EQ(phases[14].forced, 1);
  EXPECT_EQ(phases[13].forced, 1);
  EXPECT_EQ(phases[12].forced, 0);
  EXPECT_EQ(r.forcedStartIndex, phases[13].sampleIndex);
  EXPECT_EQ(r.forcedEndIndex, phases[14].sampleIndex);
  EXPECT_NEAR(r.fvc, 3.5, 0.02);
  // The first second runs from where the flow leaves the no-flow band.
  const auto* volume = reinterpret_cast<const float*>(*r.volumeSamples);
  const auto start = static_cast<std::size_t>(r.forcedStartIndex);
  EXPECT_NEAR(r.fev1, static_cast<double>(volume[start] - volume[start + 100]) * kGain, 1e-4);
  EXPECT_NEAR(r.fev1, 3.5 * 0.25, 0.1);
  EXPECT_NEAR(r.tidalVolume, 0.5, 0.02);
  EXPECT_NEAR(r.breathFrequency, 1.0 / 4.0, 0.01);
  EXPECT_NEAR(r.peakExpiratoryFlow, std::numbers::pi * 3.5 / 6.0, 0.01);
}

struct ForcedCase {
  const char* name;
  std::vector<BreathPart> parts;
  bool forced;      // a forced expiration is found
  bool withFev1;    // it lasts over a second within the data
};

class ForcedExpirationTest : public AnalysisTest,
                             public ::testing::WithParamInterface<ForcedCase> {};

TEST_P(ForcedExpirationTest, ChoosesAndMeasures) {
  Record(Breathe(GetParam().parts, kDt, kGain));
  const auto& r = AnalyseAll();
  ASSERT_EQ(r.analysisStatus, kAnalysisValid);
  if (!GetParam().forced) {
    EXPECT_EQ(std::make_tuple(r.fvc, r.fev1, r.forcedStartIndex, r.forcedEndIndex), std::make_tuple(0.0, 0.0, -1, -1));
    return;
  }
  EXPECT_GT(r.fvc, 0.3);
  EXPECT_GE(r.forcedEndIndex, r.forcedStartIndex);
  EXPECT_EQ(r.fev1 > 0.0, GetParam().withFev1);
  EXPECT_GE(r.fev1, 0.0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ForcedExpirationTest,
    ::testing::Values(
        ForcedCase{"OnlyTidal", Tidal(), false, false},
        ForcedCase{"OneExpiration", {{1.5, 0.6}, {2.5, -0.6}, {1.5, 0.6}}, true, true},
        ForcedCase{"ShortForced", TidalThenForced(0.8, 2.0), true, false}),
    [](const auto& p) { return std::string(p.param.name); });

// The limit keeps the first 16000 samples and warns; one sample less does not.
TEST_F(AnalysisTest, SelectionLimitedTo16000Samples) {
  Record(Breathe(Tidal(45), kDt, kGain));
  for (const std::int64_t length : {16000, 16001}) {
    const auto& r = Analyse(0, length);
    ASSERT_EQ(r.analysisStatus, kAnalysisValid);
    EXPECT_EQ(r.messageCode, length > 16000 ? spirometry::kCodeSelectionLimited : 0);
    EXPECT_LE(r.sampleCount, 16000);
    EXPECT_GT(r.sampleCount, 15000);
  }
}

struct UnitCase {
  const char* flowUnit;
  const char* volumeUnit;
  double flowFactor;
  double volumeFactor;
};

class UnitFactorTest : public AnalysisTest, public ::testing::WithParamInterface<UnitCase> {};

TEST_P(UnitFactorTest, ConvertsToLitres) {
  Record(Breathe(Tidal(), kDt, kGain), GetParam().flowUnit, GetParam().volumeUnit);
  const auto& r = AnalyseAll();
  ASSERT_EQ(r.analysisStatus, kAnalysisValid);
  EXPECT_DOUBLE_EQ(r.flowToLitresPerSecond, GetParam().flowFactor);
  EXPECT_DOUBLE_EQ(r.volumeToLitres, GetParam().volumeFactor);
  EXPECT_NEAR(r.tidalVolume, 0.5 * GetParam().volumeFactor, 0.02 * GetParam().volumeFactor);
}

INSTANTIATE_TEST_SUITE_P(Units, UnitFactorTest,
                         ::testing::Values(UnitCase{"ml/min", "ml", 0.001 / 60.0, 0.001},
                                           UnitCase{"l/sec", "L", 1.0, 1.0},
                                           UnitCase{"L/min", "l", 1.0 / 60.0, 1.0},
                                           UnitCase{"mL/s", "mL", 0.001, 0.001}));

TEST_F(AnalysisTest, ChannelsWithoutFlowOrVolumeUnitsAreRefused) {
  Record(Breathe(Tidal(), kDt, kGain), "mV", "L");
  EXPECT_EQ(AnalyseAll().messageCode, spirometry::kCodeNoFlowChannel);
  Record(Breathe(Tidal(), kDt, kGain), "L/s", "cmH2O");
  const auto& r = AnalyseAll();
  EXPECT_EQ(r.analysisStatus, spirometry::kAnalysisRefused);
  EXPECT_EQ(r.messageCode, spirometry::kCodeNoVolumeChannel);
  EXPECT_EQ(r.flowSamples, nullptr);
}

// Recorded flow at its converter's limit warns once, unless the host works
// unattended; the analysis goes on either way.
TEST_F(AnalysisTest, ClippedFlowWarnsUnlessWarningsAreSuppressed) {
  for (const bool suppressed : {false, true}) {
    Record(Breathe(Tidal(), kDt, kGain));
    document().SetClipLevels(kFlowChannel, {-0.05f, 0.05f});
    host::State().suppressWarnings = suppressed;
    host::ClearAlerts();
    EXPECT_EQ(AnalyseAll().analysisStatus, kAnalysisValid);
    host::State().suppressWarnings = false;
    EXPECT_EQ(Alerted("The selection contains clipped data: flow and volume may be underestimated."),
              !suppressed);
  }
}

// A volume that wrapped round the converter's range during an expiration
// is shifted back by the full range.
TEST_F(AnalysisTest, WrappedPhaseVolumeIsCorrected) {
  Breathing b = Breathe(Tidal(), kDt, kGain);
  Record(b);
  AnalyseAll();
  const auto plain = Phases();
  const std::size_t from = static_cast<std::size_t>(plain[3].sampleIndex) + 100;  // within an expiration
  for (std::size_t i = from; i < b.volume.size(); ++i) b.volume[i] += 0.9765625f;
  Record(b);
  AnalyseAll();
  const auto wrapped = Phases();
  ASSERT_EQ(wrapped.size(), plain.size());
  ASSERT_EQ(plain[4].direction, 1);  // the phase ending at record 5 is an expiration
  EXPECT_NEAR(wrapped[4].volumeChange, plain[4].volumeChange, 1e-4);
  EXPECT_GT(wrapped[4].volumeChange, 0.0f);
}

// A calibrated flow offset is taken out before the zero crossings are sought.
TEST_F(AnalysisTest, FlowOffsetIsRemoved) {
  Breathing b = Breathe(Tidal(), kDt, kGain);
  constexpr double kOffset = 0.2;  // L/s shown for raw 0
  for (float& f : b.flow) f -= static_cast<float>(kOffset / kGain);
  Record(b);
  document().SetScaling(kFlowChannel, 1, UnitScaling("L/s", kGain, kOffset));
  const auto& r = AnalyseAll();
  ASSERT_EQ(r.analysisStatus, kAnalysisValid);
  EXPECT_EQ(r.expirationCount, 6);
  EXPECT_EQ(r.flowScaling.offset, 0.0);
  EXPECT_NEAR(r.peakExpiratoryFlow, std::numbers::pi * 0.5 / 5.0, 0.01);
}

// Block 2 is sampled every `dt` and so starts a stretch of its own.
class SecondBlockTest : public AnalysisTest {
 protected:
  void MakeTwoBlocks(double dt) {
    const Breathing first = Breathe(Tidal(), kDt, kGain);
    Record(first);
    const Breathing second = Breathe(Tidal(), dt, kGain);
    const int block = document().AddBlock(dt, 3.1e9, static_cast<std::int32_t>(second.flow.size()));
    document().SetSamples(kHeadChannel, block, std::vector<float>(second.flow.size(), 0.0f));
    SetChannels(block, second);
  }
};

// A sampling interval up to 1.01 s is accepted; a selection ending on the
// block boundary stays in its block.
TEST_F(SecondBlockTest, IntervalLimitAndBlockBoundary) {
  for (const double dt : {1.01, 1.02}) {
    MakeTwoBlocks(dt);
    const auto& r = Analyse(document().BlockStart(2), document().TotalLength());
    EXPECT_EQ(r.messageCode == spirometry::kCodeIntervalTooLong, dt > 1.01) << dt;
  }
  MakeTwoBlocks(0.02);
  EXPECT_EQ(Analyse(0, document().BlockStart(2)).analysisStatus, kAnalysisValid);
  const auto& across = Analyse(0, document().BlockStart(2) + 1);
  EXPECT_EQ(across.messageCode, spirometry::kCodeBlockNotContinued);
}

// Every allocation the analysis makes may fail: it then ends in its status
// (out of memory for the sample buffers; fewer phases for the phase list; a
// block the host could not lend reads as no flow), and freeing the results
// leaves nothing behind.
TEST_F(AnalysisTest, AllocationFailuresEndInStatusWithoutLeak) {
  Record(Breathe(TidalThenForced(3.0, 3.5), kDt, kGain));
  AnalyseAll();  // the channel menus stay with the record
  spirometry::FreeAnalysisResults(record_);
  const std::size_t before = toolbox::LiveHandleCount(toolbox::CurrentMemoryOwner());
  bool sawOutOfMemory = false;
  for (long n = 1; n <= 40; ++n) {
    document().selection().Select({0, document().TotalLength()});
    spirometry::InvalidateAnalysis(record_);
    toolbox::FailAllocationAfter(n);
    spirometry::AnalyseSelection(extension_, record_);
    toolbox::FailAllocationAfter(0);
    const auto& r = rec();
    if (r.analysisStatus == spirometry::kAnalysisOutOfMemory) {
      sawOutOfMemory = true;
      EXPECT_EQ(r.flowSamples, nullptr);
      EXPECT_EQ(r.volumeSamples, nullptr);
    } else if (r.analysisStatus == spirometry::kAnalysisRefused) {
      EXPECT_EQ(r.messageCode, spirometry::kCodeNoBreathing) << n;
    } else {
      EXPECT_EQ(r.analysisStatus, kAnalysisValid) << n;
      EXPECT_LE(r.phaseCount, 17);
    }
    spirometry::FreeAnalysisResults(record_);
    EXPECT_EQ(toolbox::LiveHandleCount(toolbox::CurrentMemoryOwner()), before) << n;
  }
  EXPECT_TRUE(sawOutOfMemory);
}

}  // namespace
}  // namespace spirotest
