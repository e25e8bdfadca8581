// What the computed functions do when memory runs out, when they have no
// settings or no record, and when the host hands them commands or ring
// offsets they cannot use: a message and a neutral result, never a crash.
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "computed/flow_local_data.h"
#include "computed/resp_flow_settings.h"
#include "computed/resp_volume_settings.h"
#include "computed/volume_local_data.h"
#include "host/alerts.h"
#include "support/spirometry_host.h"
#include "toolbox/memory.h"

using namespace spiro;

namespace spirotest {
namespace {

using FailurePaths = SpirometryHostTest;

const std::string kFlowOutOfMemory = "Spirometry Flow: Out of memory";
const std::string kVolumeOutOfMemory = "Spirometry Volume: Out of memory";

// Each allocation from the first on fails in turn. When a function's own
// record cannot be made, its message is shown and nothing is attached. When
// the first settings command cannot make the settings record, the message,
// state 5 and no data; flow tries again on the next command, volume never does.
TEST_F(FailurePaths, AllocationFailuresAlertAndLeaveNoData) {
  struct Case {
    const host::Extension& (*function)();
    int channel, source, stateAfterRetry;
    std::string message;
  };
  const Case cases[] = {{&Flow, kFlowChannel, kHeadChannel, kStateHasSettings, kFlowOutOfMemory},
                        {&Volume, kVolumeChannel, kFlowChannel, kStateOutOfMemory, kVolumeOutOfMemory}};
  for (const Case& c : cases) {
    bool failedOnce = false;
    for (long n = 1; n < 20; ++n) {
      MakeRecording({SineBreaths(20, 0.1f, 17)});
      host::ClearAlerts();
      toolbox::FailAllocationAfter(n);
      const bool attached = Attach(c.channel, c.function());
      const bool failureUsed = toolbox::AllocationsCounted() >= n;
      toolbox::FailAllocationAfter(0);
      if (Alerted(c.message)) {
        EXPECT_FALSE(attached) << c.message << " at allocation " << n;
        failedOnce = true;
      }
      if (!failureUsed) break;
    }
    EXPECT_TRUE(failedOnce) << c.message;
    // The last round attached the function; the volume's source is the flow function.
    ASSERT_NE(LocalOf(c.channel), nullptr) << c.message;
    if (c.channel == kVolumeChannel) AttachFlow();
    failedOnce = false;
    for (long n = 1; n < 20 && !failedOnce; ++n) {
      host::ClearAlerts();
      toolbox::FailAllocationAfter(n);
      SubmitShort(c.function(), 8193, c.channel, static_cast<std::int16_t>(c.source));
      toolbox::FailAllocationAfter(0);
      failedOnce = Alerted(c.message);
    }
    ASSERT_TRUE(failedOnce) << c.message;
    // Both records keep the state at 2 and the settings at 8.
    const auto record = LocalRecord<flow::LocalDataType>(c.channel);
    EXPECT_EQ(record.state, kStateOutOfMemory) << c.message;
    EXPECT_EQ(record.settings, nullptr) << c.message;
    EXPECT_FALSE(document().computed().HasDisplayedData(c.channel, 1)) << c.message;
    SubmitShort(c.function(), 8193, c.channel, static_cast<std::int16_t>(c.source));
    EXPECT_EQ(LocalRecord<flow::LocalDataType>(c.channel).state, c.stateAfterRetry) << c.message;
    EXPECT_EQ(document().computed().HasDisplayedData(c.channel, 1), c.channel == kFlowChannel);
  }
}

// ComputeBlock straight through the entry point, as a host that skipped the
// availability question would send it.
std::vector<float> ComputeDirectly(const host::Extension& function, Handle local,
                                   std::int16_t first, std::int16_t end, std::size_t length) {
  Handle input = NewHandleClear(static_cast<Size>(length * sizeof(float)));
  Handle output = NewHandle(static_cast<Size>(length * sizeof(float)));
  std::vector<float> sevens(length, 7.0f);
  std::memcpy(*output, sevens.data(), length * sizeof(float));
  host::ParamBlock block;
  block.SetLocal(local).SetAddress(4, input).SetAddress(8, output);
  block.Set<std::int16_t>(12, kFlowChannel).Set<std::int16_t>(14, 1);
  block.Set<std::int16_t>(16, first).Set<std::int16_t>(18, end);
  function.Send(8, block);
  std::vector<float> out(length);
  std::memcpy(out.data(), *output, length * sizeof(float));
  DisposeHandle(input);
  DisposeHandle(output);
  return out;
}

TEST_F(FailurePaths, NoRecordOrNoSettingsComputesZerosWithinTheOutput) {
  MakeRecording({SineBreaths(10, 0.1f, 17)});
  ASSERT_TRUE(Attach(kFlowChannel, Flow()));
  ASSERT_TRUE(Attach(kVolumeChannel, Volume()));
  const std::vector<float> expected{7, 7, 0, 0, 0, 0, 0, 0, 0, 0};
  for (const host::Extension* function : {&Flow(), &Volume()}) {
    EXPECT_EQ(ComputeDirectly(*function, nullptr, 2, 10, 10), expected) << function->entryName;
    const int channel = function == &Flow() ? kFlowChannel : kVolumeChannel;
    EXPECT_EQ(ComputeDirectly(*function, LocalOf(channel), 2, 10, 10), expected)
        << function->entryName;
    // Offsets beyond the output are not written.
    EXPECT_EQ(ComputeDirectly(*function, nullptr, -5, 400, 10), std::vector<float>(10, 0.0f));
  }
}

// Only a whole record applies, and the flow function derives its
// coefficients again from it.
TEST_F(FailurePaths, SettingsRecordCutShortIsNeverApplied) {
  MakeRecording({SineBreaths(10, 0.1f, 17)});
  AttachFlowAndVolume();
  auto flow = SettingsOf<RespFlowSettings>(kFlowChannel);
  auto volume = SettingsOf<RespVolumeSettings>(kVolumeChannel);
  const double offset = flow.zeroOffset, factor = volume.correctionFactor;
  flow.zeroOffset = 3.5;
  volume.correctionFactor = 1.5;
  for (const bool half : {true, false}) {
    SubmitWhole(kFlowChannel, flow, half ? sizeof flow / 2 : sizeof flow - 1);
    SubmitWhole(kVolumeChannel, volume, half ? sizeof volume / 2 : sizeof volume - 1);
    EXPECT_EQ(double{SettingsOf<RespFlowSettings>(kFlowChannel).zeroOffset}, offset) << half;
    EXPECT_EQ(double{SettingsOf<RespVolumeSettings>(kVolumeChannel).correctionFactor}, factor) << half;
  }
  SubmitWhole(kFlowChannel, flow);
  SubmitWhole(kVolumeChannel, volume);
  EXPECT_EQ(double{SettingsOf<RespFlowSettings>(kFlowChannel).offset}, 3.5) << "coefficients derived again";
  EXPECT_EQ(double{SettingsOf<RespVolumeSettings>(kVolumeChannel).correctionFactor}, 1.5);
}

// ComputeLive with rings in the low arena, as the host lays them out.
struct Rings {
  static constexpr int kLength = 8;
  float* input = static_cast<float*>(toolbox::LowAlloc(kLength * sizeof(float)));
  float* output = static_cast<float*>(toolbox::LowAlloc(kLength * sizeof(float)));
  Rings() {
    for (int i = 0; i < kLength; ++i) input[i] = 0.1f * static_cast<float>(i);
    for (int i = 0; i < kLength; ++i) output[i] = -1.0f;
  }
  ~Rings() {
    toolbox::LowFree(input);
    toolbox::LowFree(output);
  }
  Rings(const Rings&) = delete;
  Rings& operator=(const Rings&) = delete;
  // Sends message 15 to the channel, with the rings as its own.
  void Send(SpirometryHostTest& test, int channel, std::int16_t lastDone, std::int16_t lastToDo,
            std::int16_t length) {
    host::ParamBlock block;
    block.Set<std::int16_t>(4, lastDone).Set<std::int16_t>(6, lastToDo);
    block.Set<std::int16_t>(8, length).Set<std::int16_t>(10, static_cast<std::int16_t>(channel));
    block.SetAddress(12 + 4 * static_cast<std::size_t>(channel - 1), input);
    block.SetAddress(140 + 4 * static_cast<std::size_t>(channel - 1), output);
    test.document().computed().Send(channel, 15, block);
  }
  std::vector<float> Output() const { return {output, output + kLength}; }
};

// Offsets outside the ring, and a source channel past the host's 32 rings.
TEST_F(FailurePaths, LiveCallsOutsideTheRingsWriteNothing) {
  MakeRecording({SineBreaths(10, 0.1f, 17)});
  ASSERT_TRUE(Attach(kHeadChannel, Flow()));  // no settings: passes its input through
  AttachFlow();
  auto settings = SettingsOf<RespFlowSettings>(kFlowChannel);
  settings.sourceChannel = 33;  // only a whole record can say so
  SubmitWhole(kFlowChannel, settings);
  Rings rings;
  rings.Send(*this, kHeadChannel, 2, 8, 8);
  rings.Send(*this, kHeadChannel, -2, 3, 8);
  rings.Send(*this, kHeadChannel, 2, -1, 8);
  rings.Send(*this, kHeadChannel, 2, 5, 0);
  rings.Send(*this, kHeadChannel, 2, 5, -8);
  rings.Send(*this, kFlowChannel, 0, 4, 8);
  EXPECT_EQ(rings.Output(), std::vector<float>(Rings::kLength, -1.0f));
  rings.Send(*this, kHeadChannel, 5, 1, 8);
  EXPECT_EQ(rings.Output(), (std::vector<float>{0.0f, 0.1f, -1, -1, -1, -1, 0.6f, 0.7f}));
}

TEST_F(FailurePaths, EditRequestsAreAnsweredNotAcceptedYet) {
  MakeRecording({SineBreaths(10, 0.1f, 17)});
  AttachFlowAndVolume();
  for (int channel : {kFlowChannel, kVolumeChannel}) {
    EXPECT_FALSE(document().computed().EditSettings(channel));
    auto* request = static_cast<std::int16_t*>(toolbox::LowAlloc(sizeof(std::int16_t)));
    *request = kHeadChannel;  // another channel: untouched
    host::ParamBlock block;
    block.Set<std::int16_t>(4, 8010).SetAddress(6, request);
    document().computed().Send(channel, 14, block);
    EXPECT_EQ(*request, kHeadChannel);
    *request = static_cast<std::int16_t>(channel);
    document().computed().Send(channel, 14, block);
    EXPECT_EQ(*request, 0) << "the dialog is not built: nothing accepted";
    toolbox::LowFree(request);
  }
}

}  // namespace
}  // namespace spirotest
