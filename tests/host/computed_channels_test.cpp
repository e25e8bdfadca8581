// Computed channels: attaching, samples computed on demand and cached until
// stale, chains, cycles, notifications, settings records, detaching, failed
// allocations, scrambled heaps, and live replay (whose results against block
// computation are checked with the bundle's own functions).
#include <gtest/gtest.h>


#include "host/command_delivery.h"
#include "host/computed_channels.h"
#include "host/document.h"
#include "host/host_state.h"
#include "host/live_replay.h"
#include "host/sample_locks.h"
#include "service_call.h"
#include "test_extensions.h"
#include "toolbox/memory.h"

namespace {

using namespace vantor::service;
using testext::Call;
using testext::CallData;
using testext::Log;

struct Computed : testext::DocumentTest {
  void SetUp() override {
    Open(3, 5, 2);
    document->ClearSamples(3, 1);
    document->ClearSamples(3, 2);
    Log().Clear();
  }
  std::uint16_t Key(std::uint16_t code) const { return testext::KeyOf(code, scale); }
  std::vector<float> Shown(std::int16_t channel, std::int16_t block) {
    Handle h = CallData<DataLockBlock471>(channel, block);
    if (h == nullptr) return {};
    const auto* p = reinterpret_cast<const float*>(*h);
    std::vector<float> samples(p, p + GetHandleSize(h) / static_cast<Size>(sizeof(float)));
    CallData<DataUnlockBlock472>(channel, block);
    return samples;
  }
  void Submit(std::uint16_t code, std::int32_t channel, double value) {
    Call<HostSubmitCommandDouble>(Key(code), channel, value);
  }
  void TearDown() override {
    toolbox::FailAllocationAfter(0);
    toolbox::SetHeapScramble(false);
    DocumentTest::TearDown();
  }
  host::ComputedChannels& computed() { return document->computed(); }
  host::Extension scale = testext::MakeScaleFunction();
};

TEST_F(Computed, AttachAsksTheProtocolAndRefusesWhatCannotBeAttached) {
  EXPECT_TRUE(computed().Attach(2, scale));
  EXPECT_EQ(Log().notifications, (std::vector<std::int16_t>{8000}));
  EXPECT_FALSE(computed().Attach(2, scale)) << "one function per channel";
  EXPECT_FALSE(computed().Attach(4, scale)) << "no channel 4";
  host::Extension window = testext::MakeWindowExtension();
  EXPECT_FALSE(computed().Attach(1, window)) << "not a computed function";
  EXPECT_EQ(Call<HostService572>(std::int16_t{2}), scale.hostRef);
  EXPECT_EQ(Call<HostService572>(std::int16_t{1}), 0);
}

TEST_F(Computed, ComputesOnDemandAndCachesUntilACommand) {
  ASSERT_TRUE(computed().Attach(1, scale));
  const std::vector<float> recorded = document->RecordedSamples(1, 2);
  EXPECT_EQ(Shown(1, 2), recorded) << "factor 1 of its own recorded input";
  EXPECT_EQ(Shown(1, 2), recorded);
  EXPECT_EQ(computed().computations(), 1u) << "the second look is cached";
  Submit(testext::kSetFactor, 1, 2.0);
  const std::vector<float> doubled = Shown(1, 2);
  ASSERT_EQ(doubled.size(), recorded.size());
  for (std::size_t i = 0; i < doubled.size(); ++i) EXPECT_FLOAT_EQ(doubled[i], 2 * recorded[i]);
  EXPECT_EQ(computed().computations(), 2u) << "the command made the block stale";
  document->SetSamples(1, 2, std::vector<float>(5, 0.25f));
  EXPECT_EQ(Shown(1, 2), std::vector<float>(5, 0.5f)) << "a change of the source makes it stale";
  EXPECT_EQ(document->locks().lentCount(), 0u);
}

TEST_F(Computed, ChainsComputeTheirSourcesFirst) {
  ASSERT_TRUE(computed().Attach(2, scale));
  ASSERT_TRUE(computed().Attach(3, scale));
  Submit(testext::kSetFactor, 2, 2.0);
  Call<HostSubmitCommandShort>(Key(testext::kSetSource), std::int32_t{3}, std::int16_t{2});
  Submit(testext::kSetFactor, 3, 3.0);
  EXPECT_EQ(computed().InComputationOrder(), (std::vector<int>{2, 3}));
  Log().computedBlocks.clear();
  const std::vector<float> chained = Shown(3, 1);
  const std::vector<float>& recorded = document->RecordedSamples(2, 1);
  ASSERT_EQ(chained.size(), recorded.size());
  for (std::size_t i = 0; i < chained.size(); ++i) EXPECT_FLOAT_EQ(chained[i], 6 * recorded[i]);
  EXPECT_EQ(Log().computedBlocks.size(), 2u) << "channel 3 asked for channel 2's block";
  Submit(testext::kSetFactor, 2, 1.0);
  EXPECT_FLOAT_EQ(Shown(3, 1)[0], 3 * recorded[0]) << "a change up the chain reaches the end";
  EXPECT_EQ(CallData<DataChannelHasBlock>(std::int16_t{3}, std::int16_t{1}), 1u);
}

TEST_F(Computed, ChannelsReadingEachOtherHaveNoData) {
  ASSERT_TRUE(computed().Attach(2, scale));
  ASSERT_TRUE(computed().Attach(3, scale));
  Call<HostSubmitCommandShort>(Key(testext::kSetSource), std::int32_t{2}, std::int16_t{3});
  Call<HostSubmitCommandShort>(Key(testext::kSetSource), std::int32_t{3}, std::int16_t{2});
  EXPECT_EQ(CallData<DataChannelHasBlock>(std::int16_t{2}, std::int16_t{1}), 0u);
  EXPECT_EQ(CallData<DataLockBlock471>(std::int16_t{3}, std::int16_t{1}), nullptr);
  EXPECT_EQ(computed().InComputationOrder().size(), 2u) << "a cycle still lists every channel";
  vantor::ChannelScaling units{};
  CallData<DataGetChannelRecord483>(std::int16_t{2}, std::int16_t{1}, &units);  // must end
}

TEST_F(Computed, SettingsRecordsAreCopiedAndDeliveredWithTheirTrueSize) {
  ASSERT_TRUE(computed().Attach(1, scale));
  unsigned char record[10];
  vantor::StoreAt<std::int16_t>(record, 0, 2);
  vantor::StoreAt<double>(record, 2, 4.0);
  EXPECT_TRUE(host::SubmitSettingsRecord(*document, 1, record));
  EXPECT_FLOAT_EQ(Shown(1, 1)[0], 4 * document->RecordedSamples(2, 1)[0]);
  auto shortRecord = std::make_unique<unsigned char[]>(3);  // ASan guards its end
  EXPECT_TRUE(host::SubmitSettingsRecord(*document, 1, std::span(shortRecord.get(), 3)));
  EXPECT_EQ(Log().settingsSizes, (std::vector<std::int16_t>{10, 3}));
  EXPECT_FALSE(host::SubmitSettingsRecord(*document, 2, record)) << "no function on channel 2";
}

TEST_F(Computed, NotificationsAskSettingsAndChangeSources) {
  ASSERT_TRUE(computed().Attach(3, scale));
  Log().acceptEdit = true;
  EXPECT_TRUE(computed().EditSettings(3));
  Log().acceptEdit = false;
  EXPECT_FALSE(computed().EditSettings(3));
  EXPECT_FALSE(computed().EditSettings(1)) << "no function there";
  computed().ChangeSource(3, 1);
  EXPECT_FLOAT_EQ(Shown(3, 2)[4], document->RecordedSamples(1, 2)[4]);
  EXPECT_EQ(Log().notifications, (std::vector<std::int16_t>{8000, 8010, 8010, 8011}));
  ASSERT_EQ(document->journal().entries().size(), 1u) << "the source change is filed";
  EXPECT_EQ(document->journal().entries()[0].kind, host::JournalEntry::Kind::kSourceChange);

  // A function without the protocol edits through message 9: no 8010.
  Log().Clear();
  Log().answerProtocol = false;
  ASSERT_TRUE(computed().Attach(2, scale));
  Log().acceptEdit = true;
  EXPECT_TRUE(computed().EditSettings(2));
  EXPECT_EQ(Log().notifications, (std::vector<std::int16_t>{8000}));
}

TEST_F(Computed, ReopeningReplaysCommandsAndSourceChanges) {
  ASSERT_TRUE(computed().Attach(3, scale));
  computed().ChangeSource(3, 2);
  Submit(testext::kSetFactorTwice, 3, 2.0);
  const std::vector<float> before = Shown(3, 1);
  const auto blob = document->journal().Serialise();

  document = testext::MakeDocument(3, 5, 2);
  host::SetCurrentDocument(document.get());
  ASSERT_TRUE(computed().Attach(3, scale));
  const auto journal = host::CommandJournal::Deserialise(blob, nullptr);
  ASSERT_TRUE(journal);
  for (const auto& entry : journal->entries()) document->journal().Append(entry);
  EXPECT_EQ(host::ReplayJournal(*document), 2);
  EXPECT_EQ(Shown(3, 1), before) << "factor 3: set to 2, then re-submitted as 3 while performing";
  EXPECT_FLOAT_EQ(before[0], 3 * document->RecordedSamples(2, 1)[0]);
}

TEST_F(Computed, DetachingAndClosingFreeWhatTheFunctionsHungFromTheirRecords) {
  ASSERT_TRUE(computed().Attach(1, scale));
  ASSERT_TRUE(computed().Attach(2, scale));
  const toolbox::MemoryOwner a = computed().MemoryOwnerOf(1);
  const toolbox::MemoryOwner b = computed().MemoryOwnerOf(2);
  Submit(testext::kSetFactor, 1, 2.0);
  Submit(testext::kSetFactor, 2, 2.0);
  EXPECT_EQ(toolbox::LiveHandleCount(a), 2u) << "the record and its settings";
  computed().Detach(1);
  EXPECT_EQ(toolbox::LiveHandleCount(a), 0u);
  EXPECT_FALSE(computed().IsComputed(1));
  EXPECT_EQ(Shown(1, 1), document->RecordedSamples(1, 1)) << "shows its recording again";
  EXPECT_EQ(toolbox::LiveHandleCount(b), 2u);
  document.reset();
  EXPECT_EQ(toolbox::LiveHandleCount(b), 0u) << "closing the document detaches the rest";
}

// One failure only: the next try succeeds.
TEST_F(Computed, AFailedLockAnswersNullAndAFunctionWithoutMemoryIsNotAttached) {
  toolbox::FailAllocationAfter(1);
  EXPECT_EQ(CallData<DataLockBlock468>(std::int16_t{1}, std::int16_t{1}), nullptr);
  CallData<DataUnlockBlock469>(std::int16_t{1}, std::int16_t{1});  // the caller's pairing
  EXPECT_EQ(document->locks().lentCount(), 0u);
  toolbox::FailAllocationAfter(1);
  EXPECT_FALSE(computed().Attach(1, scale));
  EXPECT_FALSE(computed().IsComputed(1));
  EXPECT_EQ(CallData<DataChannelHasBlock>(std::int16_t{1}, std::int16_t{1}), 1u) << "still its recording";
  EXPECT_TRUE(computed().Attach(1, scale));
  Handle h = CallData<DataLockBlock468>(std::int16_t{1}, std::int16_t{1});
  EXPECT_NE(h, nullptr);
  CallData<DataUnlockBlock469>(std::int16_t{1}, std::int16_t{1});
}

TEST_F(Computed, EveryAllocationOfAChainedComputationMayFail) {
  ASSERT_TRUE(computed().Attach(2, scale));
  Call<HostSubmitCommandShort>(Key(testext::kSetSource), std::int32_t{2}, std::int16_t{1});
  Submit(testext::kSetFactor, 2, 2.0);
  const float expected = 2 * document->RecordedSamples(1, 2)[4];
  const std::size_t systemHandles = toolbox::LiveHandleCount(toolbox::kSystemOwner);
  for (long n = 1; n <= 8; ++n) {
    computed().MarkStale();
    toolbox::FailAllocationAfter(n);
    Handle h = CallData<DataLockBlock471>(std::int16_t{2}, std::int16_t{2});
    toolbox::FailAllocationAfter(0);
    if (h != nullptr) {
      EXPECT_FLOAT_EQ(reinterpret_cast<float*>(*h)[4], expected) << "failure at " << n;
      CallData<DataUnlockBlock472>(std::int16_t{2}, std::int16_t{2});
    }
    EXPECT_EQ(document->locks().lentCount(), 0u);
    EXPECT_EQ(toolbox::LiveHandleCount(toolbox::kSystemOwner), systemHandles) << "failure at " << n;
  }
  Handle h = CallData<DataLockBlock471>(std::int16_t{2}, std::int16_t{2});
  ASSERT_NE(h, nullptr);
  EXPECT_FLOAT_EQ(reinterpret_cast<float*>(*h)[4], expected);
  CallData<DataUnlockBlock472>(std::int16_t{2}, std::int16_t{2});
}

TEST_F(Computed, ScrambledHeapsKeepLentBlocksInPlace) {
  toolbox::SetHeapScramble(true);
  ASSERT_TRUE(computed().Attach(2, scale));
  Call<HostSubmitCommandShort>(Key(testext::kSetSource), std::int32_t{2}, std::int16_t{1});
  Handle h = CallData<DataLockBlock471>(std::int16_t{2}, std::int16_t{1});
  ASSERT_NE(h, nullptr);
  const Ptr before = *h;
  for (int i = 0; i < 20; ++i) DisposeHandle(NewHandle(64));
  EXPECT_EQ(*h, before) << "a lent block never moves";
  EXPECT_EQ(reinterpret_cast<float*>(*h)[4], document->RecordedSamples(1, 1)[4]);
  CallData<DataUnlockBlock472>(std::int16_t{2}, std::int16_t{1});
}

// Channel 3 = 3 × channel 2's output; channel 2 = 2 × its own input.
struct Live : Computed {
  void SetUp() override {
    Open(3, 700, 3);
    document->ClearSamples(3, 2);
    ASSERT_TRUE(computed().Attach(2, scale));
    ASSERT_TRUE(computed().Attach(3, scale));
    Submit(testext::kSetFactor, 2, 2.0);
    Call<HostSubmitCommandShort>(Key(testext::kSetSource), std::int32_t{3}, std::int16_t{2});
    Submit(testext::kSetFactor, 3, 3.0);
    Log().Clear();
  }
};

TEST_F(Live, NotificationsFrameTheRunAndBlockMinusOneFollowsIt) {
  std::string error;
  ASSERT_TRUE(host::ReplayLive(*document, {256, 100}, &error)) << error;
  // Two channels each: 101, then 100 per block, then 102.
  const std::vector<std::int16_t> expected = {101, 101, 100, 100, 100, 100, 100, 100, 102, 102};
  EXPECT_EQ(Log().notifications, expected);
  EXPECT_EQ(Log().liveCalls, 2 * 3 * 7) << "700 samples in chunks of 100, per channel";
  EXPECT_FALSE(host::State().recording) << "recording only while sampling";
  EXPECT_EQ(document->samplingBlock(), 0);
  EXPECT_TRUE(document->computed().DisplayedSamples(3, 2)->size() == 700u);
}

TEST_F(Live, RefusesWhatTheRingsCannotCarry) {
  std::string error;
  EXPECT_FALSE(host::ReplayLive(*document, {1, 1}, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(host::ReplayLive(*document, {10, 11}, &error));
  auto wide = testext::MakeDocument(33, 4);
  EXPECT_FALSE(host::ReplayLive(*wide, {16, 4}, &error));
  EXPECT_NE(error.find("32"), std::string::npos);
  EXPECT_TRUE(Log().notifications.empty()) << "nothing was sent";
}

}  // namespace
