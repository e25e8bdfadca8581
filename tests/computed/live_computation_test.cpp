// Sampling replayed live through the host's rings gives what the block
// computations give.
#include <cmath>
#include <string>
#include <vector>

#include "host/live_replay.h"
#include "spirometry_host.h"

namespace spirotest {
namespace {

struct Computed {
  std::vector<std::vector<float>> flow;
  std::vector<std::vector<float>> volume;
};

class LiveComputationTest : public SpirometryHostTest {
 protected:
  Computed Collect(int blocks) {
    Computed computed;
    for (int b = 1; b <= blocks; ++b) {
      computed.flow.push_back(Displayed(kFlowChannel, b));
      computed.volume.push_back(Displayed(kVolumeChannel, b));
    }
    return computed;
  }
  void Replay(int ringLength, int chunk) {
    std::string error;
    ASSERT_TRUE(host::ReplayLive(document(), {ringLength, chunk}, &error)) << error;
  }
};

// Rings shorter than a block and chunks that do not divide them, so that the
// live offsets wrap; one stretch, so the block integration never restarts.
TEST_F(LiveComputationTest, LiveSamplesEqualBlockSamples) {
  MakeRecording({SineBreaths(150, 0.4f, 37, 0.01f), SineBreaths(97, 0.3f, 37, -0.02f),
                 SineBreaths(120, 0.5f, 37)});
  AttachFlowAndVolume();
  SubmitDouble(Flow(), 8198, kFlowChannel, 0.2);
  SubmitFlag(Volume(), 8199, kVolumeChannel, true);
  Replay(64, 23);
  const Computed live = Collect(3);
  document().computed().MarkStale();
  const Computed block = Collect(3);
  for (std::size_t b = 0; b < 3; ++b) {
    ASSERT_FALSE(block.flow[b].empty());
    EXPECT_EQ(live.flow[b], block.flow[b]) << "block " << b + 1;
    ASSERT_EQ(live.volume[b].size(), block.volume[b].size());
    for (std::size_t i = 0; i < block.volume[b].size(); ++i) {
      EXPECT_NEAR(live.volume[b][i], block.volume[b][i], 1e-6) << b + 1 << ":" << i;
    }
  }
}

TEST_F(LiveComputationTest, LiveFlowTakesNoDriftOff) {
  std::vector<float> head = SineBreaths(80, 0.2f, 37);
  for (std::size_t i = 0; i < 10; ++i) head[i] = 0.05f;
  MakeRecording({head});
  AttachFlowAndVolume();
  SubmitFlag(Flow(), 8194, kFlowChannel, false);
  SubmitFlag(Flow(), 8200, kFlowChannel, true);
  Replay(32, 32);
  EXPECT_EQ(Displayed(kFlowChannel, 1), head) << "live: no drift line, no other change";
  document().computed().MarkStale();
  EXPECT_NE(Displayed(kFlowChannel, 1), head);
}

}  // namespace
}  // namespace spirotest
