// "Spirometry Volume" on a computed channel of the real host, integrating the
// flow channel that "Spirometry Flow" computes.
#include <cmath>
#include <cstring>
#include <vector>

#include "computed/resp_volume_settings.h"
#include "computed/volume_local_data.h"
#include "host/channel_units.h"
#include "spirometry_host.h"
#include "toolbox/resources.h"

using namespace spiro;

namespace spirotest {
namespace {

using VolumeFunction = SpirometryHostTest;

// The channel's samples in its units, as the host shows them.
std::vector<double> InUnits(const std::vector<float>& samples,
                            const vantor::ChannelScaling& scaling) {
  std::vector<double> values;
  for (float x : samples) values.push_back(host::ValueInUnits(scaling, static_cast<double>(x)));
  return values;
}

// Without corrections the volume in litres is the integral of the flow in
// litres per second, block after block of one stretch.
TEST_F(VolumeFunction, IntegratesTheFlowAcrossTheStretch) {
  MakeRecording(
      {SineBreaths(60, 0.4f, 60), SineBreaths(50, 0.2f, 50), SineBreaths(70, -0.3f, 70)});
  AttachFlowAndVolume();
  SubmitFlag(Volume(), 8194, kVolumeChannel, false);
  double litres = 0;
  for (int b = 1; b <= 3; ++b) {
    const std::vector<double> flow = InUnits(Displayed(kFlowChannel, b), Units(kFlowChannel, b));
    const std::vector<double> volume =
        InUnits(Displayed(kVolumeChannel, b), Units(kVolumeChannel, b));
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

  const vantor::ChannelScaling units = Units(kVolumeChannel, 1);
  EXPECT_EQ(std::memcmp(units.unitText, "\x02mL", 3), 0);
  const std::vector<double> volume = InUnits(Displayed(kVolumeChannel, 1), units);
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

}  // namespace
}  // namespace spirotest
