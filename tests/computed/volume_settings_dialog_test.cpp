// The volume settings dialog run by the host from a script: measuring the
// expiratory correction factor from a selected breath, the custom threshold,
// the proposed source and the out-of-memory alert.
#include <cmath>
#include <numbers>
#include <tuple>

#include "computed/resp_volume_settings.h"
#include "computed/volume_dialog_context.h"
#include "host/selection.h"
#include "spirometry_host.h"
#include "toolbox/memory.h"

using namespace spiro;

namespace {

using namespace spirotest;

constexpr double kDeadSpace = 0.15;  // litres: the default threshold row

// Half a sine of `samples` samples holding `litres`, positive in.
std::vector<double> Lobe(double litres, int samples) {
  std::vector<double> flow(static_cast<std::size_t>(samples));
  const double peak = litres * std::numbers::pi / (2.0 * samples * kSamplingInterval);
  for (int i = 0; i < samples; ++i) flow[static_cast<std::size_t>(i)] = peak * std::sin(std::numbers::pi * (i + 0.5) / samples);
  return flow;
}

// A breath whose expired air reads `factor` times too much once the dead
// space is out, between two inspirations.
std::vector<float> BreathCycle(double litres, double factor) {
  std::vector<float> values(20, -0.2f);
  for (double f : Lobe(litres, 100)) values.push_back(static_cast<float>(f));
  double expired = 0.0;
  for (double f : Lobe(litres, 150)) {
    expired += f * kSamplingInterval;
    values.push_back(static_cast<float>(-(expired > kDeadSpace ? f * factor : f)));
  }
  for (double f : Lobe(litres, 100)) values.push_back(static_cast<float>(f));
  return values;
}

class VolumeSettingsDialog : public SpirometryHostTest {
 protected:
  void Open(const std::vector<float>& flow, std::int64_t start, std::int64_t end) {
    MakeRecording({flow});
    document().SetScaling(kHeadChannel, 1, FlowUnits("L/s", 1.0));
    ASSERT_TRUE(Attach(kVolumeChannel, Volume()));
    document().selection().Select({start, end});
  }
  bool Run(const std::string& script) { return RunSettingsDialog(channel_, script); }
  RespVolumeSettings Settings() { return SettingsOf<RespVolumeSettings>(channel_); }
  int channel_ = kVolumeChannel;
};

// One breath in 20 samples of 10 L/s: 0.6 L in, 0.1 L dead space, 0.8 L out.
std::vector<float> ShortBreath() {
  return {-10, 10, 10, 10, 10, 10, -10, -10, -10, -10, -10, -10, -10, -10, -10,
          10,  10, 10, 10, 10, 0,   0,   0};
}

// The factor is used only when measured over a whole breath: a breath whose
// expired air reads 12% too much, the short breath, and selections cutting it.
TEST_F(VolumeSettingsDialog, UsesTheFactorOnlyWhenMeasured) {
  const std::vector<float> breath = BreathCycle(2.0, 1.12);
  Open(breath, 0, static_cast<std::int64_t>(breath.size()));
  ASSERT_TRUE(Run("hit 8; hit 1"));
  EXPECT_NEAR(Settings().correctionFactor / 1.12, 1.0, 0.01);
  const std::tuple<std::int64_t, std::int64_t, double> cases[] = {
      {0, 20, 1.6}, {0, 19, kDefaultCorrectionFactor}, {1, 21, kDefaultCorrectionFactor}};
  for (const auto& [start, end, factor] : cases) {
    Open(ShortBreath(), start, end);
    ASSERT_TRUE(Run("hit 8; hit 1"));
    EXPECT_NEAR(Settings().correctionFactor, factor, 1e-9) << start << ":" << end;
  }
}

TEST(BreathCycle, CrossingsAreTakenAtTheLowestVolumeOfTheirPart) {
  // Two crossings in the first third: the later one lies lower.
  const float flow[] = {-1, 1, -1, -1, -1, 1, 1, 1, 1, -1, -1, -1, -1, -1, -1, -1, -1, 1, 1, 1, 1};
  const volume::BreathCycle cycle = volume::FindBreathCycle(flow, 21, 0.1);
  EXPECT_EQ(cycle.first, 5);
  EXPECT_EQ(cycle.second, 17);
  const float inspirationOnly[] = {1, 1, 1, 1, 1, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  EXPECT_EQ(volume::FindBreathCycle(inspirationOnly, 21, 0.1).first, -1);
}

// Without memory for the dialog, the alert. Cancelling the custom threshold
// keeps the row; accepting it takes millilitres.
TEST_F(VolumeSettingsDialog, OutOfMemoryAlertsAndACustomThresholdIsTypedInMillilitres) {
  Open(ShortBreath(), 0, 20);
  toolbox::FailAllocationAfter(2);
  EXPECT_FALSE(document().computed().EditSettings(kVolumeChannel));
  toolbox::FailAllocationAfter(0);
  EXPECT_TRUE(Alerted("Spirometry Volume: Out of memory"));
  ASSERT_TRUE(Run("hit 15; choose 7; type 4 150; hit 2; hit 1"));
  EXPECT_EQ(Settings().thresholdIndex, kDefaultThresholdRow);
  ASSERT_TRUE(Run("hit 15; choose 7; type 4 150; hit 1; hit 1"));
  EXPECT_EQ(Settings().thresholdIndex, kCustomThreshold);
  EXPECT_DOUBLE_EQ(Settings().customThreshold, 0.15);
}

TEST_F(VolumeSettingsDialog, WithoutAFlowChannelANeighbourIsProposed) {
  MakeRecording({std::vector<float>(50, 1.0f)});
  for (const int own : {kVolumeChannel, kHeadChannel}) {
    ASSERT_TRUE(Attach(own, Volume()));
    channel_ = own;
    ASSERT_TRUE(Run("hit 1"));
    EXPECT_EQ(Settings().sourceChannel, own == 1 ? 2 : 1);
  }
}

}  // namespace
