// Live computation: which ring offsets a call covers, whose ring a channel
// has, and sampling replayed through the host's rings giving what the block
// computations give.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "computed/live_rings.h"
#include "host/live_replay.h"
#include "support/spirometry_host.h"

using namespace spiro;

namespace spirotest {
namespace {

using SpanList = std::vector<std::pair<int, int>>;

TEST(LiveRings, SpansRunFromAfterTheLastDoneToTheLastToDo) {
  struct Case {
    int lastDone, lastToDo, length;
    SpanList spans;
  };
  const Case cases[] = {
      {3, 7, 16, {{4, 8}}},
      {-1, 5, 16, {{0, 6}}},            // nothing done yet
      {12, 2, 16, {{13, 16}, {0, 3}}},  // wraps at the ring's end
      {15, 4, 16, {{0, 5}}},            // the last offset done ends the ring
      {14, 15, 16, {{15, 16}}},
      {5, 5, 16, {{6, 16}, {0, 6}}},    // equal offsets: one whole turn
      {15, 15, 16, {{0, 16}}},
      {0, 0, 1, {{0, 1}}},
      // Offsets outside the ring cover nothing.
      {3, 16, 16, {}}, {3, -1, 16, {}}, {16, 3, 16, {}}, {-2, 3, 16, {}},
      {0, 0, 0, {}}, {-1, 0, -5, {}}, {32767, -32768, 32767, {}},
  };
  for (const Case& c : cases) {
    const RingSpans spans = RingSpansToDo(static_cast<std::int16_t>(c.lastDone),
                                          static_cast<std::int16_t>(c.lastToDo),
                                          static_cast<std::int16_t>(c.length));
    SpanList actual;
    for (int s = 0; s < spans.count; ++s) {
      const RingSpan& span = spans.spans[static_cast<std::size_t>(s)];
      actual.emplace_back(span.first, span.end);
    }
    EXPECT_EQ(actual, c.spans) << c.lastDone << " " << c.lastToDo << " " << c.length;
  }
}

TEST(LiveRings, RingOfAChannelOnlyWithinTheHostsArray) {
  std::uint32_t rings[32] = {};
  rings[0] = 0x1000;
  rings[31] = 0x2000;
  EXPECT_EQ(LiveRing(rings, 1), reinterpret_cast<float*>(0x1000));
  EXPECT_EQ(LiveRing(rings, 32), reinterpret_cast<float*>(0x2000));
  for (int outside : {0, 33, -1}) EXPECT_EQ(LiveRing(rings, outside), nullptr) << outside;
  EXPECT_EQ(LiveRing(nullptr, 1), nullptr);
}

class LiveComputationTest : public SpirometryHostTest {
 protected:
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
  std::vector<std::vector<float>> live;  // flow and volume, block by block
  for (int b = 1; b <= 3; ++b) {
    for (int channel : {kFlowChannel, kVolumeChannel}) live.push_back(Displayed(channel, b));
  }
  document().computed().MarkStale();
  for (int b = 1, k = 0; b <= 3; ++b) {
    for (int channel : {kFlowChannel, kVolumeChannel}) {
      const std::vector<float> block = Displayed(channel, b);
      const std::vector<float>& replayed = live[static_cast<std::size_t>(k++)];
      ASSERT_FALSE(block.empty());
      ASSERT_EQ(replayed.size(), block.size());
      for (std::size_t i = 0; i < block.size(); ++i) {
        // Flow to the bit; volume to its rounding.
        EXPECT_NEAR(replayed[i], block[i], channel == kFlowChannel ? 0.0 : 1e-6) << channel << ":" << b << ":" << i;
      }
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
