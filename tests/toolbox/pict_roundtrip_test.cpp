// Pictures recorded with OpenPicture/ClosePicture: their bytes, reading them
// back, drawing them elsewhere, and running out of memory on the way.
#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "quickdraw_test_support.h"
#include "toolbox/fonts.h"
#include "toolbox/memory.h"
#include "toolbox/pict.h"
#include "toolbox/quickdraw.h"

namespace {

using qd_test::PStr;
using qd_test::ScopedPort;
using toolbox::DrawKind;

constexpr Rect kFrame{0, 0, 120, 240};

// Something of every kind, with the state changing in between.
void DrawSample() {
  const Rect clip{2, 2, 118, 238};
  ClipRect(&clip);
  MoveTo(10, 10);
  LineTo(200, 10);
  Line(-3, 4);
  PenSize(2, 3);
  PenMode(patXor);
  Pattern gray;
  PenPat(GetQDGlobalsGray(&gray));
  LineTo(5, 100);
  PenNormal();
  const RGBColor teal{0x1234, 0x8000, 0xFEDC};
  RGBForeColor(&teal);
  BackColor(yellowColor);
  Rect r{20, 30, 60, 90};
  for (auto shape : {FrameRect, PaintRect, EraseRect, InvertRect, FrameOval, PaintOval}) shape(&r);
  Pattern light;
  FillRect(&r, GetQDGlobalsLightGray(&light));
  FillRect(&r, &light);
  FrameRoundRect(&r, 8, 6);
  FillRoundRect(&r, 12, 10, &light);
  FillOval(&r, GetQDGlobalsDarkGray(&gray));
  TextFont(applFont);
  TextSize(9);
  TextFace(bold | italic);
  TextMode(grayishTextOr);
  MoveTo(15, 80);
  DrawString(PStr("Flow-Volume").data());
  TextFace(normal);
  DrawString(PStr(" loop").data());
  PenMode(addMax);
  OffsetRect(&r, 100, 0);
  PaintRect(&r);
  const std::uint32_t pixels[6] = {0xFF102030, 0x80FFFFFF, 0xFF000000, 0x00000000, 0xFFABCDEF, 0xFF00FF00};
  toolbox::DrawImage(Rect{90, 200, 106, 232}, 3, 2, pixels);
}

std::vector<unsigned char> BytesOf(PicHandle pic) {
  const auto h = reinterpret_cast<Handle>(pic);
  const auto* p = reinterpret_cast<const unsigned char*>(*h);
  return {p, p + GetHandleSize(h)};
}

TEST(PictRoundTrip, RecordedPictureParsesBackIntoTheSameOperations) {
  toolbox::DisplayList expected;
  {
    ScopedPort plain(kFrame);
    DrawSample();
    expected = plain.port().displayList;
  }
  ScopedPort scoped(kFrame);
  PicHandle pic = OpenPicture(&kFrame);
  ASSERT_NE(pic, nullptr);
  DrawSample();
  ClosePicture();
  ASSERT_EQ(QDError(), noErr);
  EXPECT_TRUE(scoped.ops().empty());  // the pen is hidden while a picture is open

  // A version 2 picture whose size word holds the low 16 bits of its length.
  const std::vector<unsigned char> bytes = BytesOf(pic);
  ASSERT_GT(bytes.size(), 40u);
  EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + 10, bytes.begin() + 16),
            (std::vector<unsigned char>{0x00, 0x11, 0x02, 0xFF, 0x0C, 0x00}));
  EXPECT_EQ((bytes[0] << 8) | bytes[1], static_cast<int>(bytes.size() & 0xFFFF));
  Rect bounds;
  EXPECT_EQ(*QDGetPictureBounds(pic, &bounds), kFrame);
  std::string error;
  const auto contents = toolbox::ReadPict(bytes, &error);
  ASSERT_TRUE(contents) << error;
  EXPECT_EQ(contents->frame, kFrame);
  ASSERT_EQ(contents->list.ops.size(), expected.ops.size());
  for (std::size_t i = 0; i < expected.ops.size(); ++i)
    EXPECT_EQ(contents->list.ops[i], expected.ops[i]) << "operation " << i;
  KillPicture(pic);
}

TEST(PictRoundTrip, TextLongerThanALongTextOpcodeContinuesWhereTheFirstPartEnds) {
  ScopedPort scoped(kFrame);
  TextSize(10);
  const std::string text(300, 'a');
  toolbox::DrawOp op;
  op.kind = DrawKind::kText;
  op.from = Point{50, 4};
  op.text = text;
  op.state.textSize = 10;
  const auto contents = toolbox::ReadPict(toolbox::WritePict(kFrame, {{op}}));
  ASSERT_TRUE(contents);
  ASSERT_EQ(contents->list.ops.size(), 2u);
  EXPECT_EQ(contents->list.ops[0].text + contents->list.ops[1].text, text);
  EXPECT_EQ(contents->list.ops[1].from.h, 4 + toolbox::MeasureText(systemFont, 10, normal, text.substr(0, 255)));
}

TEST(PictRoundTrip, DrawPictureMapsTheFrameOntoTheDestination) {
  ScopedPort scoped(kFrame);
  PicHandle pic = OpenPicture(&kFrame);
  ASSERT_NE(pic, nullptr);
  PenSize(2, 1);
  MoveTo(10, 20);
  LineTo(30, 40);
  TextSize(9);
  DrawString(PStr("x").data());
  ClosePicture();

  ScopedPort target(Rect{0, 0, 400, 600});
  const Rect clip{0, 0, 300, 300};
  ClipRect(&clip);
  const Rect destination{100, 50, 340, 530};
  DrawPicture(pic, &destination);
  const auto& ops = target.ops();
  ASSERT_EQ(ops.size(), 2u);  // twice the frame, moved: every coordinate and size doubles
  EXPECT_EQ(ops[0].from, (Point{140, 70}));
  EXPECT_EQ(ops[0].to, (Point{180, 110}));
  EXPECT_EQ(ops[0].state.penSize, (Point{2, 4}));
  EXPECT_EQ(ops[0].state.clip, (Rect{100, 50, 300, 300}));  // the port's clip still applies
  EXPECT_EQ(ops[1].state.textSize, 18);
  KillPicture(pic);
}

TEST(PictRoundTrip, OnlyOnePictureIsOpenPerPortAndADamagedOneDrawsNothing) {
  ScopedPort scoped(kFrame);
  PicHandle first = OpenPicture(&kFrame);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(OpenPicture(&kFrame), nullptr);
  EXPECT_EQ(QDError(), paramErr);
  ClosePicture();
  ClosePicture();  // nothing open any more
  EXPECT_EQ(QDError(), paramErr);
  std::fill(*reinterpret_cast<Handle>(first), *reinterpret_cast<Handle>(first) + 12, '\x7F');
  DrawPicture(first, &kFrame);
  EXPECT_EQ(QDError(), paramErr);
  EXPECT_TRUE(scoped.ops().empty());
  KillPicture(first);
}

// Every allocation in OpenPicture..ClosePicture may fail: the result is either
// no picture (memFullErr) or a picture that parses: complete, or empty with
// memFullErr from ClosePicture. Never a damaged one, never a crash.
TEST(PictRoundTrip, EveryAllocationFailureLeavesNoPictureOrAValidOne) {
  const std::size_t handlesBefore = toolbox::LiveHandleCount(toolbox::CurrentMemoryOwner());
  for (long n = 1;; ++n) {
    ScopedPort scoped(kFrame);
    toolbox::FailAllocationAfter(n);
    PicHandle pic = OpenPicture(&kFrame);
    if (pic == nullptr) {
      EXPECT_EQ(QDError(), memFullErr) << "failure point " << n;
      toolbox::FailAllocationAfter(0);
      continue;
    }
    DrawSample();
    ClosePicture();
    const OSErr closed = QDError();
    const bool failureHappened = toolbox::AllocationsCounted() >= n;
    toolbox::FailAllocationAfter(0);
    const auto contents = toolbox::ReadPict(BytesOf(pic));
    ASSERT_TRUE(contents) << "failure point " << n;
    if (closed == memFullErr) {
      EXPECT_TRUE(contents->list.ops.empty()) << "failure point " << n;
    } else {
      EXPECT_EQ(closed, noErr);
      EXPECT_FALSE(contents->list.ops.empty()) << "failure point " << n;
    }
    KillPicture(pic);
    if (!failureHappened) break;
  }
  EXPECT_EQ(toolbox::LiveHandleCount(toolbox::CurrentMemoryOwner()), handlesBefore);
}

}  // namespace
