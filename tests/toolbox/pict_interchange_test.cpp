// Pictures exchanged with other programs: what their writers produce is read
// (short forms, polygons, packed pixels), damaged pictures are refused without
// reading outside the bytes (the sanitizer pass checks that), and what is
// written names its fonts, keeps polylines compact and files carry the
// 512-byte header.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "toolbox/file_bytes.h"
#include "toolbox/pict.h"
#include "toolbox/resource_test_support.h"

namespace {

using resource_test::Hex;
using toolbox::DrawKind;
using toolbox::DrawOp;

constexpr Rect kFrame{0, 0, 100, 100};

// A version 2 picture framed (0,0)-(100,100) around the opcodes given in hex.
std::vector<unsigned char> Picture(const std::string& opcodes, bool ended = true) {
  std::vector<unsigned char> bytes =
      Hex("0000 0000 0000 0064 0064 0011 02FF 0C00 " + std::string(48, '0') + " " + opcodes);
  if (bytes.size() % 2 != 0) bytes.push_back(0);
  if (ended) bytes.insert(bytes.end(), {0x00, 0xFF});
  return bytes;
}

DrawOp Op(DrawKind kind, Point from, Point to = {}, const char* text = "", SInt16 font = 0) {
  DrawOp op;
  op.kind = kind;
  op.from = from;
  op.to = to;
  op.text = text;
  op.state.textFont = font;
  op.state.clip = Rect{0, 0, 200, 400};
  return op;
}

std::vector<unsigned char> SamplePicture() {
  DrawOp image = Op(DrawKind::kImage, {});
  image.rect = Rect{0, 0, 2, 2};
  image.imageWidth = image.imageHeight = 2;
  image.imagePixels = {1, 2, 3, 4};
  return toolbox::WritePict(kFrame,
                            {{Op(DrawKind::kLine, {1, 2}, {30, 40}), Op(DrawKind::kText, {50, 5}, {}, "abc"), image}});
}

TEST(PictReader, TruncatedOrUnreadablePicturesAreRefusedWithTheReason) {
  const std::vector<unsigned char> whole = SamplePicture();
  ASSERT_TRUE(toolbox::ReadPict(whole));
  for (std::size_t length = 0; length < whole.size(); ++length) {
    // A copy of exactly `length` bytes, so any read past it is caught.
    const std::vector<unsigned char> cut(whole.begin(), whole.begin() + static_cast<long>(length));
    std::string error;
    EXPECT_FALSE(toolbox::ReadPict(cut, &error)) << "length " << length;
    EXPECT_FALSE(error.empty()) << "length " << length;
  }

  // What it cannot read safely is refused with the reason.
  const std::pair<std::vector<unsigned char>, std::string> cases[] = {
      {Picture("0020 00010002", false), "truncated opcode 0x0020 at byte 40"},  // a Line needs 8 bytes
      {Picture("00A1 0064 FFFF"), "truncated opcode 0x00A1 at byte 40"},        // a LongComment claiming more
      {Hex("0014 0000 0000 000A 000A 1101 FF00"), "version 1 pictures are not supported"},
      {Picture("0098 " + std::string(128, '0')), "unsupported pixel opcode 0x0098"},
      {Picture("0001 0004"), "bad clip region size"},
      {Picture("001E", false), "picture ends without its end opcode"},
  };
  for (const auto& [bytes, expected] : cases) {
    std::string error;
    EXPECT_FALSE(toolbox::ReadPict(bytes, &error)) << expected;
    EXPECT_EQ(error, expected);
  }
}

TEST(PictReader, ReadsTheShortFormsOfOtherWriters) {
  std::string error;
  const auto contents = toolbox::ReadPict(Picture(
      "000E 000000CD "                              // FgColor, classic red
      "0022 000A000A 05FD "                         // ShortLine from (10,10) by (+5,-3)
      "0023 FB00 "                                  // ShortLineFrom by (-5, 0)
      "0021 0014001E "                              // LineFrom to (20, 30)
      "0028 00280004 026162 00 "                    // LongText "ab" at (40, 4), padded
      "0029 0C 0163 00 "                            // DHText: "c" 12 further right
      "0030 0001000200030004 "                      // frameRect
      "0059 "                                       // paintSameOval: the last rectangle
      "00A0 0064 "                                  // ShortComment
      "00A1 00C8 0003 00000000 "                    // LongComment with 3 bytes, then the pad
      "0200 00000000 "                              // reserved: 2 x 2 bytes
      "8000 "                                       // reserved, no data
      "8100 00000002 0000 "                         // reserved, long length
      "000B 00040006 "                              // OvSize 6 x 4
      "0041 0005000500090009 "                      // paintRRect
      "0061 0005000500090009 00000000 "             // paintArc: skipped
      "0070 0016 00000000000A000A 00000000 0000000A 000A000A "  // framePoly: its edges as lines
      "0081 000A 00070008 0009000A "                // paintRgn of a rectangular region
      "000C 000A 0014 "                             // Origin moved by (dh 10, dv 20)
      "0030 0014000A 001E0014"),                    // later coordinates shift back
      &error);
  ASSERT_TRUE(contents) << error;
  const auto& ops = contents->list.ops;
  ASSERT_EQ(ops.size(), 12u);
  EXPECT_EQ(ops[0].from, (Point{10, 10}));
  EXPECT_EQ(ops[0].to, (Point{7, 15}));
  EXPECT_EQ(ops[0].state.foreColor, (RGBColor{0xFFFF, 0, 0}));
  EXPECT_EQ(ops[1].to, (Point{7, 10}));
  EXPECT_EQ(ops[2].to, (Point{20, 30}));
  EXPECT_EQ(ops[3].text, "ab");
  EXPECT_EQ(ops[4].text, "c");
  EXPECT_EQ(ops[4].from, (Point{40, 16}));
  EXPECT_EQ(ops[5].kind, DrawKind::kFrameRect);
  EXPECT_EQ(ops[6].kind, DrawKind::kPaintOval);
  EXPECT_EQ(ops[6].rect, (Rect{1, 2, 3, 4}));
  EXPECT_EQ(ops[7].kind, DrawKind::kPaintRoundRect);
  EXPECT_EQ(ops[7].ovalSize, (Point{4, 6}));
  EXPECT_EQ(ops[8].to, (Point{0, 10}));
  EXPECT_EQ(ops[9].to, (Point{10, 10}));
  EXPECT_EQ(ops[10].kind, DrawKind::kPaintRect);
  EXPECT_EQ(ops[10].rect, (Rect{7, 8, 9, 10}));
  EXPECT_EQ(ops[11].rect, (Rect{0, 0, 10, 10}));
}

// Other writers fill shapes as polygons: a right triangle, paint and fill.
TEST(PictReader, FillsPolygonsRowByRow) {
  const std::string triangle = "001A 0000000000040008 00000000 00000008 00040000 00000000 ";
  const auto contents = toolbox::ReadPict(Picture("0071 " + triangle + "0074 " + triangle));
  ASSERT_TRUE(contents);
  const auto& ops = contents->list.ops;
  ASSERT_EQ(ops.size(), 8u) << "one span for each of the 4 rows, twice";
  const SInt16 rights[] = {7, 5, 3, 1};  // the hypotenuse at each row's centre
  for (int row = 0; row < 4; ++row) {
    EXPECT_EQ(ops[row].kind, DrawKind::kPaintRect);
    EXPECT_EQ(ops[row].rect, (Rect{static_cast<SInt16>(row), 0, static_cast<SInt16>(row + 1), rights[row]}));
    EXPECT_EQ(ops[row + 4].kind, DrawKind::kFillRect);
  }
}

// DirectBitsRect with PackBits rows (packType 4): 2 rows of 3 pixels, three
// component planes, cropped by its source rectangle to the last two columns.
TEST(PictReader, ReadsPackedDirectPixelsAndRefusesDamagedRows) {
  const std::string head =
      "009A 000000FF 800C 0000000000020003 0000 0004 00000000 00480000 00480000 0010 0020 0003 0008 "
      "000000000000000000000000 0000000100020003 000A000A000C000C 0000 ";
  // Each row: a literal run of 3 reds, then greens and blues repeated.
  std::string error;
  const auto contents = toolbox::ReadPict(Picture(head + "08 02102030FE40FE00 08 02102030FE40FE01"), &error);
  ASSERT_TRUE(contents) << error;
  ASSERT_EQ(contents->list.ops.size(), 1u);
  const toolbox::DrawOp& image = contents->list.ops[0];
  EXPECT_EQ(image.rect, (Rect{10, 10, 12, 12}));
  EXPECT_EQ(image.imageWidth, 2);
  EXPECT_EQ(image.imageHeight, 2);
  EXPECT_EQ(image.imagePixels, (std::vector<std::uint32_t>{0xFF204000, 0xFF304000, 0xFF204001, 0xFF304001}));

  EXPECT_FALSE(toolbox::ReadPict(Picture(head + "07 02102030FE40FE 07 02102030FE40FE"), &error));
  EXPECT_NE(error.find("pixel data"), std::string::npos) << error;
}

DrawOp TextOp(SInt16 font, const char* text, Point at) { return Op(DrawKind::kText, at, {}, text, font); }

// The FontName records in a picture: (font number, name).
std::vector<std::pair<int, std::string>> FontNames(const std::vector<unsigned char>& pict) {
  std::vector<std::pair<int, std::string>> names;
  for (std::size_t i = 0; i + 7 < pict.size(); ++i) {
    if (pict[i] != 0x00 || pict[i + 1] != 0x2C) continue;
    const std::size_t length = pict[i + 6];
    if (i + 7 + length > pict.size()) continue;
    names.emplace_back((pict[i + 4] << 8) | pict[i + 5],
                       std::string(pict.begin() + static_cast<long>(i) + 7,
                                   pict.begin() + static_cast<long>(i + 7 + length)));
  }
  return names;
}

TEST(PictInterchange, EveryFontUsedIsNamedOnceAndFontZeroReadsBold) {
  toolbox::DisplayList list;
  list.ops = {TextOp(0, "Report", {20, 5}), TextOp(21, "1.5", {40, 5}), TextOp(0, "FVC", {60, 5}),
              TextOp(20, "serif", {80, 5})};
  const std::vector<unsigned char> pict = toolbox::WritePict(Rect{0, 0, 200, 400}, list);
  const auto names = FontNames(pict);
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[0], (std::pair<int, std::string>{0, "Helvetica"}));
  EXPECT_EQ(names[1], (std::pair<int, std::string>{21, "Helvetica"}));
  EXPECT_EQ(names[2], (std::pair<int, std::string>{20, "Times"}));
  const std::size_t face = std::string(pict.begin(), pict.end()).find(std::string("\x00\x04\x01", 3));
  EXPECT_NE(face, std::string::npos) << "font 0's text carries the bold face for other readers";

  const auto back = toolbox::ReadPict(pict);
  ASSERT_TRUE(back);
  ASSERT_EQ(back->list.ops.size(), 4u);
  EXPECT_EQ(back->list.ops[0].state.textFace, normal) << "and reads back as it was drawn";
  EXPECT_EQ(back->list.ops[1].text, "1.5");
}

TEST(PictInterchange, PolylinesUseShortLinesAndReadBackExactly) {
  toolbox::DisplayList list;
  Point previous{100, 0};
  for (int i = 1; i < 2000; ++i) {
    const Point next{static_cast<SInt16>(100 + std::lround(60 * std::sin(i / 50.0))), static_cast<SInt16>(i / 5)};
    list.ops.push_back(Op(DrawKind::kLine, previous, next));
    previous = next;
  }
  list.ops[1000].to.v = static_cast<SInt16>(list.ops[1000].from.v + 150);  // a jump too long for a byte
  list.ops[1001].from = list.ops[1000].to;
  list.ops[1500].from.h = static_cast<SInt16>(list.ops[1500].from.h + 1);  // a gap: not continuing
  const std::vector<unsigned char> pict = toolbox::WritePict(Rect{0, 0, 200, 400}, list);
  EXPECT_LT(pict.size(), 2000u * 4 + 100) << "2 bytes of opcode and 2 of delta per segment, not 10";
  const auto back = toolbox::ReadPict(pict);
  ASSERT_TRUE(back);
  ASSERT_EQ(back->list.ops.size(), list.ops.size());
  for (std::size_t i = 0; i < list.ops.size(); ++i) {
    ASSERT_EQ(back->list.ops[i].from, list.ops[i].from) << i;
    ASSERT_EQ(back->list.ops[i].to, list.ops[i].to) << i;
  }
}

TEST(PictInterchange, FilesCarryTheHeaderAndRefuseNonPictures) {
  toolbox::DisplayList list;
  list.ops = {TextOp(1, "x", {20, 5})};
  const std::vector<unsigned char> pict = toolbox::WritePict(Rect{0, 0, 200, 400}, list);
  const std::string path = ::testing::TempDir() + "copy.pict";
  ASSERT_EQ(toolbox::WritePictFile(path, pict), noErr);
  std::vector<unsigned char> file;
  ASSERT_EQ(toolbox::ReadFileBytes(path, file), noErr);
  ASSERT_EQ(file.size(), pict.size() + 512);
  EXPECT_TRUE(std::all_of(file.begin(), file.begin() + 512, [](unsigned char b) { return b == 0; }));
  EXPECT_TRUE(std::equal(pict.begin(), pict.end(), file.begin() + 512));
  const auto fromFile = toolbox::ReadPict(file);
  ASSERT_TRUE(fromFile);
  EXPECT_TRUE(*fromFile == *toolbox::ReadPict(pict));

  const std::vector<unsigned char> junk(40, 0x7F);
  EXPECT_EQ(toolbox::WritePictFile(::testing::TempDir() + "junk.pict", junk), paramErr);
}

}  // namespace
