// "Spirometry Volume": integrating flow and the gains from the source's units,
// then on a computed channel of the real host, integrating the flow channel
// that "Spirometry Flow" computes.
#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "computed/resp_volume_settings.h"
#include "computed/volume_coefficients.h"
#include "computed/volume_integration.h"
#include "computed/volume_local_data.h"
#include "support/spirometry_host.h"
#include "toolbox/memory.h"
#include "toolbox/pascal_string.h"
#include "toolbox/resources.h"

using namespace spiro;

namespace spirotest {
namespace {

TEST(VolumeIntegration, ResetComesOnlyWhenTheFlowTurnsPositive) {
  const VolumeIntegrationCoefficients c{0.5, 0.0, 2.0, 1.25, 0.3, false, true};
  const std::vector<float> flow{1.0f, 1.0f, -1.0f, 0.0f, 2.0f, 1.0f};
  // The first sample never resets (the previous flow starts at +infinity);
  // zero flow, then positive: reset, and the next sample starts from its own volume.
  const std::vector<float> expected{1.0f, 2.0f, 1.0f, 1.0f, 0.0f, 1.0f};
  VolumeRunningState state = kRestartedVolume;
  std::vector<float> out(flow.size());
  IntegrateVolumeSamples(c, state, flow.data(), out.data(), 0, static_cast<std::int32_t>(flow.size()));
  EXPECT_EQ(out, expected);
}

TEST(VolumeIntegration, ExpiratoryFlowIsDividedOncePastTheThreshold) {
  VolumeIntegrationCoefficients c{1.0, 0.0, 1.0, 2.0, 0.25, true, false};
  VolumeRunningState state = kRestartedVolume;
  // Expiring 0.1 L per sample: the reservoir reaches 0.2, then would pass 0.25.
  EXPECT_FLOAT_EQ(IntegrateVolumeSample(c, state, -0.1f), -0.1f);
  EXPECT_FLOAT_EQ(IntegrateVolumeSample(c, state, -0.1f), -0.2f);
  EXPECT_FLOAT_EQ(IntegrateVolumeSample(c, state, -0.1f), -0.25f);
  EXPECT_FLOAT_EQ(IntegrateVolumeSample(c, state, -0.1f), -0.3f);
  // Inspiring drains the reservoir and is never divided.
  EXPECT_FLOAT_EQ(IntegrateVolumeSample(c, state, 0.2f), -0.1f);
  EXPECT_NEAR(state.reservoir, 0.05, 1e-8);
  EXPECT_FLOAT_EQ(IntegrateVolumeSample(c, state, 0.2f), 0.1f);
  EXPECT_EQ(state.reservoir, 0.0);
}

vantor::ChannelScaling Source(const char* unit, bool calibrated) {
  vantor::ChannelScaling scaling{};
  toolbox::StorePascal(scaling.unitText, unit);
  scaling.calibrated = calibrated ? 1 : 0;
  scaling.gain = 3.0;
  scaling.offset = 0.6;
  scaling.info.unitFactor = 2.0;
  scaling.info.rawFactor = 7.0;
  return scaling;
}

// Per sample of 0.01 s: 6 units per value (gain 3 x unit factor 2), offset
// 0.6; millilitres and per minute divide both, an uncalibrated source has
// its raw factor 7 and no offset.
TEST(VolumeGains, FollowTheSourcesCalibrationAndUnitText) {
  struct Case {
    const char* unit;
    bool calibrated;
    VolumeGains gains;
  };
  const Case cases[] = {
      {"L/s", true, {0.06, 0.006, -0.1}},
      {"ml/min", true, {0.06 / 60000, 0.006 / 60000, -0.1}},
      {"ml/min", false, {0.07, 0.0, 0.0}},
  };
  for (const Case& c : cases) {
    const VolumeGains gains = DeriveVolumeGains(Source(c.unit, c.calibrated), 0.01);
    EXPECT_DOUBLE_EQ(gains.gainPerSample, c.gains.gainPerSample) << c.unit << c.calibrated;
    EXPECT_DOUBLE_EQ(gains.offsetPerSample, c.gains.offsetPerSample) << c.unit << c.calibrated;
    EXPECT_DOUBLE_EQ(gains.zeroValue, c.gains.zeroValue) << c.unit << c.calibrated;
  }
}

TEST(VolumeGains, UnitTextLongerThanItsFieldIsReadWithinIt) {
  vantor::ChannelScaling scaling = Source("L/s", true);
  scaling.unitText[0] = 200;  // a lying length byte
  scaling.decimals = 0x6e69;  // "in" right after the field would make "min" with an 'm' at 25
  scaling.unitText[25] = 'm';
  const VolumeGains gains = DeriveVolumeGains(scaling, 1.0);
  EXPECT_DOUBLE_EQ(gains.gainPerSample, 6.0) << "only the field's 25 characters are text";
}

using VolumeFunction = SpirometryHostTest;

// Without corrections the volume in litres is the integral of the flow in
// litres per second, block after block of one stretch.
TEST_F(VolumeFunction, IntegratesTheFlowAcrossTheStretch) {
  MakeRecording(
      {SineBreaths(60, 0.4f, 60), SineBreaths(50, 0.2f, 50), SineBreaths(70, -0.3f, 70)});
  AttachFlowAndVolume();
  SubmitFlag(Volume(), 8194, kVolumeChannel, false);
  double litres = 0;
  for (int b = 1; b <= 3; ++b) {
    const std::vector<double> flow = DisplayedInUnits(kFlowChannel, b);
    const std::vector<double> volume = DisplayedInUnits(kVolumeChannel, b);
    ASSERT_EQ(volume.size(), flow.size()) << b;
    for (std::size_t i = 0; i < flow.size(); ++i) {
      litres += flow[i] * kSamplingInterval;
      EXPECT_NEAR(volume[i], litres, 1e-5) << b << ":" << i;
    }
  }
  EXPECT_EQ(std::memcmp(Units(kVolumeChannel, 1).unitText, "\x01L", 2), 0);
}

// Only flow units (or the flow function) make a source. A recorded flow
// channel in millilitres per minute: integrated with its own units, shown in
// millilitres, and shown as the millilitres it integrated.
TEST_F(VolumeFunction, PerMinuteMillilitreSourceIsShownInMillilitres) {
  MakeRecording({SineBreaths(80, 0.5f, 80)});
  const vantor::ChannelScaling perMinute = FlowUnits("ml/min", 60000.0);  // 0.5 is 30 L/min
  const int recordedFlow = document().AddChannel("Pneumotach", "");
  document().SetSamples(recordedFlow, 1, SineBreaths(80, 0.5f, 80));
  document().SetScaling(recordedFlow, 1, perMinute);
  ASSERT_TRUE(Attach(kVolumeChannel, Volume()));
  SubmitShort(Volume(), 8193, kVolumeChannel, kHeadChannel);  // millivolts: not flow
  EXPECT_FALSE(document().computed().HasDisplayedData(kVolumeChannel, 1));
  document().SetScaling(kHeadChannel, 1, FlowUnits("L/s", 1.0));
  SubmitShort(Volume(), 8193, kVolumeChannel, kHeadChannel);  // "L/s" folds to "l/s"
  EXPECT_TRUE(document().computed().HasDisplayedData(kVolumeChannel, 1));
  SubmitShort(Volume(), 8193, kVolumeChannel, static_cast<std::int16_t>(recordedFlow));
  SubmitFlag(Volume(), 8194, kVolumeChannel, false);
  ASSERT_EQ(SettingsOf<RespVolumeSettings>(kVolumeChannel).sourceChannel, recordedFlow);

  EXPECT_EQ(std::memcmp(Units(kVolumeChannel, 1).unitText, "\x02mL", 3), 0);
  const std::vector<double> volume = DisplayedInUnits(kVolumeChannel, 1);
  const std::vector<double> flow = InUnits(SineBreaths(80, 0.5f, 80), perMinute);
  ASSERT_EQ(volume.size(), flow.size());
  double millilitres = 0;
  for (std::size_t i = 0; i < flow.size(); ++i) {
    millilitres += flow[i] / 60.0 * kSamplingInterval;
    EXPECT_NEAR(volume[i], millilitres, 1e-3 * (1 + std::fabs(millilitres))) << i;
  }
}

TEST_F(VolumeFunction, ResetBlockedByTheDocumentsDialogResource) {
  MakeRecording({SineBreaths(30, 0.5f, 30)});
  const SInt16 file = toolbox::OpenResourceBytes(toolbox::EmptyResourceFileBytes());
  ASSERT_GT(file, 0);
  Handle dialog = NewHandleClear(20);
  AddResource(dialog, FourCharCode("DLOG"), 8502, nullptr);
  ASSERT_TRUE(Attach(kVolumeChannel, Volume()));
  CloseResFile(file);
  EXPECT_EQ(LocalRecord<volume::LocalDataType>(kVolumeChannel).resetBlocked, 1);
  SubmitFlag(Volume(), 8199, kVolumeChannel, true);
  auto settings = SettingsOf<RespVolumeSettings>(kVolumeChannel);
  EXPECT_EQ(settings.resetAtPositiveFlow, 0);
  settings.resetAtPositiveFlow = 1;  // whatever the command, even a whole record
  SubmitWhole(kVolumeChannel, settings);
  EXPECT_EQ(SettingsOf<RespVolumeSettings>(kVolumeChannel).resetAtPositiveFlow, 0);
}

TEST_F(VolumeFunction, SamplingKeepsTheSettingsLocked) {
  MakeRecording({SineBreaths(30, 0.5f, 30)});
  AttachFlowAndVolume();
  Handle settings = nullptr;
  std::memcpy(&settings, *LocalOf(kVolumeChannel) + 8, sizeof settings);
  ASSERT_NE(settings, nullptr);
  const auto notify = [&](std::int16_t code) {
    host::ParamBlock block;
    block.Set<std::int16_t>(4, code);
    document().computed().Send(kVolumeChannel, 14, block);
  };
  notify(101);
  EXPECT_NE(HGetState(settings) & kHandleLockedBit, 0);
  const auto record = SettingsOf<RespVolumeSettings>(kVolumeChannel);
  EXPECT_EQ(record.liveSourceIsComputed, Flow().hostRef) << "the flow function's identity";
  EXPECT_TRUE(std::isinf(double{record.livePreviousFlow}));
  Displayed(kVolumeChannel, 1);  // computing meanwhile keeps it locked
  EXPECT_NE(HGetState(settings) & kHandleLockedBit, 0);
  notify(102);
  EXPECT_EQ(HGetState(settings) & kHandleLockedBit, 0);
}

// Computed block after block, the volume goes on from the state the previous
// block left, and gives the samples of integrating the stretch again.
constexpr int kBlocks = 24;

// Blocks of whole breaths of varying length and depth, each starting with
// inspiration right after the previous one's expiration, breathing out a
// little more than in.
std::vector<std::vector<float>> Breaths() {
  std::vector<std::vector<float>> blocks;
  for (int b = 0; b < kBlocks; ++b) {
    const int n = 37 + (b * 7) % 25;
    const std::vector<float> breath = SineBreaths(n + 1, 0.2f + 0.05f * static_cast<float>(b % 6), n, -0.005f);
    blocks.emplace_back(breath.begin() + 1, breath.end());  // inspiration from the first sample
  }
  return blocks;
}

class VolumeCarry : public SpirometryHostTest {
 protected:
  void Record(bool reset, bool correction) {
    MakeRecording(Breaths());
    AttachFlowAndVolume();
    SubmitFlag(Volume(), 8199, kVolumeChannel, reset);
    SubmitFlag(Volume(), 8194, kVolumeChannel, correction);
    SubmitShort(Volume(), 8197, kVolumeChannel, -1);
    SubmitDouble(Volume(), 8198, kVolumeChannel, 0.05);  // litres, so the correction acts
  }

  // Every block's volume, asked for in order or last block first (each block
  // then integrating its stretch again).
  std::vector<std::vector<float>> Volumes(bool inOrder) {
    document().computed().MarkStale();
    std::vector<std::vector<float>> volumes(kBlocks);
    for (int k = 0; k < kBlocks; ++k) {
      const int b = inOrder ? k + 1 : kBlocks - k;
      volumes[static_cast<std::size_t>(b - 1)] = Displayed(kVolumeChannel, b);
    }
    return volumes;
  }

  // The last block, integrated again from the stretch's start.
  std::vector<float> LastBlockAfresh() {
    document().computed().MarkStale();
    return Displayed(kVolumeChannel, kBlocks);
  }

  // Blocks 1 .. kBlocks-1 in order, then `litres` added to the state they
  // leave for the last block, as if it had been integrated differently.
  void ComputeAllButLastThenShiftTheCarry(double litres) {
    for (int b = 1; b < kBlocks; ++b) ASSERT_FALSE(Displayed(kVolumeChannel, b).empty()) << b;
    auto record = LocalRecord<volume::LocalDataType>(kVolumeChannel);
    ASSERT_EQ(record.carried.block, kBlocks - 1);
    record.carried.state.accumulator += litres;
    std::memcpy(*LocalOf(kVolumeChannel), &record, sizeof record);
  }
};

// Block by block gives the very samples of the stretch integrated again for
// each block, the reservoir and the previous flow carried over block ends, with
// the reset at inspiration and the expiratory correction each on or off.
TEST_F(VolumeCarry, BlockByBlockEqualsIntegratingTheStretchAgain) {
  for (const auto& [reset, correction] : {std::pair{false, false}, {false, true}, {true, false}, {true, true}}) {
    SCOPED_TRACE(std::string("reset ") + (reset ? "on" : "off") + ", correction " + (correction ? "on" : "off"));
    Record(reset, correction);
    const auto replayed = Volumes(false);
    const auto carried = Volumes(true);
    for (int b = 1; b <= kBlocks; ++b) {
      const auto& expected = replayed[static_cast<std::size_t>(b - 1)];
      const auto& actual = carried[static_cast<std::size_t>(b - 1)];
      ASSERT_FALSE(expected.empty()) << b;
      ASSERT_EQ(actual, expected) << "block " << b;
      // Inspiration starts every block: with the reset on, at its first sample.
      if (reset && b > 1) {
        EXPECT_EQ(actual[0], 0.0f) << b;
      }
    }
  }
}

// Whatever changes what the last block integrates leaves the carried state
// unused: the block is integrated again from the stretch's start. Without a
// change the block goes on from the state carried to it.
TEST_F(VolumeCarry, AChangeMakesTheCarriedStateStale) {
  const std::pair<const char*, std::function<void()>> changes[] = {
      {"nothing", [] {}},
      {"the correction factor", [&] { SubmitDouble(Volume(), 8196, kVolumeChannel, 1.5); }},
      {"the reset on", [&] { SubmitFlag(Volume(), 8199, kVolumeChannel, true); }},
      {"the flow's zero offset", [&] { SubmitDouble(Flow(), 8198, kFlowChannel, 0.01); }},
      {"the first block's samples", [&] { document().SetSamples(kHeadChannel, 1, std::vector<float>(37, 0.1f)); }},
      {"a notification", [&] { document().computed().Notify(100, 0); }},
      {"the source", [&] { document().computed().ChangeSource(kVolumeChannel, kFlowChannel); }},
  };
  for (const auto& [what, change] : changes) {
    SCOPED_TRACE(what);
    Record(false, true);  // no reset, which would hide the shift
    ComputeAllButLastThenShiftTheCarry(0.25);
    change();
    const std::vector<double> computed = DisplayedInUnits(kVolumeChannel, kBlocks);
    const std::vector<double> afresh = InUnits(LastBlockAfresh(), Units(kVolumeChannel, kBlocks));
    ASSERT_EQ(computed.size(), afresh.size());
    const double shift = std::string(what) == "nothing" ? 0.25 : 0.0;
    for (std::size_t i = 0; i < afresh.size(); ++i) EXPECT_NEAR(computed[i] - afresh[i], shift, 1e-4) << i;
  }
}

// A source lock refused for want of memory: the host drops that block, and
// the blocks after it are still right.
TEST_F(VolumeCarry, ARefusedSourceLockCarriesNothing) {
  Record(true, true);
  const auto expected = Volumes(false);
  constexpr int kFailing = kBlocks / 2;
  bool failedOnce = false;
  for (long n = 1; n < 40; ++n) {
    document().computed().MarkStale();
    for (int b = 1; b < kFailing; ++b) Displayed(kVolumeChannel, b);
    const long full = toolbox::MemoryFullCount();
    toolbox::FailAllocationAfter(n);
    const std::vector<float> during = Displayed(kVolumeChannel, kFailing);
    const bool failureUsed = toolbox::AllocationsCounted() >= n;
    toolbox::FailAllocationAfter(0);
    if (toolbox::MemoryFullCount() != full) {
      failedOnce = true;
      EXPECT_TRUE(during.empty() || during == expected[kFailing - 1]) << n;
    }
    for (int b = kFailing; b <= kBlocks; ++b) {
      ASSERT_EQ(Displayed(kVolumeChannel, b), expected[static_cast<std::size_t>(b - 1)])
          << "failure point " << n << ", block " << b;
    }
    if (!failureUsed) break;
  }
  EXPECT_TRUE(failedOnce);
}

}  // namespace
}  // namespace spirotest
