// Which ring offsets a live call covers, and whose ring a channel has.
#include "computed/live_rings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

using namespace spiro;

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

}  // namespace
