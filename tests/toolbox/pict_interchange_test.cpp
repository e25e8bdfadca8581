// Pictures as other programs read them: fonts named, polylines compact, and
// PICT files with their 512-byte header.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "toolbox/file_bytes.h"
#include "toolbox/pict.h"

namespace {

using toolbox::DrawKind;
using toolbox::DrawOp;

DrawOp TextOp(SInt16 font, const char* text, Point at) {
  DrawOp op;
  op.kind = DrawKind::kText;
  op.text = text;
  op.from = at;
  op.state.textFont = font;
  op.state.clip = Rect{0, 0, 200, 400};
  return op;
}

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
    DrawOp op;
    op.kind = DrawKind::kLine;
    op.from = previous;
    op.to = next;
    op.state.clip = Rect{0, 0, 200, 400};
    list.ops.push_back(op);
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
