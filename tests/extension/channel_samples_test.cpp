#include "extension/channel_samples.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "support/service_spy.h"
#include "frame/host_services.h"
#include "host/busy.h"
#include "host/document.h"
#include "host/host_context.h"
#include "host/sample_locks.h"
#include "toolbox/memory.h"

using namespace spiro;

namespace {

namespace service = vantor::service;

constexpr std::int16_t kChannel = 2;
constexpr std::int32_t kLengths[3] = {8, 10, 5};

// A document of three blocks of 8, 10 and 5 samples (positions 0..7, 8..17,
// 18..22). Sample i of block b on channel 2 is 100 b + i; channel 1 holds
// zeros. The host's own data services answer for it; spies only watch.
class ChannelSamplesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetHostServiceTable(host::ServicesAddress());
    document_.AddChannel("Pressure", "");
    document_.AddChannel("Flow", "Spirometer");
    for (int b = 1; b <= 3; ++b) {
      const auto length = static_cast<std::size_t>(kLengths[b - 1]);
      document_.AddBlock(0.01, 100.0 * b, kLengths[b - 1]);
      std::vector<float> samples(length);
      for (std::size_t i = 0; i < length; ++i) {
        samples[i] = 100.0f * static_cast<float>(b) + static_cast<float>(i);
      }
      document_.SetSamples(1, b, std::vector<float>(length, 0.0f));
      document_.SetSamples(kChannel, b, samples);
    }
    host::SetCurrentDocument(&document_);
    host::ResetHostContext();
    SpiedCallOrder().clear();
  }
  void TearDown() override {
    host::SetCurrentDocument(nullptr);
    if (destination_ != nullptr) DisposeHandle(destination_);
  }

  // A destination of `size` samples, each -1.
  Handle Destination(std::int32_t size) {
    if (destination_ != nullptr) DisposeHandle(destination_);
    destination_ = NewHandle(size * static_cast<Size>(sizeof(float)));
    const std::vector<float> unset(static_cast<std::size_t>(size), -1.0f);
    std::memcpy(*destination_, unset.data(), unset.size() * sizeof(float));
    return destination_;
  }

  std::vector<float> DestinationSamples() const {
    std::vector<float> samples(static_cast<std::size_t>(GetHandleSize(destination_)) /
                               sizeof(float));
    std::memcpy(samples.data(), *destination_, samples.size() * sizeof(float));
    return samples;
  }

  host::Document document_;
  Handle destination_ = nullptr;
  Spy<service::DataLockBlock468> lockRecorded_{kCallThrough};
  Spy<service::DataUnlockBlock469> unlockRecorded_{kCallThrough};
  Spy<service::DataLockBlock471> lockDisplayed_{kCallThrough};
  Spy<service::DataUnlockBlock472> unlockDisplayed_{kCallThrough};
};

// Reads across block boundaries: each block is locked through its own kind's
// services, given back before the next is taken and ticks the busy cursor; a
// block without samples is skipped but counted.
TEST_F(ChannelSamplesTest, ReadsAcrossBlocksLockingAndTickingPerBlock) {
  const struct {
    std::int32_t start, count;
    bool recorded, block2Empty;
    std::vector<float> read;
    int blocks;
  } cases[] = {
      {5, 10, true, false, {105, 106, 107, 200, 201, 202, 203, 204, 205, 206}, 2},
      {16, 4, false, false, {208, 209, 300, 301}, 2},
      {6, 14, true, false, {106, 107, 200, 201, 202, 203, 204, 205, 206, 207, 208, 209, 300, 301}, 3},
      {6, 14, true, true, {106, 107, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 300, 301}, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.start);
    if (c.block2Empty) document_.ClearSamples(kChannel, 2);
    SpiedCallOrder().clear();
    const int ticksBefore = host::Busy().ticks;
    ReadChannelSamples(Destination(c.count), kChannel, c.start, c.count, c.recorded);
    EXPECT_EQ(DestinationSamples(), c.read);
    std::vector<int> order;
    for (int b = 0; b < c.blocks; ++b) {
      order.insert(order.end(), {c.recorded ? 468 : 471, c.recorded ? 469 : 472});
    }
    EXPECT_EQ(SpiedCallOrder(), order);
    EXPECT_EQ(document_.locks().lentCount(), 0u);
    EXPECT_EQ(host::Busy().ticks - ticksBefore, c.blocks);
  }
}

TEST_F(ChannelSamplesTest, EveryAllocationFailureSkipsWholeBlocksAndReturnsEveryLock) {
  const std::vector<float> expected{106, 107, 200, 201, 202, 203, 204, 205,
                                    206, 207, 208, 209, 300, 301};
  bool sawSkippedBlock = false;
  for (long n = 1; n < 64; ++n) {
    Destination(14);
    toolbox::FailAllocationAfter(n);
    ReadChannelSamples(destination_, kChannel, 6, 14, true);
    toolbox::FailAllocationAfter(0);
    const std::vector<float> samples = DestinationSamples();
    for (std::size_t i = 0; i < samples.size(); ++i) {
      ASSERT_TRUE(samples[i] == expected[i] || samples[i] == -1.0f)
          << "failure point " << n << ", sample " << i;
    }
    ASSERT_EQ(document_.locks().lentCount(), 0u) << "failure point " << n;
    if (samples == expected) break;
    sawSkippedBlock = true;
  }
  EXPECT_TRUE(sawSkippedBlock);
}

TEST_F(ChannelSamplesTest, NeverWritesPastTheDestinationNorReadsPastTheBlockTheHostLends) {
  // A destination made for fewer samples than asked for.
  ReadChannelSamples(Destination(4), kChannel, 5, 10, true);
  EXPECT_EQ(DestinationSamples(), (std::vector<float>{105, 106, 107, 200}));
  // A host whose block 2 holds fewer samples than its stated length.
  Handle shortBlock = NewHandle(3 * sizeof(float));
  const float three[] = {200, 201, 202};
  std::memcpy(*shortBlock, three, sizeof three);
  Spy<service::DataLockBlock468> lendShort{
      [this, shortBlock](void*, std::int16_t channel, std::int16_t block) {
        if (block == 2) return shortBlock;
        return document_.locks().Lock(host::SampleKind::kRecorded, channel, block,
                                      document_.RecordedSamples(channel, block));
      }};
  ReadChannelSamples(Destination(8), kChannel, 6, 8, true);
  EXPECT_EQ(DestinationSamples(), (std::vector<float>{106, 107, 200, 201, 202, -1, -1, -1}));
  DisposeHandle(shortBlock);
}

TEST_F(ChannelSamplesTest, NothingHappensForANullDestinationAnEmptyCountOrAPositionOutside) {
  ReadChannelSamples(nullptr, kChannel, 0, 4, true);
  ReadChannelSamples(Destination(4), kChannel, 0, 0, true);
  ReadChannelSamples(destination_, kChannel, 0, -3, true);
  ReadChannelSamples(destination_, kChannel, 40, 4, true);
  EXPECT_EQ(lockRecorded_.count(), 0u);
  EXPECT_EQ(host::Busy().ticks, 0);
  EXPECT_EQ(DestinationSamples(), (std::vector<float>{-1, -1, -1, -1}));
}

}  // namespace
