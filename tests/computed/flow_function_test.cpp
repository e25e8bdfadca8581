// "Spirometry Flow" on a computed channel of the real host, through its
// entry point.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "computed/flow_local_data.h"
#include "computed/resp_flow_settings.h"
#include "support/spirometry_host.h"

using namespace spiro;

namespace spirotest {
namespace {

using FlowFunction = SpirometryHostTest;

// The default model until a custom scale is set, then the custom scale or a
// model of the table; a small full scale reads in millilitres per second.
TEST_F(FlowFunction, ModelsAndTheCustomScaleGiveTheUnits) {
  MakeRecording({SineBreaths(20, 0.1f, 20)}, 10.0);
  AttachFlow();
  SubmitShort(Flow(), 8195, kFlowChannel, 0);
  EXPECT_DOUBLE_EQ(Units(kFlowChannel, 1).gain, kDefaultModelScale);
  EXPECT_EQ(SettingsOf<RespFlowSettings>(kFlowChannel).SpirometerModel, 4) << "a never-set custom scale falls back to model 4";
  SubmitDouble(Flow(), 8196, kFlowChannel, 2.25);
  SubmitShort(Flow(), 8195, kFlowChannel, -1);
  EXPECT_DOUBLE_EQ(Units(kFlowChannel, 1).gain, 2.25);
  SubmitShort(Flow(), 8195, kFlowChannel, 2);
  EXPECT_DOUBLE_EQ(Units(kFlowChannel, 1).gain, 0.5) << "model 2 of the table";
  MakeRecording({SineBreaths(20, 0.1f, 20)}, 0.5);  // 0.5 mV full scale x 1.333 L/s/mV < 1 L/s
  AttachFlow();
  EXPECT_DOUBLE_EQ(Units(kFlowChannel, 1).gain, kDefaultModelScale * 1000);
  EXPECT_EQ(std::memcmp(Units(kFlowChannel, 1).unitText, "\x04mL/s", 5), 0);
}

// A source is a volt signal of the document, named in the description; its own
// channel is read as recorded.
TEST_F(FlowFunction, SourceIsAVoltSignalWithinTheDocument) {
  MakeRecording({SineBreaths(20, 0.1f, 20)});
  ASSERT_TRUE(Attach(kFlowChannel, Flow()));
  host::ParamBlock block;
  auto* record = static_cast<unsigned char*>(toolbox::LowAlloc(300));
  block.SetAddress(4, record);
  document().computed().Send(kFlowChannel, 17, block);
  EXPECT_EQ(record[0], 0) << "nothing to describe without settings";
  SubmitShort(Flow(), 8193, kFlowChannel, kHeadChannel);
  document().computed().Send(kFlowChannel, 17, block);
  EXPECT_EQ(record[0], 1);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(record + 13), record[12]), "Flow from Flow head");
  toolbox::LowFree(record);
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
  const std::vector<std::vector<float>> blocks{first, SineBreaths(25, 0.2f, 25), last};
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
  std::vector<float> second(12, 0.05f);  // quiet end at the first block's level
  second[0] = 0.1f;
  second[1] = 0.11f;
  MakeRecording({std::vector<float>(12, 0.05f), second});
  AttachFlow(kHeadChannel);
  SubmitFlag(Flow(), 8194, kHeadChannel, false);
  SubmitFlag(Flow(), 8200, kHeadChannel, true);
  const std::vector<float> flow = Displayed(kHeadChannel, 2);
  ASSERT_EQ(flow.size(), second.size());
  for (std::size_t i = 0; i < second.size(); ++i) {
    EXPECT_NEAR(flow[i], static_cast<double>(second[i]) - static_cast<double>(0.05f), 1e-7) << i;
  }
}

}  // namespace
}  // namespace spirotest
