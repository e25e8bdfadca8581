// Reading pictures that other writers made, and refusing damaged ones without
// reading outside the bytes (the sanitizer pass checks the latter).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolbox/big_endian_bytes.h"
#include "toolbox/pict.h"

namespace {

using toolbox::BigEndianWriter;
using toolbox::DrawKind;

constexpr Rect kFrame{0, 0, 100, 100};

// A picture under construction: header done, opcodes appended by the test.
class PictBuilder {
 public:
  PictBuilder() {
    out.U16(0);
    Rect(kFrame);
    out.U16(0x0011);
    out.U16(0x02FF);
    out.U16(0x0C00);
    out.Zeros(24);
  }
  void Rect(const ::Rect& r) {
    for (SInt16 v : {r.top, r.left, r.bottom, r.right}) out.S16(v);
  }
  void Point(SInt16 v, SInt16 h) {
    out.S16(v);
    out.S16(h);
  }
  std::vector<unsigned char> Finish() {
    out.PadToEven();
    out.U16(0x00FF);
    return out.Take();
  }
  BigEndianWriter out;
};

std::vector<unsigned char> SamplePicture() {
  toolbox::DrawOp line;
  line.kind = DrawKind::kLine;
  line.from = Point{1, 2};
  line.to = Point{30, 40};
  toolbox::DrawOp text;
  text.kind = DrawKind::kText;
  text.from = Point{50, 5};
  text.text = "abc";
  toolbox::DrawOp image;
  image.kind = DrawKind::kImage;
  image.rect = Rect{0, 0, 2, 2};
  image.imageWidth = 2;
  image.imageHeight = 2;
  image.imagePixels = {1, 2, 3, 4};
  return toolbox::WritePict(kFrame, {{line, text, image}});
}

TEST(PictReader, EveryTruncationOfAPictureIsRefused) {
  const std::vector<unsigned char> whole = SamplePicture();
  ASSERT_TRUE(toolbox::ReadPict(whole));
  for (std::size_t length = 0; length < whole.size(); ++length) {
    // A copy of exactly `length` bytes, so any read past it is caught.
    const std::vector<unsigned char> cut(whole.begin(), whole.begin() + static_cast<long>(length));
    std::string error;
    EXPECT_FALSE(toolbox::ReadPict(cut, &error)) << "length " << length;
    EXPECT_FALSE(error.empty()) << "length " << length;
  }
}

TEST(PictReader, ATruncatedOpcodeIsNamedInTheError) {
  PictBuilder b;
  b.out.U16(0x0020);  // Line needs 8 bytes of operands
  b.Point(1, 2);
  std::vector<unsigned char> bytes = b.out.Take();
  std::string error;
  EXPECT_FALSE(toolbox::ReadPict(bytes, &error));
  EXPECT_EQ(error, "truncated opcode 0x0020 at byte 40");

  PictBuilder comment;
  comment.out.U16(0x00A1);  // LongComment claiming more than there is
  comment.out.U16(100);
  comment.out.U16(0xFFFF);
  EXPECT_FALSE(toolbox::ReadPict(comment.Finish(), &error));
  EXPECT_NE(error.find("truncated opcode 0x00A1"), std::string::npos) << error;
}

TEST(PictReader, RefusesWhatItCannotReadSafely) {
  std::string error;
  std::vector<unsigned char> v1{0, 20, 0, 0, 0, 0, 0, 10, 0, 10, 0x11, 0x01, 0xFF, 0};
  EXPECT_FALSE(toolbox::ReadPict(v1, &error));
  EXPECT_EQ(error, "version 1 pictures are not supported");

  PictBuilder packBits;
  packBits.out.U16(0x0098);
  packBits.out.Zeros(64);
  EXPECT_FALSE(toolbox::ReadPict(packBits.Finish(), &error));
  EXPECT_EQ(error, "unsupported pixel opcode 0x0098");

  PictBuilder badClip;
  badClip.out.U16(0x0001);
  badClip.out.U16(4);
  EXPECT_FALSE(toolbox::ReadPict(badClip.Finish(), &error));
  EXPECT_EQ(error, "bad clip region size");

  PictBuilder unterminated;
  unterminated.out.U16(0x001E);
  EXPECT_FALSE(toolbox::ReadPict(unterminated.out.Take(), &error));
  EXPECT_EQ(error, "picture ends without its end opcode");
}

TEST(PictReader, ReadsTheShortFormsOfOtherWriters) {
  PictBuilder b;
  b.out.U16(0x000E);  // FgColor, classic red
  b.out.U32(205);
  b.out.U16(0x0022);  // ShortLine from (10,10) by (+5,-3)
  b.Point(10, 10);
  b.out.U8(5);
  b.out.U8(static_cast<std::uint8_t>(-3));
  b.out.U16(0x0023);  // ShortLineFrom by (-5, 0)
  b.out.U8(static_cast<std::uint8_t>(-5));
  b.out.U8(0);
  b.out.U16(0x0021);  // LineFrom to (20, 30)
  b.Point(20, 30);
  b.out.U16(0x0028);  // LongText "ab" at (40, 4)
  b.Point(40, 4);
  b.out.PString("ab");
  b.out.PadToEven();
  b.out.U16(0x0029);  // DHText: 12 further right
  b.out.U8(12);
  b.out.PString("c");
  b.out.PadToEven();
  b.out.U16(0x0030);  // frameRect
  b.Rect(Rect{1, 2, 3, 4});
  b.out.U16(0x0059);  // paintSameOval: the last rectangle
  b.out.U16(0x00A0);  // ShortComment
  b.out.U16(100);
  b.out.U16(0x00A1);  // LongComment with 3 bytes, then the pad
  b.out.U16(200);
  b.out.U16(3);
  b.out.Zeros(4);
  b.out.U16(0x0200);  // reserved: 2 × 2 bytes
  b.out.Zeros(4);
  b.out.U16(0x8000);  // reserved, no data
  b.out.U16(0x8100);  // reserved, long length
  b.out.U32(2);
  b.out.Zeros(2);
  b.out.U16(0x000B);  // OvSize 6 × 4
  b.Point(4, 6);
  b.out.U16(0x0041);  // paintRRect
  b.Rect(Rect{5, 5, 9, 9});
  b.out.U16(0x0061);  // paintArc: skipped
  b.Rect(Rect{5, 5, 9, 9});
  b.out.Zeros(4);
  b.out.U16(0x0070);  // framePoly: its edges as lines
  b.out.U16(10 + 3 * 4);
  b.Rect(Rect{0, 0, 10, 10});
  b.Point(0, 0);
  b.Point(0, 10);
  b.Point(10, 10);
  b.out.U16(0x0081);  // paintRgn of a rectangular region
  b.out.U16(10);
  b.Rect(Rect{7, 8, 9, 10});
  b.out.U16(0x000C);  // Origin moved by (dh 10, dv 20): later coordinates shift back
  b.out.S16(10);
  b.out.S16(20);
  b.out.U16(0x0030);
  b.Rect(Rect{20, 10, 30, 20});

  std::string error;
  const auto contents = toolbox::ReadPict(b.Finish(), &error);
  ASSERT_TRUE(contents) << error;
  const auto& ops = contents->list.ops;
  ASSERT_EQ(ops.size(), 12u);
  EXPECT_EQ(ops[0].from, (Point{10, 10}));
  EXPECT_EQ(ops[0].to, (Point{7, 15}));
  EXPECT_EQ(ops[0].state.foreColor, (RGBColor{0xFFFF, 0, 0}));
  EXPECT_EQ(ops[1].from, (Point{7, 15}));
  EXPECT_EQ(ops[1].to, (Point{7, 10}));
  EXPECT_EQ(ops[2].to, (Point{20, 30}));
  EXPECT_EQ(ops[3].text, "ab");
  EXPECT_EQ(ops[4].text, "c");
  EXPECT_EQ(ops[4].from, (Point{40, 16}));
  EXPECT_EQ(ops[5].kind, DrawKind::kFrameRect);
  EXPECT_EQ(ops[6].kind, DrawKind::kPaintOval);
  EXPECT_EQ(ops[6].rect, (Rect{1, 2, 3, 4}));
  EXPECT_EQ(ops[7].kind, DrawKind::kPaintRoundRect);
  EXPECT_EQ(ops[7].rect, (Rect{5, 5, 9, 9}));
  EXPECT_EQ(ops[7].ovalSize, (Point{4, 6}));
  EXPECT_EQ(ops[8].to, (Point{0, 10}));
  EXPECT_EQ(ops[9].to, (Point{10, 10}));
  EXPECT_EQ(ops[10].kind, DrawKind::kPaintRect);
  EXPECT_EQ(ops[10].rect, (Rect{7, 8, 9, 10}));
  EXPECT_EQ(ops[11].rect, (Rect{0, 0, 10, 10}));
}

// Other writers fill shapes as polygons: a right triangle, paint and fill.
TEST(PictReader, FillsPolygonsRowByRow) {
  PictBuilder b;
  for (std::uint16_t opcode : {0x0071, 0x0074}) {
    b.out.U16(opcode);
    b.out.U16(10 + 4 * 4);
    b.Rect(Rect{0, 0, 4, 8});
    b.Point(0, 0);
    b.Point(0, 8);
    b.Point(4, 0);
    b.Point(0, 0);
  }
  std::string error;
  const auto contents = toolbox::ReadPict(b.Finish(), &error);
  ASSERT_TRUE(contents) << error;
  const auto& ops = contents->list.ops;
  ASSERT_EQ(ops.size(), 8u) << "one span for each of the 4 rows, twice";
  const SInt16 rights[] = {7, 5, 3, 1};  // the hypotenuse at each row's centre
  for (int row = 0; row < 4; ++row) {
    EXPECT_EQ(ops[row].kind, DrawKind::kPaintRect);
    EXPECT_EQ(ops[row].rect, (Rect{static_cast<SInt16>(row), 0, static_cast<SInt16>(row + 1), rights[row]}));
    EXPECT_EQ(ops[row + 4].kind, DrawKind::kFillRect);
  }
}

TEST(PictReader, AcceptsTheFileHeaderOfAPictFile) {
  std::vector<unsigned char> file(512, 0);
  const std::vector<unsigned char> picture = SamplePicture();
  file.insert(file.end(), picture.begin(), picture.end());
  const auto fromFile = toolbox::ReadPict(file);
  const auto bare = toolbox::ReadPict(picture);
  ASSERT_TRUE(fromFile && bare);
  EXPECT_EQ(*fromFile, *bare);
}

// DirectBitsRect with PackBits rows (packType 4), three components, cropped
// by its source rectangle.
TEST(PictReader, ReadsPackedDirectPixelsAndRefusesDamagedRows) {
  auto build = [](bool damaged) {
    PictBuilder b;
    b.out.U16(0x009A);
    b.out.U32(0xFF);
    b.out.U16(0x8000 | 12);          // rowBytes for 3 pixels, but at least 8: packed
    b.Rect(Rect{0, 0, 2, 3});        // 2 rows × 3 pixels
    b.out.U16(0);
    b.out.U16(4);                    // packType 4
    b.out.U32(0);
    b.out.U32(72 << 16);
    b.out.U32(72 << 16);
    b.out.U16(16);
    b.out.U16(32);
    b.out.U16(3);                    // R, G, B planes
    b.out.U16(8);
    b.out.Zeros(12);
    b.Rect(Rect{0, 1, 2, 3});        // source: the last two columns
    b.Rect(Rect{10, 10, 12, 12});
    b.out.U16(0);
    for (int row = 0; row < 2; ++row) {
      // 9 component bytes: a literal run of 3 reds, then greens and blues repeated.
      const std::vector<unsigned char> packed{2, 0x10, 0x20, 0x30, 0xFE, 0x40, 0xFE, static_cast<unsigned char>(row)};
      b.out.U8(static_cast<std::uint8_t>(damaged ? packed.size() - 1 : packed.size()));
      b.out.Bytes(std::span(packed.data(), damaged ? packed.size() - 1 : packed.size()));
    }
    return b.Finish();
  };
  std::string error;
  const auto contents = toolbox::ReadPict(build(false), &error);
  ASSERT_TRUE(contents) << error;
  ASSERT_EQ(contents->list.ops.size(), 1u);
  const toolbox::DrawOp& image = contents->list.ops[0];
  EXPECT_EQ(image.rect, (Rect{10, 10, 12, 12}));
  EXPECT_EQ(image.imageWidth, 2);
  EXPECT_EQ(image.imageHeight, 2);
  EXPECT_EQ(image.imagePixels, (std::vector<std::uint32_t>{0xFF204000, 0xFF304000, 0xFF204001, 0xFF304001}));

  EXPECT_FALSE(toolbox::ReadPict(build(true), &error));
  EXPECT_NE(error.find("pixel data"), std::string::npos) << error;
}

}  // namespace
