// "Spirometry Flow" on a computed channel of the real host, through its
// entry point.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "computed/flow_local_data.h"
#include "computed/resp_flow_settings.h"
#include "spirometry_host.h"

using namespace spiro;

namespace spirotest {
namespace {

using FlowFunction = SpirometryHostTest;

std::vector<float> Ramp(int n, float from, float step) {
  std::vector<float> samples(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i)
    samples[static_cast<std::size_t>(i)] = from + step * static_cast<float>(i);
  return samples;
}

TEST_F(FlowFunction, CustomModelUsesItsScaleOnceSetAndTheDefaultBefore) {
  MakeRecording({Ramp(20, 0.0f, 0.01f)}, 10.0);
  AttachFlow();
  SubmitShort(Flow(), 8195, kFlowChannel, 0);
  EXPECT_DOUBLE_EQ(Units(kFlowChannel, 1).gain, kDefaultModelScale);
  EXPECT_EQ(SettingsOf<RespFlowSettings>(kFlowChannel).SpirometerModel, 4) << "a never-set custom scale falls back to model 4";

  SubmitDouble(Flow(), 8196, kFlowChannel, 2.25);
  SubmitShort(Flow(), 8195, kFlowChannel, -1);
  EXPECT_DOUBLE_EQ(Units(kFlowChannel, 1).gain, 2.25);
  SubmitShort(Flow(), 8195, kFlowChannel, 2);
  EXPECT_DOUBLE_EQ(Units(kFlowChannel, 1).gain, 0.5) << "model 2 of the table";
}

TEST_F(FlowFunction, SmallFullScaleReadsInMillilitresPerSecond) {
  MakeRecording({Ramp(20, 0.0f, 0.01f)}, 0.5);  // 0.5 mV full scale x 1.333 L/s/mV < 1 L/s
  AttachFlow();
  const vantor::ChannelScaling units = Units(kFlowChannel, 1);
  EXPECT_DOUBLE_EQ(units.gain, kDefaultModelScale * 1000);
  EXPECT_EQ(std::memcmp(units.unitText, "\x04mL/s", 5), 0);
}

// A source is a volt signal of the document; its own channel is read as recorded.
TEST_F(FlowFunction, SourceIsAVoltSignalWithinTheDocument) {
  MakeRecording({Ramp(20, 0.0f, 0.01f)});
  AttachFlow();
  for (std::int16_t outside : {0, 4, -1, 32767}) {
    SubmitShort(Flow(), 8193, kFlowChannel, outside);
    EXPECT_EQ(SettingsOf<RespFlowSettings>(kFlowChannel).sourceChannel, kHeadChannel) << outside;
    EXPECT_EQ(SettingsOf<RespFlowSettings>(kFlowChannel).sourceIsComputed, 1);
  }
  SubmitShort(Flow(), 8193, kFlowChannel, kFlowChannel);
  EXPECT_EQ(SettingsOf<RespFlowSettings>(kFlowChannel).sourceIsComputed, 0) << "its own channel is read as recorded";
  vantor::ChannelScaling notVolts = HeadScaling(10.0);
  std::memcpy(notVolts.info.baseUnitText, "\x03mmH", 4);
  document().SetScaling(kHeadChannel, 1, notVolts);
  AttachFlow(kHeadChannel);
  EXPECT_FALSE(document().computed().HasDisplayedData(kHeadChannel, 1));
  document().SetScaling(kHeadChannel, 1, HeadScaling(10.0));
  EXPECT_TRUE(document().computed().HasDisplayedData(kHeadChannel, 1));
}

// Three blocks of one stretch: quiet at 0.02 at the start, quiet at -0.01 at
// the end, and a signal between. With drift correction the line through the
// two quiet levels is taken off every block.
TEST_F(FlowFunction, DriftLineRunsFromTheStretchsStartToItsEnd) {
  std::vector<float> first(30, 0.02f);
  std::fill(first.begin() + 10, first.end(), 0.3f);
  std::vector<float> last(20, -0.01f);
  std::fill(last.begin(), last.begin() + 8, -0.4f);
  const std::vector<std::vector<float>> blocks{first, Ramp(25, -0.2f, 0.01f), last};
  MakeRecording(blocks);
  AttachFlow();
  SubmitFlag(Flow(), 8194, kFlowChannel, false);
  SubmitFlag(Flow(), 8200, kFlowChannel, true);

  const double start = static_cast<double>(0.02f);
  const double slope = (static_cast<double>(-0.01f) - start) / (30 + 25 + 20 - 1);
  double position = 0;
  for (int b = 1; b <= 3; ++b) {
    const std::vector<float> flow = Displayed(kFlowChannel, b);
    const std::vector<float>& head = blocks[static_cast<std::size_t>(b - 1)];
    ASSERT_EQ(flow.size(), head.size()) << b;
    for (std::size_t i = 0; i < head.size(); ++i, ++position) {
      EXPECT_NEAR(flow[i], static_cast<double>(head[i]) - (start + position * slope), 2e-7) << b << ":" << i;
    }
  }
  const auto settings = SettingsOf<RespFlowSettings>(kFlowChannel);
  EXPECT_EQ(double{settings.driftSlope}, 0.0) << "the line lives for one computation";
  EXPECT_EQ(double{settings.driftIntercept}, 0.0);
}

// On its own channel the function reads the block with the message and locks
// the other blocks' samples for their zero windows.
TEST_F(FlowFunction, OwnChannelReadsTheMessagesInputAndLocksOtherBlocks) {
  const std::vector<float> first(12, 0.05f);
  std::vector<float> second = Ramp(12, 0.1f, 0.01f);
  for (std::size_t i = 2; i < second.size(); ++i) second[i] = 0.05f;  // quiet end at the same level
  MakeRecording({first, second});
  AttachFlow(kHeadChannel);
  SubmitFlag(Flow(), 8194, kHeadChannel, false);
  SubmitFlag(Flow(), 8200, kHeadChannel, true);
  const std::vector<float> flow = Displayed(kHeadChannel, 2);
  ASSERT_EQ(flow.size(), second.size());
  for (std::size_t i = 0; i < second.size(); ++i) {
    EXPECT_NEAR(flow[i], static_cast<double>(second[i]) - static_cast<double>(0.05f), 1e-7) << i;
  }
}

TEST_F(FlowFunction, DescriptionNamesTheSource) {
  MakeRecording({Ramp(10, 0.0f, 0.01f)});
  ASSERT_TRUE(Attach(kFlowChannel, Flow()));
  host::ParamBlock block;
  auto* record = static_cast<unsigned char*>(toolbox::LowAlloc(300));
  block.SetAddress(4, record);
  document().computed().Send(kFlowChannel, 17, block);
  EXPECT_EQ(record[0], 0) << "nothing to describe without settings";
  SubmitShort(Flow(), 8193, kFlowChannel, kHeadChannel);
  document().computed().Send(kFlowChannel, 17, block);
  EXPECT_EQ(record[0], 1);
  const std::string text(reinterpret_cast<const char*>(record + 13), record[12]);
  EXPECT_EQ(text, "Flow from Flow head");
  toolbox::LowFree(record);
}

}  // namespace
}  // namespace spirotest
