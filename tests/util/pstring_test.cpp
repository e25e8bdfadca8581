#include "util/pstring.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace spiro;

namespace {

struct P {
  unsigned char bytes[256];
  explicit P(const std::string& s) {
    std::memset(bytes, 0xAB, sizeof bytes);  // garbage after the length, as in real buffers
    bytes[0] = static_cast<unsigned char>(s.size());
    std::memcpy(bytes + 1, s.data(), s.size());
  }
  operator unsigned char*() { return bytes; }
};

std::string S(const unsigned char* p) { return std::string(reinterpret_cast<const char*>(p + 1), p[0]); }

TEST(ComparePStrings, OrdersByLengthThenByUnsignedBytes) {
  EXPECT_EQ(ComparePStrings(P("abc"), P("abd")), -1);
  EXPECT_EQ(ComparePStrings(P("zz"), P("abc")), -1) << "length decides before content";
  EXPECT_EQ(ComparePStrings(P(""), P("")), 0);
  EXPECT_EQ(ComparePStrings(P("a"), P("A")), 'a' - 'A') << "case is not folded";
  EXPECT_EQ(ComparePStrings(P("\xE9"), P("e")), 0xE9 - 'e') << "bytes compare unsigned";
}

TEST(FindPString, FirstOccurrenceOrZero) {
  EXPECT_EQ(FindPString(P("ana"), P("banana")), 2);
  EXPECT_EQ(FindPString(P("banana"), P("banana")), 1);
  EXPECT_EQ(FindPString(P("a"), P("xyza")), 4) << "a match at the very end";
  EXPECT_EQ(FindPString(P(""), P("banana")), 0);
  EXPECT_EQ(FindPString(P("ana"), P("an")), 0);
}

TEST(ConcatPStrings, CutsToCapacityLaterSourcesLosingFirst) {
  const std::string a(200, 'a');
  const std::string b(100, 'b');
  P d("");
  ConcatPStrings(1000, d, P(a), P(b));
  EXPECT_EQ(S(d), a + std::string(55, 'b')) << "capacity above 256 is clamped, not trusted";
  ConcatPStrings(256, d, P("x"), nullptr, P("y"), nullptr, P("z"));
  EXPECT_EQ(S(d), "xyz") << "null sources count as empty";
  ConcatPStrings(4, d, P("ab"), P("cd"));
  EXPECT_EQ(S(d), "abc");
  P e("Flow");
  ConcatPStrings(256, e, e, P(" ("), P("L/s"), P(")"));
  EXPECT_EQ(S(e), "Flow (L/s)") << "the destination may be a source";
  // No capacity writes nothing; capacity 1 holds just the length byte.
  unsigned char guard[2] = {0x11, 0x22};
  ConcatPStrings(-5, guard, P("ab"), P("cd"));
  EXPECT_EQ(guard[0], 0x11);
  ConcatPStrings(1, guard, P("ab"), P("cd"));
  EXPECT_EQ(guard[0], 0);
  EXPECT_EQ(guard[1], 0x22);
}

TEST(CopyPStringLimited, CutsToTheBufferSize) {
  unsigned char buffer[27];
  std::memset(buffer, 0xEE, sizeof buffer);
  CopyPStringLimited(buffer, P(std::string(30, 'q')), 26);
  EXPECT_EQ(S(buffer), std::string(25, 'q'));
  EXPECT_EQ(buffer[26], 0xEE) << "nothing written past the stated size";
  CopyPStringLimited(buffer, P("short"), 26);
  EXPECT_EQ(S(buffer), "short");
}

}  // namespace
