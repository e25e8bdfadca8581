// Data services: the bundle-wide data object, made once with argument 1 and
// passed first to every data service; the packed block offset.
#include <gtest/gtest.h>

#include <cstring>

#include "frame/host_services.h"
#include "frame/recording_host.h"
#include "vantor/byte_access.h"

namespace {

using DataServices = RecordingHost;

void* DataObject() { return ResultOf<void*, 654>(); }

TEST_F(DataServices, ObjectIsMadeOnceWithArgumentOneAndPassedFirst) {
  void* object = DataObject();
  EXPECT_EQ(DataBlockOfPosition(123456), 467);
  EXPECT_TRUE(LastCallWas(467, Arguments(object, 123456)));
  ASSERT_EQ(CallCount(654), 1);
  EXPECT_EQ(Calls().front().index, 654) << "the object is made before the first data call";
  EXPECT_EQ(Calls().front().arguments, Arguments(1));

  EXPECT_EQ(DataLockBlock468(2, 3), (ResultOf<Handle, 468>()));
  EXPECT_TRUE(LastCallWas(468, Arguments(object, 2, 3)));
  DataUnlockBlock469(2, 3);
  EXPECT_TRUE(LastCallWas(469, Arguments(object, 2, 3)));
  EXPECT_EQ(DataChannelHasBlock(4, 1), 470u);
  EXPECT_TRUE(LastCallWas(470, Arguments(object, 4, 1)));
  EXPECT_EQ(DataLockBlock471(1, 2), (ResultOf<Handle, 471>()));
  EXPECT_TRUE(LastCallWas(471, Arguments(object, 1, 2)));
  DataUnlockBlock472(1, 2);
  EXPECT_TRUE(LastCallWas(472, Arguments(object, 1, 2)));
  EXPECT_EQ(DataBlockLength(-1), 473);
  EXPECT_TRUE(LastCallWas(473, Arguments(object, -1)));
  auto* format = reinterpret_cast<vantor::BlockTimeFormat*>(0x7300);
  DataGetBlockRecord475(6, format);
  EXPECT_TRUE(LastCallWas(475, Arguments(object, 6, format)));
  auto* info = reinterpret_cast<vantor::ChannelScaleInfo*>(0x7400);
  DataGetChannelRecord477(2, 6, info);
  EXPECT_TRUE(LastCallWas(477, Arguments(object, 2, 6, info)));
  DataGetChannelRecord497(3, 7, info);
  EXPECT_TRUE(LastCallWas(497, Arguments(object, 3, 7, info)));
  auto* scaling = reinterpret_cast<vantor::ChannelScaling*>(0x7500);
  DataGetChannelRecord483(2, 6, scaling);
  EXPECT_TRUE(LastCallWas(483, Arguments(object, 2, 6, scaling)));
  DataGetChannelRecord485(3, 6, scaling);
  EXPECT_TRUE(LastCallWas(485, Arguments(object, 3, 6, scaling)));
  DataGetChannelRecord499(4, 6, scaling);
  EXPECT_TRUE(LastCallWas(499, Arguments(object, 4, 6, scaling)));
  DataGetChannelRecord501(5, 6, scaling);
  EXPECT_TRUE(LastCallWas(501, Arguments(object, 5, 6, scaling)));
  EXPECT_EQ(DataService487(9), 487u);
  EXPECT_TRUE(LastCallWas(487, Arguments(object, 9)));
  EXPECT_EQ(DataService489(9), 489);
  EXPECT_TRUE(LastCallWas(489, Arguments(object, 9)));
  std::int32_t a = 0;
  std::int32_t b = 0;
  DataService491(5000, &a, &b);
  EXPECT_TRUE(LastCallWas(491, Arguments(object, 5000, &a, &b)));
  EXPECT_EQ(DataService493(489), 493);
  EXPECT_TRUE(LastCallWas(493, Arguments(object, 489)));
  unsigned char record[vantor::kBlockRecord494Bytes] = {};
  DataService494(record, 2);
  EXPECT_TRUE(LastCallWas(494, Arguments(object, record, 2)));
  EXPECT_EQ(DataService496(1, 2), 496u);
  EXPECT_TRUE(LastCallWas(496, Arguments(object, 1, 2)));
  EXPECT_EQ(DataService504(2, 100, 16100), 504u);
  EXPECT_TRUE(LastCallWas(504, Arguments(object, 2, 100, 16100)));

  EXPECT_EQ(CallCount(654), 1) << "the object is kept, never made again";
}

TEST_F(DataServices, BlockOffsetPacksBlockThenOffsetAsNativeI16) {
  const BlockOffset packed = MakeBlockOffset(0x0102, -2);
  unsigned char expected[4];
  const std::int16_t block = 0x0102;
  const std::int16_t offset = -2;
  std::memcpy(expected, &block, 2);
  std::memcpy(expected + 2, &offset, 2);
  EXPECT_EQ(std::memcmp(packed.bytes, expected, sizeof expected), 0);
  static_assert(sizeof packed.bytes == 4);
}

// Reads the packed pair the way the host does.
std::int32_t PositionFromPacked(void*, const void* packed) {
  return vantor::LoadAt<std::int16_t>(packed, vantor::kBlockOffsetBlockAt) * 1000 +
         vantor::LoadAt<std::int16_t>(packed, vantor::kBlockOffsetOffsetAt);
}

TEST_F(DataServices, PositionOfBlockOffsetHandsThePackedPairToTheHost) {
  vantor::SetService<465>(Table(), &PositionFromPacked);
  EXPECT_EQ(DataPositionOfBlockOffset(MakeBlockOffset(7, 250)), 7250);
  EXPECT_EQ(DataPositionOfBlockOffset(MakeBlockOffset(3, 0)), 3000);
}

}  // namespace
