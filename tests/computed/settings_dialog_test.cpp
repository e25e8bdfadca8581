// The flow and volume settings dialogs run by the host from a script: the
// selection's limits, the syringe calibration's edge cases, what Cancel keeps,
// measuring the expiratory correction factor from a selected breath, the custom
// threshold, the proposed source and the out-of-memory alerts (vantor calibrate
// checks a whole calibration).
#include <cmath>
#include <numbers>
#include <tuple>

#include "computed/flow_local_data.h"
#include "computed/resp_flow_settings.h"
#include "computed/resp_volume_settings.h"
#include "computed/volume_dialog_context.h"
#include "host/alerts.h"
#include "host/host_state.h"
#include "host/selection.h"
#include "support/spirometry_host.h"
#include "toolbox/memory.h"

using namespace spiro;

namespace {

using namespace spirotest;

// Half a sine of `samples` samples holding `litres`, positive in, in L/s.
std::vector<double> Lobe(double litres, int samples) {
  std::vector<double> flow(static_cast<std::size_t>(samples));
  const double peak = litres * std::numbers::pi / (2.0 * samples * kSamplingInterval);
  for (int i = 0; i < samples; ++i) flow[static_cast<std::size_t>(i)] = peak * std::sin(std::numbers::pi * (i + 0.5) / samples);
  return flow;
}

constexpr double kHeadScale = 1.2;  // L/s per mV of the simulated flow head
constexpr double kMillivoltsPerValue = 10.0;
constexpr int kLead = 50;           // silent samples before the stroke

// A syringe stroke of `litres` in `samples` samples, as the head's sample
// values, after kLead silent samples and before silence.
std::vector<float> SyringeStroke(double litres, int samples, int total) {
  std::vector<float> values(static_cast<std::size_t>(total), 0.0f);
  const std::vector<double> flow = Lobe(litres, samples);
  for (std::size_t i = 0; i < flow.size(); ++i) {
    values[kLead + i] = static_cast<float>(flow[i] / kHeadScale / kMillivoltsPerValue);
  }
  return values;
}

class FlowSettingsDialog : public SpirometryHostTest {
 protected:
  void Open(const std::vector<float>& head, std::int64_t start = 0, std::int64_t end = 300) {
    MakeRecording({head}, kMillivoltsPerValue);
    ASSERT_TRUE(Attach(kFlowChannel, Flow()));
    document().selection().Select({start, end});
  }
  bool Run(const std::string& script) { return RunSettingsDialog(kFlowChannel, script); }
  RespFlowSettings Settings() { return SettingsOf<RespFlowSettings>(kFlowChannel); }
};

// Cancel submits nothing; OK submits the check boxes and the model; a zero
// volume disables OK and cancelling the syringe dialog restores the model; in
// expert mode the custom model's coefficients are typed, not measured.
TEST_F(FlowSettingsDialog, WhatOkAndCancelSubmit) {
  Open(SyringeStroke(3.0, 120, 400));
  EXPECT_FALSE(Run("hit 8; hit 15; hit 10; choose 2; hit 2"));
  RespFlowSettings settings{};
  EXPECT_FALSE(ReadSettings(kFlowChannel, &settings));
  ASSERT_TRUE(Run("hit 10; choose 6; type 7 0; hit 1; hit 2; hit 1"));
  EXPECT_EQ(Settings().SpirometerModel, kDefaultSpirometerModel);
  EXPECT_FALSE(std::isfinite(Settings().customScale));
  ASSERT_TRUE(Run("hit 8; hit 15; hit 10; choose 2; hit 1"));
  EXPECT_EQ(Settings().linearise, 0);
  EXPECT_EQ(Settings().driftCorrection, 1);
  EXPECT_EQ(Settings().SpirometerModel, 2);
  EXPECT_EQ(Settings().sourceChannel, kHeadChannel) << "the spirometer channel is proposed";
  EXPECT_EQ(Settings().sourceIsComputed, 1);
  host::State().expertMode = true;
  const bool accepted = Run("hit 10; choose 6; type 5 1.25; type 8 0.01; type 11 0.002; hit 1; hit 1");
  host::State().expertMode = false;
  ASSERT_TRUE(accepted);
  EXPECT_EQ(Settings().SpirometerModel, kCustomSpirometerModel);
  EXPECT_DOUBLE_EQ(Settings().customScale, 1.25);
  EXPECT_DOUBLE_EQ(Settings().customNonlinearity, 0.01);
  EXPECT_DOUBLE_EQ(Settings().zeroOffset, 0.002);
}

// Statuses 12 (almost no volume) and 13 (a source calibrated in a way that
// cannot be folded into the offset) are warnings: calibrating stays possible.
// An empty selection gives no scale to accept.
TEST_F(FlowSettingsDialog, WarningsStillAllowCalibratingAndNothingGivesNoScale) {
  for (const bool calibratedSource : {false, true}) {
    Open(calibratedSource ? SyringeStroke(3.0, 120, 400) : std::vector<float>(400, 0.001f));
    if (calibratedSource) {
      vantor::ChannelScaling scaling = document().RecordedScaling(kHeadChannel, 1);
      scaling.calibrated = 1;
      scaling.gain = 2.0;
      document().SetScaling(kHeadChannel, 1, scaling);
    }
    ASSERT_TRUE(Run("hit 13; type 7 3; hit 1; hit 1"));
    EXPECT_EQ(Settings().SpirometerModel, kCustomSpirometerModel) << calibratedSource;
  }
  Open(std::vector<float>(400, 0.0f));
  ASSERT_TRUE(Run("hit 13; type 7 3; hit 1; hit 2; hit 1"));
  EXPECT_EQ(Settings().SpirometerModel, kDefaultSpirometerModel);
}

// Without memory for the dialog, the function's alert; with a record whose
// settings could not be made, the host's.
TEST_F(FlowSettingsDialog, OutOfMemoryEndsInAnAlert) {
  Open(SyringeStroke(3.0, 120, 400));
  toolbox::FailAllocationAfter(1);
  EXPECT_FALSE(document().computed().EditSettings(kFlowChannel));
  toolbox::FailAllocationAfter(0);
  EXPECT_TRUE(Alerted("Spirometry Flow: Out of memory"));
  for (long n = 1; n < 8 && LocalRecord<flow::LocalDataType>(kFlowChannel).state != kStateOutOfMemory; ++n) {
    toolbox::FailAllocationAfter(n);
    SubmitShort(Flow(), 8193, kFlowChannel, kHeadChannel);
    toolbox::FailAllocationAfter(0);
  }
  ASSERT_EQ(LocalRecord<flow::LocalDataType>(kFlowChannel).state, kStateOutOfMemory);
  EXPECT_FALSE(document().computed().EditSettings(kFlowChannel));
  EXPECT_TRUE(Alerted("There is not enough memory."));
}

TEST_F(FlowSettingsDialog, ASelectionIsCalibratedOrRefusedWithItsStatus) {
  const std::pair<int, const char*> cases[] = {
      {9, "Cannot calibrate: The selection is too short: select at least 10 samples."},
      {10, nullptr},
      {32000, nullptr},
      {32001, "Cannot calibrate: The selection is too long: select at most 32000 samples."},
  };
  for (const auto& [length, alert] : cases) {
    Open(SyringeStroke(3.0, 8, 32100), kLead, kLead + length);
    host::ClearAlerts();
    // Choosing the custom model for the first time opens the syringe dialog.
    ASSERT_TRUE(Run(alert == nullptr ? "hit 10; choose 6; hit 1; hit 1" : "hit 10; choose 6; hit 1"));
    if (alert == nullptr) {
      EXPECT_EQ(Settings().SpirometerModel, kCustomSpirometerModel) << length;
    } else {
      EXPECT_TRUE(Alerted(alert)) << length;
      EXPECT_EQ(Settings().SpirometerModel, kDefaultSpirometerModel) << "the model chosen before stays";
    }
  }
}

constexpr double kDeadSpace = 0.15;  // litres: the default threshold row

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
