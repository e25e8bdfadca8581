// Pictures placed on a page (161), drawn into a port of the test's own and
// kept for the job (the title, 160, is checked with the output jobs).
#include <gtest/gtest.h>

#include <cstring>

#include "drawing_test_port.h"
#include "host/output_requests.h"
#include "service_call.h"
#include "toolbox/resource_test_support.h"
#include "toolbox/memory.h"

namespace {

using namespace vantor::service;
using testext::Call;
using resource_test::PString;
using resource_test::TextOf;
using toolbox::DrawKind;

struct OutputRequests : testext::DrawingTest {
  void SetUp() override {
    DrawingTest::SetUp();
    host::PendingOutput() = host::OutputRequests{};
    const Rect frame{0, 0, 100, 200};
    picture = OpenPicture(&frame);
    ASSERT_NE(picture, nullptr);
    const Rect inner{10, 20, 90, 180};
    PaintRect(&inner);
    ClosePicture();
    ClearDisplayList();
  }
  void TearDown() override {
    KillPicture(picture);
    host::PendingOutput() = host::OutputRequests{};
    DrawingTest::TearDown();
  }
  std::int32_t Place(const Rect& destination, bool fit, Handle pic = nullptr) {
    const Rect frame{0, 0, 100, 200};  // drawn at scale 2: natural size 100 × 50
    Handle placed = pic != nullptr ? pic : reinterpret_cast<Handle>(picture);
    return Call<HostService161>(&destination, &frame, placed, std::int16_t{200}, std::int16_t{200}, fit);
  }
  Rect LastPlaced() const { return host::PendingOutput().pictures.back().placed; }
  PicHandle picture = nullptr;
};

TEST_F(OutputRequests, APictureKeepsItsNaturalSizeCentredOrShrunkToFit) {
  EXPECT_EQ(Place(Rect{0, 0, 300, 400}, true), 1);
  EXPECT_EQ(LastPlaced(), (Rect{125, 150, 175, 250}));
  EXPECT_EQ(Place(Rect{0, 0, 25, 100}, true), 1);
  EXPECT_EQ(LastPlaced(), (Rect{0, 25, 25, 75})) << "half size keeps the aspect";
  EXPECT_EQ(Place(Rect{10, 10, 10, 10}, true), 1);
  EXPECT_EQ(LastPlaced(), (Rect{10, 10, 60, 110})) << "no destination size: natural size at its corner";
  EXPECT_EQ(Place(Rect{0, 0, 300, 400}, false), 1);
  EXPECT_EQ(LastPlaced(), (Rect{0, 0, 300, 400})) << "without fit it fills the destination";

  ASSERT_EQ(host::PendingOutput().pictures.size(), 4u);
  const auto& kept = host::PendingOutput().pictures.front().pict;
  ASSERT_EQ(kept.size(), static_cast<std::size_t>(GetHandleSize(reinterpret_cast<Handle>(picture))));
  EXPECT_EQ(std::memcmp(kept.data(), *picture, kept.size()), 0) << "a copy, since the caller kills its own";
  EXPECT_FALSE(OpsOf(DrawKind::kPaintRect).empty()) << "drawn into the current port";
}

TEST_F(OutputRequests, MissingOrDamagedPicturesArePlacedNowhere) {
  Handle dead = NewHandle(8);
  DisposeHandle(dead);
  EXPECT_EQ(Place(Rect{0, 0, 300, 400}, true, dead), 0);
  Handle garbage = NewHandleClear(40);
  std::memset(*garbage, 0x7F, 40);
  EXPECT_EQ(Place(Rect{0, 0, 300, 400}, true, garbage), 0);
  DisposeHandle(garbage);
  const Rect frame{0, 0, 100, 200};
  EXPECT_EQ(Call<HostService161>(static_cast<const Rect*>(nullptr), &frame, reinterpret_cast<Handle>(picture),
                                 std::int16_t{100}, std::int16_t{100}, true),
            0);
  EXPECT_TRUE(host::PendingOutput().pictures.empty());
  EXPECT_TRUE(ops().empty());
}

}  // namespace
