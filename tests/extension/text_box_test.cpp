#include "extension/text_box.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "support/port_fixture.h"
#include "vantor/byte_access.h"

using namespace spiro;

namespace {

namespace service = vantor::service;

constexpr std::uint32_t kBufferRef = 0x1234;

class TextBoxTest : public PortTest {
 protected:
  void SetUp() override {
    PortTest::SetUp();
    box_ = TextBox{};
    ResetTextBox(box_);
  }
  void TearDown() override {
    DisposeTextBox(box_);
    PortTest::TearDown();
  }

  TextBox box_;
  std::vector<Rect> bufferRects_;
  // The host's buffer service: hands out a buffer for any rectangle.
  Spy<service::HostService45> makeBuffer_{
      [this](unsigned char* record, const Rect* rect, std::int16_t, std::int16_t) {
        bufferRects_.push_back(*rect);
        vantor::StoreAt(record, kTextBoxBufferRefAt, kBufferRef);
      }};
  Spy<service::HostService48> releaseBuffer_;
  Spy<service::HostService50> drawToBuffer_;
  Spy<service::HostService51> drawToWindow_;
  std::vector<std::pair<Rect, Rect>> shown_;
  Spy<service::HostService54> showBuffer_{
      [this](void*, const Rect* buffer, const Rect* box, std::int16_t) {
        shown_.emplace_back(*buffer, *box);
      }};
};

TEST_F(TextBoxTest, UnbufferedBoxSetsFontSizeAndClipAndRestoresThemOrThePortBounds) {
  TextFont(3);
  TextSize(14);
  const Rect outerClip{10, 10, 150, 250};
  ClipRect(&outerClip);
  const Rect where{20, 30, 40, 130};
  SetTextBox(where, 1, 9, false, box_);
  EXPECT_EQ(makeBuffer_.count(), 0u);

  Rect drawInto{};
  BeginTextBox(box_, &drawInto);
  EXPECT_EQ(drawInto, where);
  FrameRect(&drawInto);
  ASSERT_FALSE(Drawn().ops.empty());
  const toolbox::DrawState& state = Drawn().ops.back().state;
  EXPECT_EQ(state.clip, where);
  EXPECT_EQ(state.textFont, 1);
  EXPECT_EQ(state.textSize, 9);

  EndTextBox(box_);
  EXPECT_EQ(GetPortTextFont(port_), 3);
  EXPECT_EQ(GetPortTextSize(port_), 14);
  EXPECT_EQ(port_->clipRect, outerClip);
  EXPECT_EQ(box_.savedClip, nullptr);
  EXPECT_TRUE(SpiedCallOrder().empty());

  // Without a region for the clip, the end clips to the port bounds.
  const auto handlesBefore = toolbox::LiveHandleCount(toolbox::CurrentMemoryOwner());
  toolbox::FailAllocationAfter(1);
  BeginTextBox(box_, &drawInto);
  EXPECT_EQ(box_.savedClip, nullptr);
  EXPECT_EQ(port_->clipRect, drawInto);
  EndTextBox(box_);
  EXPECT_EQ(port_->clipRect, kPortBounds);
  EXPECT_EQ(toolbox::LiveHandleCount(toolbox::CurrentMemoryOwner()), handlesBefore);
}

TEST_F(TextBoxTest, BufferedFontMakesABufferAtTheOriginAndPreparesIt) {
  SetTextBox(Rect{50, 60, 70, 160}, kBufferedTextFont, 10, false, box_);
  ASSERT_TRUE(IsTextBoxBuffered(box_));
  ASSERT_EQ(bufferRects_.size(), 1u);
  EXPECT_EQ(bufferRects_[0], (Rect{0, 0, 20, 100}));
  EXPECT_EQ(std::get<2>(makeBuffer_.last()), 1);
  EXPECT_EQ(std::get<3>(makeBuffer_.last()), 0);
  EXPECT_EQ(SpiedCallOrder(), (std::vector<int>{45, 50, 51}));
  EXPECT_EQ(std::get<0>(drawToBuffer_.last()), &box_);

  SpiedCallOrder().clear();
  Rect drawInto{};
  BeginTextBox(box_, &drawInto);
  EXPECT_EQ(drawInto, (Rect{0, 0, 20, 100}));
  EndTextBox(box_);
  EXPECT_EQ(SpiedCallOrder(), (std::vector<int>{50, 51, 54}));
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0].first, (Rect{0, 0, 20, 100}));
  EXPECT_EQ(shown_[0].second, (Rect{50, 60, 70, 160}));
  EXPECT_EQ(std::get<3>(showBuffer_.last()), 0);
}

TEST_F(TextBoxTest, ABufferIsKeptWhileTheBoxFitsRemadeWhenItDoesNotAndNeverMadeEmptyOrRefused) {
  SetTextBox(Rect{50, 60, 70, 160}, kBufferedTextFont, 10, false, box_);
  SetTextBox(Rect{80, 10, 100, 110}, kBufferedTextFont, 10, false, box_);  // moved, same size
  EXPECT_EQ(makeBuffer_.count(), 1u);
  EXPECT_EQ(releaseBuffer_.count(), 0u);

  SetTextBox(Rect{80, 10, 100, 120}, kBufferedTextFont, 10, false, box_);  // wider
  EXPECT_EQ(releaseBuffer_.count(), 1u);
  EXPECT_EQ(std::get<0>(releaseBuffer_.last()), &box_);
  EXPECT_EQ(makeBuffer_.count(), 2u);

  // A buffer at a fixed position covers the box itself and is remade when it moves.
  TextBox fixed{};
  ResetTextBox(fixed);
  SetTextBox(Rect{50, 60, 70, 160}, kBufferedTextFont, 10, true, fixed);
  EXPECT_EQ(bufferRects_.back(), (Rect{50, 60, 70, 160}));
  SetTextBox(Rect{51, 60, 71, 160}, kBufferedTextFont, 10, true, fixed);
  EXPECT_EQ(releaseBuffer_.count(), 2u);
  EXPECT_EQ(makeBuffer_.count(), 4u);
  DisposeTextBox(fixed);
  DisposeTextBox(fixed);
  EXPECT_FALSE(IsTextBoxBuffered(fixed));
  EXPECT_EQ(releaseBuffer_.count(), 3u) << "released once";

  // No buffer is asked for an empty box, and a refused one leaves the box unbuffered.
  DisposeTextBox(box_);
  SetTextBox(Rect{50, 60, 50, 160}, kBufferedTextFont, 10, false, box_);
  EXPECT_EQ(makeBuffer_.count(), 4u);
  const auto drawnToBuffer = drawToBuffer_.count();
  Spy<service::HostService45> refuse;
  SetTextBox(Rect{50, 60, 70, 160}, kBufferedTextFont, 10, false, box_);
  EXPECT_EQ(refuse.count(), 1u);
  EXPECT_FALSE(IsTextBoxBuffered(box_));
  EXPECT_EQ(drawToBuffer_.count(), drawnToBuffer);
  Rect drawInto{};
  BeginTextBox(box_, &drawInto);
  EXPECT_EQ(drawInto, (Rect{50, 60, 70, 160}));
  EndTextBox(box_);
}

}  // namespace
