// Icons from the resource chain (37) and offscreen text-box buffers (45, 48,
// 50, 51, 54), drawn into a port of the test's own.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "drawing_test_port.h"
#include "service_call.h"
#include "toolbox/compiled_resources.h"
#include "toolbox/memory.h"
#include "toolbox/resource_test_support.h"
#include "vantor/byte_access.h"

namespace {

using namespace vantor::service;
using testext::Call;
using resource_test::PString;
using toolbox::DrawKind;

struct IconServices : testext::DrawingTest {
  void SetUp() override {
    DrawingTest::SetUp();
    // 'ics#': image bit at pixel 0 only; mask over every row but the last.
    std::vector<unsigned char> mono(64, 0);
    mono[0] = 0x80;
    std::fill(mono.begin() + 32, mono.begin() + 62, 0xFF);
    // 'ics8': white but pixel 1 black (255) and pixel 2 the first red (215).
    std::vector<unsigned char> color(256, 0);
    color[1] = 255;
    color[2] = 215;
    resources.Add(FourCharCode("ics#"), 8100, mono);
    resources.Add(FourCharCode("ics8"), 8100, color);
    resources.Add(FourCharCode("ics#"), 8101, mono);
  }
  void DrawIcon(std::int16_t id, const Rect& rect) {
    Call<HostService37>(id, &rect, std::int16_t{16}, std::int16_t{16}, std::int16_t{0}, std::int16_t{1},
                        std::int16_t{0});
  }
  toolbox_test::RawResources resources;
};

TEST_F(IconServices, ColourAndOneBitIconsAreMaskedAndCentredAndAMissingOneFramed) {
  DrawIcon(8100, Rect{10, 10, 30, 30});
  DrawIcon(8101, Rect{0, 0, 16, 16});
  DrawIcon(8199, Rect{40, 40, 56, 56});
  const auto images = OpsOf(DrawKind::kImage);
  ASSERT_EQ(images.size(), 2u);
  const toolbox::DrawOp& icon = images.front();
  EXPECT_EQ(icon.rect, (Rect{12, 12, 28, 28}));
  ASSERT_EQ(icon.imagePixels.size(), 256u);
  EXPECT_EQ(icon.imagePixels[0], 0xFFFFFFFFu) << "index 0 of the system table is white";
  EXPECT_EQ(icon.imagePixels[1], 0xFF000000u);
  EXPECT_EQ(icon.imagePixels[2], 0xFFEE0000u);
  EXPECT_EQ(icon.imagePixels[255], 0u) << "outside the mask: transparent";
  EXPECT_EQ(images.back().imagePixels[0], 0xFF000000u) << "one bit: black";
  EXPECT_EQ(images.back().imagePixels[1], 0xFFFFFFFFu);
  const auto frames = OpsOf(DrawKind::kFrameRect);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames.front().rect, (Rect{40, 40, 56, 56}));
}

struct TextBufferServices : testext::DrawingTest {
  // The extension's text box: the first 34 bytes of 45's record, then its own fields.
  unsigned char box[64]{};
  std::uint32_t Reference() const { return vantor::LoadAt<std::uint32_t>(box, 30); }
  void MakeBuffer(const Rect& bounds) {
    unsigned char record[vantor::kTextBufferRecordBytes];
    Call<HostService45>(record, &bounds, std::int16_t{1}, std::int16_t{0});
    std::memcpy(box, record, 34);
  }
};

TEST_F(TextBufferServices, DrawingGoesToTheBufferAndIsShownInTheBox) {
  MakeBuffer(Rect{0, 0, 13, 200});
  ASSERT_NE(Reference(), 0u);
  Call<HostService50>(static_cast<void*>(box));
  GrafPtr current = nullptr;
  GetPort(&current);
  EXPECT_NE(current, port()) << "the buffer is current";
  MoveTo(5, 10);
  DrawString(PString("Flow 1.2").get());
  Call<HostService51>(static_cast<void*>(box));
  GetPort(&current);
  EXPECT_EQ(current, port());
  EXPECT_TRUE(ops().empty()) << "nothing reaches the window before it is shown";

  const Rect bufferRect{0, 0, 13, 200};
  const Rect boxRect{20, 30, 33, 230};
  Call<HostService54>(static_cast<void*>(box), &bufferRect, &boxRect, std::int16_t{0});
  ASSERT_FALSE(ops().empty());
  EXPECT_EQ(ops().front().kind, DrawKind::kEraseRect);
  EXPECT_EQ(ops().front().rect, boxRect);
  const auto texts = OpsOf(DrawKind::kText);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts.front().text, "Flow 1.2");
  EXPECT_EQ(texts.front().from, (Point{30, 35})) << "moved from the buffer to the box";

  Call<HostService48>(static_cast<void*>(box));
  Call<HostService50>(static_cast<void*>(box));  // released: ignored
  GetPort(&current);
  EXPECT_EQ(current, port());
}

TEST_F(TextBufferServices, EmptyBoundsDamagedReferencesAndNoMemoryAreHarmless) {
  MakeBuffer(Rect{0, 0, 0, 50});
  EXPECT_EQ(Reference(), 0u) << "empty bounds make no buffer";
  vantor::StoreAt(box, 30, std::uint32_t{0x1234});
  Call<HostService50>(static_cast<void*>(box));
  Call<HostService48>(static_cast<void*>(box));
  GrafPtr current = nullptr;
  GetPort(&current);
  EXPECT_EQ(current, port()) << "a reference that is no buffer is ignored";

  MakeBuffer(Rect{0, 0, 13, 200});
  Call<HostService50>(static_cast<void*>(box));
  DrawString(PString("x").get());
  Call<HostService51>(static_cast<void*>(box));
  const Rect rect{0, 0, 13, 200};
  toolbox::FailAllocationAfter(1);
  Call<HostService54>(static_cast<void*>(box), &rect, &rect, std::int16_t{0});
  toolbox::FailAllocationAfter(0);
  EXPECT_TRUE(OpsOf(DrawKind::kText).empty()) << "out of memory: the box is only erased";
  EXPECT_EQ(OpsOf(DrawKind::kEraseRect).size(), 1u);
  Call<HostService48>(static_cast<void*>(box));
}

}  // namespace
