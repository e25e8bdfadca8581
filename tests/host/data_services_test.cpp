// The data services (465..504) through the table, on the current document.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "host/channel_units.h"
#include "host/computed_channels.h"
#include "host/document.h"
#include "host/host_state.h"
#include "host/sample_locks.h"
#include "service_call.h"
#include "test_extensions.h"
#include "toolbox/memory.h"
#include "vantor/byte_access.h"

namespace {

using namespace vantor::service;
using testext::CallData;

struct DataServices : testext::DocumentTest {
  void SetUp() override { Open(2, 6, 3); }
};

std::int32_t PositionOf(std::int16_t block, std::int16_t offset) {
  unsigned char packed[vantor::kBlockOffsetBytes];
  vantor::StoreAt(packed, vantor::kBlockOffsetBlockAt, block);
  vantor::StoreAt(packed, vantor::kBlockOffsetOffsetAt, offset);
  return CallData<DataPositionOfBlockOffset>(static_cast<const void*>(packed));
}

TEST_F(DataServices, PositionsAndBlockMinusOneForTheSampledOrLastBlock) {
  EXPECT_EQ(PositionOf(3, 5), 17);
  EXPECT_EQ(CallData<DataBlockOfPosition>(std::uint32_t{17}), 3);
  EXPECT_EQ(PositionOf(4, 0), -1) << "no such block";
  EXPECT_EQ(CallData<DataBlockOfPosition>(std::uint32_t{0xFFFFFFFF}), 0);
  EXPECT_EQ(CallData<DataBlockLength>(std::int16_t{0}), 0);
  document->AddBlock(0.02, 0, 9);
  EXPECT_EQ(CallData<DataBlockLength>(std::int16_t{-1}), 9) << "nothing sampled: the last block";
  EXPECT_EQ(PositionOf(-1, 0), 18);
  document->SetSamplingBlock(2);
  EXPECT_EQ(CallData<DataBlockLength>(std::int16_t{-1}), 6);
  EXPECT_EQ(PositionOf(-1, 1), 7);
  vantor::BlockTimeFormat format{};
  CallData<DataGetBlockRecord475>(std::int16_t{-1}, &format);
  EXPECT_DOUBLE_EQ(double{format.samplingInterval}, 0.01);
  EXPECT_EQ(CallData<DataService496>(std::int16_t{1}, std::int16_t{-1}), 1u);
  Handle h = CallData<DataLockBlock468>(std::int16_t{1}, std::int16_t{-1});
  ASSERT_NE(h, nullptr);
  EXPECT_FLOAT_EQ(reinterpret_cast<float*>(*h)[0], 0.01f + 0.1f);
  CallData<DataUnlockBlock469>(std::int16_t{1}, std::int16_t{-1});
  EXPECT_EQ(document->locks().lentCount(), 0u);
}

TEST_F(DataServices, StretchServicesDescribeRunsOfContinuingBlocks) {
  const std::uint32_t version = CallData<DataSamplesVersion>(std::int16_t{1});
  EXPECT_EQ(CallData<DataSamplesVersion>(std::int16_t{1}), version) << "asking changes nothing";
  document->AddBlock(0.02, 0, 4);  // another interval: a new stretch
  EXPECT_EQ(CallData<DataService487>(std::int16_t{1}), 0u);
  EXPECT_EQ(CallData<DataService487>(std::int16_t{2}), 1u);
  EXPECT_EQ(CallData<DataService487>(std::int16_t{4}), 0u);
  EXPECT_EQ(CallData<DataService493>(CallData<DataService489>(std::int16_t{4})), 4);
  EXPECT_EQ(CallData<DataService489>(std::int16_t{0}), 0);
  std::int32_t a = -5, b = -5;
  CallData<DataService491>(std::int32_t{7}, &a, &b);
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, 17) << "the stretch's last sample, inside its last block";
  EXPECT_EQ(CallData<DataBlockOfPosition>(static_cast<std::uint32_t>(b)), 3);
  CallData<DataService491>(std::int32_t{19}, &a, &b);
  EXPECT_EQ(a, 18);
  EXPECT_EQ(b, 21);
  CallData<DataService491>(std::int32_t{-3}, &a, &b);
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, 0);
  vantor::ChannelScaling other = host::DefaultScaling();
  other.gain = 2;
  document->SetScaling(1, 2, other);
  const std::uint32_t rescaled = CallData<DataSamplesVersion>(std::int16_t{1});
  EXPECT_NE(rescaled, version);
  EXPECT_EQ(CallData<DataService493>(CallData<DataService489>(std::int16_t{3})), 3);
  document->computed().MarkStale();
  EXPECT_NE(CallData<DataSamplesVersion>(std::int16_t{2}), rescaled);
}

TEST_F(DataServices, BlockRecordCarriesTheStartTime) {
  document->AddBlock(0.01, 3.5e9 + 0.25, 1);
  unsigned char record[vantor::kBlockRecord494Bytes];
  std::memset(record, 0xAB, sizeof record);
  CallData<DataService494>(record, std::int16_t{4});
  EXPECT_EQ(vantor::LoadAt<std::uint32_t>(record, 0), 3500000000u);
  EXPECT_EQ(vantor::LoadAt<std::int32_t>(record, 4), 1);
  EXPECT_EQ(vantor::LoadAt<std::uint32_t>(record, 8), 250000u);
  CallData<DataService494>(record, std::int16_t{0});
  EXPECT_EQ(vantor::LoadAt<std::uint32_t>(record, 0), 0u) << "no block: a zero record";
}

TEST_F(DataServices, LocksNestAreBalancedAndFreeTheirHandles) {
  const std::size_t before = toolbox::LiveHandleCount(toolbox::kSystemOwner);
  Handle first = CallData<DataLockBlock468>(std::int16_t{2}, std::int16_t{3});
  Handle again = CallData<DataLockBlock468>(std::int16_t{2}, std::int16_t{3});
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first, again) << "a nested lock lends the same handle";
  EXPECT_NE(HGetState(first) & kHandleLockedBit, 0) << "locked while lent";
  EXPECT_EQ(GetHandleSize(first), 6 * static_cast<Size>(sizeof(float)));
  EXPECT_FLOAT_EQ(reinterpret_cast<float*>(*first)[5], 0.02f + 0.2f + 0.005f);
  CallData<DataUnlockBlock469>(std::int16_t{2}, std::int16_t{3});
  EXPECT_TRUE(toolbox::IsLiveHandle(first)) << "still lent once";
  CallData<DataUnlockBlock469>(std::int16_t{2}, std::int16_t{3});
  EXPECT_FALSE(toolbox::IsLiveHandle(first));
  CallData<DataUnlockBlock469>(std::int16_t{2}, std::int16_t{3});  // unbalanced: ignored
  EXPECT_EQ(toolbox::LiveHandleCount(toolbox::kSystemOwner), before);
  EXPECT_EQ(CallData<DataLockBlock468>(std::int16_t{3}, std::int16_t{1}), nullptr) << "no channel 3";
  document->ClearSamples(1, 2);
  EXPECT_EQ(CallData<DataLockBlock468>(std::int16_t{1}, std::int16_t{2}), nullptr) << "no data there";
  EXPECT_EQ(CallData<DataChannelHasBlock>(std::int16_t{1}, std::int16_t{2}), 0u);
}

TEST_F(DataServices, ClippingIsReportedForTheRangeOnly) {
  std::vector<float> samples(6, 0.5f);
  samples[4] = -0.9765625f;
  document->SetSamples(1, 2, samples);
  const auto clipped = [](std::int32_t start, std::int32_t end) {
    return CallData<DataService504>(std::int16_t{1}, start, end);
  };
  EXPECT_EQ(clipped(0, 18), 1u);
  EXPECT_EQ(clipped(10, 11), 1u) << "block 2 offset 4 is position 10";
  EXPECT_EQ(clipped(0, 10), 0u) << "end is exclusive";
  EXPECT_EQ(clipped(11, 18), 0u);
  EXPECT_EQ(clipped(10, 10), 0u);
  EXPECT_EQ(clipped(-100, 100000), 1u) << "clamped to the document";
  samples[4] = 0.97f;
  samples[0] = std::nanf("");
  document->SetSamples(1, 2, samples);
  EXPECT_EQ(clipped(6, 7), 1u) << "not a number counts as clipped";
  EXPECT_EQ(clipped(7, 12), 0u);
  EXPECT_EQ(CallData<DataService504>(std::int16_t{9}, 0, 18), 0u);
}

TEST(DataServicesWithoutDocument, AnswerNothing) {
  host::SetCurrentDocument(nullptr);
  EXPECT_EQ(testext::Call<HostQueryValue>(std::int16_t{1539}), std::uint32_t(host::State().channelCount))
      << "the channel count is the host's own";
  EXPECT_EQ(CallData<DataBlockLength>(std::int16_t{1}), 0);
  EXPECT_EQ(CallData<DataLockBlock471>(std::int16_t{1}, std::int16_t{1}), nullptr);
  EXPECT_EQ(CallData<DataBlockOfPosition>(std::uint32_t{0}), 0);
  vantor::ChannelScaling out{};
  CallData<DataGetChannelRecord485>(std::int16_t{1}, std::int16_t{1}, &out);
  EXPECT_DOUBLE_EQ(double{out.info.unitFactor}, 1.0) << "the default scaling";
}

}  // namespace
