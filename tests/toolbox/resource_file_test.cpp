// The resource file layout: exact bytes written, round trips, and refusal of
// every kind of inconsistent file without reading outside it.
#include <gtest/gtest.h>

#include <cstdint>

#include "toolbox/big_endian_bytes.h"
#include "toolbox/resource_file_format.h"
#include "toolbox/resource_test_support.h"
#include "toolbox/resources.h"

namespace {

using resource_test::Bytes;
using resource_test::Hex;
using toolbox::ParseResourceFile;
using toolbox::ResourceFileContents;
using toolbox::ResourceRecord;
using toolbox::SerializeResourceFile;

constexpr ResType kStr = FourCharCode("STR#");
constexpr ResType kExtS = FourCharCode("ExtS");

ResourceFileContents SampleContents() {
  ResourceFileContents contents;
  contents.resources.push_back({kStr, 2015, std::string("General"), resPurgeable, Bytes(std::string_view("\x00\x01\x02hi", 5))});
  contents.resources.push_back({kExtS, 128, std::string("Resp Settings"), 0, Bytes("settings")});
  contents.resources.push_back({kStr, -4000, std::nullopt, resPreload | resLocked, {}});
  contents.resources.push_back({kExtS, 129, std::nullopt, 0, Bytes("x")});
  return contents;
}

std::vector<unsigned char> SampleFile() {
  std::vector<unsigned char> bytes;
  EXPECT_EQ(SerializeResourceFile(SampleContents(), bytes), noErr);
  return bytes;
}

std::uint32_t U32At(const std::vector<unsigned char>& b, std::size_t at) {
  return *toolbox::BigEndianReader(b).U32(at);
}
std::uint16_t U16At(const std::vector<unsigned char>& b, std::size_t at) {
  return *toolbox::BigEndianReader(b).U16(at);
}
void PutU16(std::vector<unsigned char>& b, std::size_t at, std::uint16_t v) {
  b[at] = static_cast<unsigned char>(v >> 8);
  b[at + 1] = static_cast<unsigned char>(v);
}
void PutU32(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v) {
  PutU16(b, at, static_cast<std::uint16_t>(v >> 16));
  PutU16(b, at + 2, static_cast<std::uint16_t>(v));
}

// Header, data and map at the documented offsets: one 'STR#' 2015 named "AB"
// holding "xyz", and the empty file (no types, a 30-byte map).
TEST(ResourceFileLayout, FilesAreWrittenAtTheDocumentedOffsets) {
  ResourceFileContents contents;
  contents.resources.push_back({kStr, 2015, std::string("AB"), resPurgeable, Bytes("xyz")});
  std::vector<unsigned char> file;
  ASSERT_EQ(SerializeResourceFile(contents, file), noErr);
  const std::string header = "00000100 00000107 00000007 00000035 ";
  EXPECT_EQ(std::vector<unsigned char>(file.begin(), file.begin() + 16), Hex(header));
  EXPECT_EQ(std::vector<unsigned char>(file.begin() + 256, file.end()),
            Hex("00000003 78797A " + header +
                "00000000 0000 0000 001C 0032 "       // map: handle, file, attributes, type and name lists
                "0000 53545223 0000 000A "            // one type, one reference at 10
                "07DF 0000 20000000 00000000 "        // id, no name offset, attributes and data offset
                "02 4142"));                          // the name list
  const std::vector<unsigned char> empty = toolbox::EmptyResourceFileBytes();
  ASSERT_EQ(empty.size(), 256u + 30u);
  EXPECT_EQ(std::vector<unsigned char>(empty.begin() + 256, empty.end()),
            Hex("00000100 00000100 00000000 0000001E 00000000 0000 0000 001C 001E FFFF"));
}

TEST(ResourceFileLayout, RoundTripKeepsEveryFieldAndTheOrderWithinEachType) {
  ResourceFileContents contents = SampleContents();
  contents.fileAttributes = mapCompact;
  std::vector<unsigned char> file;
  ASSERT_EQ(SerializeResourceFile(contents, file), noErr);
  ResourceFileContents parsed;
  ASSERT_EQ(ParseResourceFile(file, parsed), noErr);
  // Written grouped by type: both 'STR#' first, then both 'ExtS'.
  ResourceFileContents grouped;
  grouped.fileAttributes = mapCompact;
  for (int i : {0, 2, 1, 3}) grouped.resources.push_back(contents.resources[static_cast<std::size_t>(i)]);
  EXPECT_EQ(parsed, grouped);
}

// At each limit the write succeeds; one past it, it is refused, not truncated.
TEST(ResourceFileLimits, NamesAndOffsetsStopExactlyAtTheFormatsLimits) {
  ResourceFileContents contents;
  contents.resources.push_back({kStr, 1, std::string(255, 'n'), 0,
                                std::vector<unsigned char>(toolbox::kMaxResourceDataArea - 5)});
  contents.resources.push_back({kStr, 2, std::nullopt, 0, Bytes("last")});
  std::vector<unsigned char> file;
  ASSERT_EQ(SerializeResourceFile(contents, file), noErr);
  ResourceFileContents parsed;
  ASSERT_EQ(ParseResourceFile(file, parsed), noErr);
  EXPECT_EQ(parsed.resources[1].data, Bytes("last"));

  // The last entry would start at 16 MiB, past the 24-bit offset.
  std::vector<unsigned char> untouched{1, 2, 3};
  contents.resources[0].data.push_back(0);
  EXPECT_EQ(SerializeResourceFile(contents, untouched), writingPastEnd);
  contents.resources[0].data.clear();
  contents.resources[0].name->push_back('n');
  EXPECT_EQ(SerializeResourceFile(contents, untouched), paramErr);
  EXPECT_EQ(untouched, (std::vector<unsigned char>{1, 2, 3}));

  // Reference lists past 64 KiB of map cannot be addressed by 16-bit offsets.
  ResourceFileContents manyTypes;
  for (std::uint32_t t = 0; t < 6000; ++t) manyTypes.resources.push_back({0x41000000u + t, 1, std::nullopt, 0, {}});
  EXPECT_EQ(SerializeResourceFile(manyTypes, untouched), writingPastEnd);
}

TEST(ResourceFileValidation, EveryTruncationIsRefused) {
  const std::vector<unsigned char> file = SampleFile();
  for (std::size_t length = 0; length < file.size(); ++length) {
    ResourceFileContents parsed;
    const std::vector<unsigned char> cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
    EXPECT_EQ(ParseResourceFile(cut, parsed), mapReadErr) << "length " << length;
  }
}

// Each corruption points a structure outside its region or makes regions
// overlap; each must be refused.
struct Corruption {
  const char* what;
  void (*apply)(std::vector<unsigned char>& file, std::size_t map);
};

const Corruption kCorruptions[] = {
    {"data offset past the end", [](auto& f, std::size_t) { PutU32(f, 0, 0xFFFFFFF0u); }},
    {"data offset inside the header", [](auto& f, std::size_t) { PutU32(f, 0, 8); }},
    {"data length past the end", [](auto& f, std::size_t) { PutU32(f, 8, 0xFFFFFFFFu); }},
    {"data area overlapping the map", [](auto& f, std::size_t) { PutU32(f, 8, U32At(f, 8) + 4); }},
    {"map offset past the end", [](auto& f, std::size_t) { PutU32(f, 4, static_cast<std::uint32_t>(f.size())); }},
    {"map length past the end", [](auto& f, std::size_t) { PutU32(f, 12, U32At(f, 12) + 1); }},
    {"map length too short for its header", [](auto& f, std::size_t) { PutU32(f, 12, 20); }},
    {"type list inside the map header", [](auto& f, std::size_t m) { PutU16(f, m + 24, 4); }},
    {"type list past the map", [](auto& f, std::size_t m) { PutU16(f, m + 24, 0xFFF0); }},
    {"name list past the map", [](auto& f, std::size_t m) { PutU16(f, m + 26, 0xFFF0); }},
    {"type count past the map", [](auto& f, std::size_t m) { PutU16(f, m + 28, 0x2000); }},
    {"reference count past the map", [](auto& f, std::size_t m) { PutU16(f, m + 34, 0x0FFF); }},
    {"reference list past the map", [](auto& f, std::size_t m) { PutU16(f, m + 36, 0xFFF0); }},
    {"reference lists overlapping", [](auto& f, std::size_t m) { PutU16(f, m + 44, U16At(f, m + 36)); }},
    {"reference list overlapping the type list", [](auto& f, std::size_t m) { PutU16(f, m + 36, 2); }},
    {"the same type twice", [](auto& f, std::size_t m) { PutU32(f, m + 38, U32At(f, m + 30)); }},
    {"name offset past the map", [](auto& f, std::size_t m) { PutU16(f, m + 28 + 18 + 2, 0xFFF0); }},
    {"name running past the map", [](auto& f, std::size_t) { f[f.size() - 14] = 0xFF; }},
    {"data offset past the data area",
     [](auto& f, std::size_t m) { PutU32(f, m + 28 + 18 + 4, resPurgeable << 24 | 0xFFFFFF); }},
    {"data length past the data area", [](auto& f, std::size_t) { PutU32(f, 256, 0x7FFFFFFF); }},
    {"two resources sharing their data",
     [](auto& f, std::size_t m) { PutU32(f, m + 28 + 18 + 12 + 4, U32At(f, m + 28 + 18 + 4)); }},
};

TEST(ResourceFileValidation, CorruptedOffsetsLengthsAndCountsAreRefused) {
  const std::vector<unsigned char> good = SampleFile();
  const std::size_t map = U32At(good, 4);
  // The corruptions above address this layout: two types, two references each.
  ASSERT_EQ(U16At(good, map + 28), 1u);
  ASSERT_EQ(U16At(good, map + 36), 18u);
  for (const Corruption& c : kCorruptions) {
    std::vector<unsigned char> file = good;
    c.apply(file, map);
    ASSERT_NE(file, good) << c.what;
    ResourceFileContents parsed;
    EXPECT_EQ(ParseResourceFile(file, parsed), mapReadErr) << c.what;
    EXPECT_TRUE(parsed.resources.empty()) << c.what;
  }
}

// Whatever a single byte holds, the reader either refuses the file or
// returns contents that serialise and read back to the same thing.
TEST(ResourceFileValidation, EveryByteOfASmallFileMayHoldAnyValue) {
  ResourceFileContents small;
  small.resources.push_back({kStr, 128, std::string("n"), 0, Bytes("ab")});
  small.resources.push_back({kExtS, 129, std::nullopt, 0, Bytes("c")});
  std::vector<unsigned char> good;
  ASSERT_EQ(SerializeResourceFile(small, good), noErr);
  for (std::size_t at = 0; at < good.size(); ++at) {
    for (int value : {0x00, 0x01, 0x7F, 0x80, 0xFF, good[at] ^ 0x10, good[at] ^ 0x01}) {
      std::vector<unsigned char> file = good;
      file[at] = static_cast<unsigned char>(value);
      ResourceFileContents parsed;
      const OSErr err = ParseResourceFile(file, parsed);
      ASSERT_TRUE(err == noErr || err == mapReadErr) << "byte " << at;
      if (err != noErr) continue;
      std::vector<unsigned char> again;
      ASSERT_EQ(SerializeResourceFile(parsed, again), noErr) << "byte " << at;
      ResourceFileContents reparsed;
      ASSERT_EQ(ParseResourceFile(again, reparsed), noErr) << "byte " << at;
      EXPECT_EQ(parsed, reparsed) << "byte " << at;
    }
  }
}

}  // namespace
