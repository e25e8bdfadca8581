// The host's document paths under allocation failure and heap scrambling:
// a failed lock answers null, nothing leaks, and the next try succeeds.
#include <gtest/gtest.h>

#include "host/computed_channels.h"
#include "host/document.h"
#include "host/extension_registry.h"
#include "host/sample_locks.h"
#include "service_call.h"
#include "test_extensions.h"
#include "toolbox/memory.h"

namespace {

using namespace vantor::service;
using testext::Call;
using testext::CallData;

struct Faults : testext::DocumentTest {
  void SetUp() override { Open(2, 50, 2); }
  void TearDown() override {
    toolbox::FailAllocationAfter(0);
    toolbox::SetHeapScramble(false);
    DocumentTest::TearDown();
  }
  std::uint16_t Key(std::uint16_t code) const { return testext::KeyOf(code, scale); }
  host::Extension scale = testext::MakeScaleFunction();
};

TEST_F(Faults, AFailedRecordedLockAnswersNullAndHoldsNothing) {
  toolbox::FailAllocationAfter(1);
  EXPECT_EQ(CallData<DataLockBlock468>(std::int16_t{1}, std::int16_t{1}), nullptr);
  CallData<DataUnlockBlock469>(std::int16_t{1}, std::int16_t{1});  // the caller's pairing
  EXPECT_EQ(document->locks().lentCount(), 0u);
  Handle h = CallData<DataLockBlock468>(std::int16_t{1}, std::int16_t{1});
  EXPECT_NE(h, nullptr) << "one failure only";
  CallData<DataUnlockBlock469>(std::int16_t{1}, std::int16_t{1});
}

TEST_F(Faults, EveryAllocationOfAChainedComputationMayFail) {
  ASSERT_TRUE(document->computed().Attach(2, scale));
  Call<HostSubmitCommandShort>(Key(testext::kSetSource), std::int32_t{2}, std::int16_t{1});
  Call<HostSubmitCommandDouble>(Key(testext::kSetFactor), std::int32_t{2}, 2.0);
  const float expected = 2 * document->RecordedSamples(1, 2)[7];
  const std::size_t systemHandles = toolbox::LiveHandleCount(toolbox::kSystemOwner);
  for (long n = 1; n <= 8; ++n) {
    document->computed().MarkStale();
    toolbox::FailAllocationAfter(n);
    Handle h = CallData<DataLockBlock471>(std::int16_t{2}, std::int16_t{2});
    toolbox::FailAllocationAfter(0);
    if (h != nullptr) {
      EXPECT_FLOAT_EQ(reinterpret_cast<float*>(*h)[7], expected) << "failure at " << n;
      CallData<DataUnlockBlock472>(std::int16_t{2}, std::int16_t{2});
    }
    EXPECT_EQ(document->locks().lentCount(), 0u);
    EXPECT_EQ(toolbox::LiveHandleCount(toolbox::kSystemOwner), systemHandles) << "failure at " << n;
  }
  Handle h = CallData<DataLockBlock471>(std::int16_t{2}, std::int16_t{2});
  ASSERT_NE(h, nullptr);
  EXPECT_FLOAT_EQ(reinterpret_cast<float*>(*h)[7], expected);
  CallData<DataUnlockBlock472>(std::int16_t{2}, std::int16_t{2});
}

TEST_F(Faults, AFunctionWithoutMemoryIsNotAttached) {
  toolbox::FailAllocationAfter(1);
  EXPECT_FALSE(document->computed().Attach(1, scale));
  EXPECT_FALSE(document->computed().IsComputed(1));
  EXPECT_EQ(CallData<DataChannelHasBlock>(std::int16_t{1}, std::int16_t{1}), 1u) << "still its recording";
  EXPECT_TRUE(document->computed().Attach(1, scale));
}

TEST_F(Faults, ScrambledHeapsKeepLentBlocksInPlace) {
  toolbox::SetHeapScramble(true);
  ASSERT_TRUE(document->computed().Attach(2, scale));
  Call<HostSubmitCommandShort>(Key(testext::kSetSource), std::int32_t{2}, std::int16_t{1});
  Handle h = CallData<DataLockBlock471>(std::int16_t{2}, std::int16_t{1});
  ASSERT_NE(h, nullptr);
  const Ptr before = *h;
  for (int i = 0; i < 20; ++i) DisposeHandle(NewHandle(64));
  EXPECT_EQ(*h, before) << "a lent block never moves";
  EXPECT_EQ(reinterpret_cast<float*>(*h)[49], document->RecordedSamples(1, 1)[49]);
  CallData<DataUnlockBlock472>(std::int16_t{2}, std::int16_t{1});
}

}  // namespace
