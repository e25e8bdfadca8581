// Which ring offsets a live call covers.
#include "computed/live_rings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

using namespace spiro;

namespace {

std::vector<std::pair<int, int>> Spans(int lastDone, int lastToDo, int length) {
  const RingSpans spans =
      RingSpansToDo(static_cast<std::int16_t>(lastDone), static_cast<std::int16_t>(lastToDo),
                    static_cast<std::int16_t>(length));
  std::vector<std::pair<int, int>> result;
  for (int s = 0; s < spans.count; ++s) {
    result.emplace_back(spans.spans[static_cast<std::size_t>(s)].first,
                        spans.spans[static_cast<std::size_t>(s)].end);
  }
  return result;
}

using SpanList = std::vector<std::pair<int, int>>;

TEST(LiveRings, OffsetsAfterTheLastDoneUpToTheLastToDo) {
  EXPECT_EQ(Spans(3, 7, 16), (SpanList{{4, 8}}));
  EXPECT_EQ(Spans(-1, 5, 16), (SpanList{{0, 6}})) << "nothing done yet";
  EXPECT_EQ(Spans(12, 2, 16), (SpanList{{13, 16}, {0, 3}})) << "wraps at the ring's end";
  EXPECT_EQ(Spans(15, 4, 16), (SpanList{{0, 5}})) << "the last offset done ends the ring";
  EXPECT_EQ(Spans(14, 15, 16), (SpanList{{15, 16}}));
}

TEST(LiveRings, EqualOffsetsMeanOneWholeTurn) {
  EXPECT_EQ(Spans(5, 5, 16), (SpanList{{6, 16}, {0, 6}}));
  EXPECT_EQ(Spans(15, 15, 16), (SpanList{{0, 16}}));
  EXPECT_EQ(Spans(0, 0, 1), (SpanList{{0, 1}}));
}

TEST(LiveRings, OffsetsOutsideTheRingCoverNothing) {
  EXPECT_TRUE(Spans(3, 16, 16).empty());
  EXPECT_TRUE(Spans(3, -1, 16).empty());
  EXPECT_TRUE(Spans(16, 3, 16).empty());
  EXPECT_TRUE(Spans(-2, 3, 16).empty());
  EXPECT_TRUE(Spans(0, 0, 0).empty());
  EXPECT_TRUE(Spans(-1, 0, -5).empty());
  EXPECT_TRUE(Spans(32767, -32768, 32767).empty());
}

TEST(LiveRings, RingOfAChannelOnlyWithinTheHostsArray) {
  std::uint32_t rings[32] = {};
  rings[0] = 0x1000;
  rings[31] = 0x2000;
  EXPECT_EQ(LiveRing(rings, 1), reinterpret_cast<float*>(0x1000));
  EXPECT_EQ(LiveRing(rings, 32), reinterpret_cast<float*>(0x2000));
  EXPECT_EQ(LiveRing(rings, 2), nullptr);
  EXPECT_EQ(LiveRing(rings, 0), nullptr);
  EXPECT_EQ(LiveRing(rings, 33), nullptr);
  EXPECT_EQ(LiveRing(rings, -1), nullptr);
  EXPECT_EQ(LiveRing(nullptr, 1), nullptr);
}

}  // namespace
