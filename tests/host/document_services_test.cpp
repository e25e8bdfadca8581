// The document model where no service reaches it, and the data (465..504),
// range (511..524) and channel services on the current document. The input
// kinds (437, 439) are how the bundle's analysis finds its spirometer.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "host/computed_channels.h"
#include "host/document.h"
#include "host/extension_registry.h"
#include "host/host_state.h"
#include "host/sample_locks.h"
#include "host/selection.h"
#include "service_call.h"
#include "test_extensions.h"
#include "toolbox/memory.h"
#include "toolbox/pascal_string.h"
#include "vantor/byte_access.h"
#include "vantor/range_record.h"

namespace {

using namespace vantor::service;
using testext::Call;
using testext::CallData;

TEST(DocumentModel, EmptyBlocksHoldNoPositionAndBreakNoStretch) {
  host::Document d;
  d.AddChannel("Flow head", "Spirometer");
  d.AddBlock(0.01, 100.0, 5);
  d.AddBlock(0.01, 100.05, 0);
  d.AddBlock(0.01, 200.0, 7);
  d.AddBlock(0.01, 300.0, 0);
  EXPECT_EQ(d.BlockOfPosition(4), 1);
  EXPECT_EQ(d.BlockOfPosition(5), 3) << "an empty block holds no position";
  EXPECT_EQ(d.BlockOfPosition(12), 3) << "the document's end belongs to its last block with samples";
  EXPECT_EQ(d.BlockOfPosition(13), 0);
  EXPECT_EQ(d.BlockOfPosition(-1), 0);
  EXPECT_EQ(host::Document().BlockOfPosition(0), 0);

  d.AddBlock(0.02, 400.0, 2);
  for (int b = 1; b <= 5; ++b) d.SetSamples(1, b, std::vector<float>(static_cast<std::size_t>(d.BlockLength(b))));
  EXPECT_EQ(d.LastBlockOfStretch(1), 4);
  EXPECT_EQ(d.StretchOfBlock(5), 2) << "another interval";
  d.ClearSamples(1, 3);
  EXPECT_EQ(d.StretchOfBlock(4), 3) << "a channel that stops and starts recording changes the setup";
  EXPECT_EQ(d.FirstBlockOfStretch(5), 0);
}

TEST(DocumentModel, LongRecordingsSplitIntoOneStretch) {
  host::Document d;
  d.AddChannel("A", "");
  const std::int64_t n = 2 * host::kMaxBlockLength + 10;
  const host::BlockRun run = d.AddRecording(0.001, 50.0, n);
  EXPECT_EQ(run.count, 3);
  EXPECT_EQ(d.BlockLength(3), 10);
  EXPECT_DOUBLE_EQ(d.StartTime(2), 50.0 + host::kMaxBlockLength * 0.001);
  std::vector<float> samples(static_cast<std::size_t>(n));
  for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<float>(i % 1000) / 1000.0f;
  d.SetSamples(1, run, samples);
  EXPECT_EQ(d.RecordedSamples(1, 2)[0], samples[host::kMaxBlockLength]);
  EXPECT_EQ(d.RecordedSamples(1, 3)[9], samples.back());
  EXPECT_EQ(d.LastBlockOfStretch(d.StretchOfBlock(1)), 3);
}

TEST(DocumentModel, MisuseIsRefusedAndLeavesTheDocumentAlone) {
  host::Document d;
  d.AddChannel("A", "");
  d.AddBlock(0.01, 0, 5);
  const std::uint64_t revision = d.revision();
  EXPECT_THROW(d.SetSamples(1, 1, std::vector<float>(4)), std::invalid_argument);
  EXPECT_THROW(d.SetSamples(2, 1, std::vector<float>(5)), std::invalid_argument);
  EXPECT_THROW(d.SetSamples(1, 2, std::vector<float>(5)), std::invalid_argument);
  EXPECT_THROW(d.AddBlock(0.0, 0, 1), std::invalid_argument);
  EXPECT_THROW(d.AddBlock(0.01, 0, host::kMaxBlockLength + 1), std::invalid_argument);
  EXPECT_THROW(d.SetSamples(1, host::BlockRun{1, 2}, std::vector<float>(6)), std::invalid_argument);
  EXPECT_EQ(d.blockCount(), 1);
  EXPECT_EQ(d.revision(), revision);
  EXPECT_FALSE(d.HasRecordedData(1, 1));
}

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
  const std::tuple<std::int32_t, std::int32_t, std::int32_t> runs[] = {{7, 0, 17}, {19, 18, 21}, {-3, 0, 0}};
  for (const auto& [position, first, last] : runs) {
    std::int32_t a = -5, b = -5;
    CallData<DataService491>(position, &a, &b);
    EXPECT_EQ(std::pair(a, b), std::pair(first, last)) << "the stretch around " << position;
  }
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
  EXPECT_EQ(Call<HostQueryValue>(std::int16_t{1539}), std::uint32_t(host::State().channelCount))
      << "the channel count is the host's own";
  EXPECT_EQ(Call<HostQueryValue>(std::int16_t{-7}), 0u) << "an unknown selector";
  EXPECT_EQ(CallData<DataBlockLength>(std::int16_t{1}), 0);
  EXPECT_EQ(CallData<DataLockBlock471>(std::int16_t{1}, std::int16_t{1}), nullptr);
  EXPECT_EQ(CallData<DataBlockOfPosition>(std::uint32_t{0}), 0);
  vantor::ChannelScaling out{};
  CallData<DataGetChannelRecord485>(std::int16_t{1}, std::int16_t{1}, &out);
  EXPECT_DOUBLE_EQ(double{out.info.unitFactor}, 1.0) << "the default scaling";
}

using Record = std::array<unsigned char, vantor::kRangeRecordBytes>;

// The selection (521) or the view (524) as a range record.
template <int Service>
Record RangeRecord() {
  Record r;
  r.fill(0xCD);
  Call<Service>(r.data());
  return r;
}

std::pair<std::int32_t, std::int32_t> Span(const Record& r) {
  return {vantor::LoadAt<std::int32_t>(r.data(), vantor::kRangeStartAt),
          vantor::LoadAt<std::int32_t>(r.data(), vantor::kRangeEndAt)};
}

// Validity and properties 516 (an extent of samples), 518 (a position) and 519.
std::string Properties(const Record& r) {
  return std::string(Call<HostRangeIsValid>(r.data()) ? "valid" : "invalid") +
         (Call<HostRangeProperty516>(r.data()) ? " 516" : "") +
         (Call<HostRangeProperty518>(r.data()) ? " 518" : "") +
         (Call<HostRangeProperty519>(r.data()) ? " 519" : "");
}

struct Ranges : testext::DocumentTest {
  void SetUp() override { Open(2, 100, 2); }
};

// Which of them extensions act on is the bundle's range helpers' choice.
TEST_F(Ranges, TheSelectionRecordCarriesItsKindAndTheViewRecordItsSpan) {
  EXPECT_EQ(Properties(RangeRecord<HostGetRangeRecord521>()), "invalid") << "no selection";
  EXPECT_EQ(Properties(RangeRecord<HostGetRangeRecord524>()), "valid 516");
  EXPECT_EQ(Span(RangeRecord<HostGetRangeRecord524>()), std::pair(0, 200)) << "the whole document";
  host::ChangeSelection(*document, {120, 180}, 1);
  EXPECT_EQ(Properties(RangeRecord<HostGetRangeRecord521>()), "valid 516 519");
  EXPECT_EQ(Span(RangeRecord<HostGetRangeRecord521>()), std::pair(120, 180));
  host::ChangeSelection(*document, {50, 50});
  EXPECT_EQ(Properties(RangeRecord<HostGetRangeRecord521>()), "valid 518") << "a position without extent";
  document->selection().SetView({100, 200});
  EXPECT_EQ(Span(RangeRecord<HostGetRangeRecord524>()), std::pair(100, 200));
  host::ChangeSelection(*document, {10, 20});
  document->selection().SetInDataView(false);
  EXPECT_EQ(Properties(RangeRecord<HostGetRangeRecord521>()), "valid 516") << "outside the data view";
}

TEST_F(Ranges, RecordsAreCheckedAgainstTheCurrentDocument) {
  host::ChangeSelection(*document, {0, 200});
  const Record s = RangeRecord<HostGetRangeRecord521>();
  auto other = testext::MakeDocument(1, 10);
  host::SetCurrentDocument(other.get());
  EXPECT_FALSE(Call<HostRangeIsValid>(s.data())) << "made for another document";
  host::SetCurrentDocument(document.get());
  EXPECT_TRUE(Call<HostRangeIsValid>(s.data()));
  Record forged = s;
  vantor::StoreAt<std::int32_t>(forged.data(), vantor::kRangeEndAt, 201);
  EXPECT_FALSE(Call<HostRangeIsValid>(forged.data())) << "past the document's end";
  vantor::StoreAt<std::int32_t>(forged.data(), vantor::kRangeEndAt, -1);
  EXPECT_FALSE(Call<HostRangeProperty516>(forged.data()));
  EXPECT_FALSE(Call<HostRangeIsValid>(Record{}.data()));
  host::SetCurrentDocument(nullptr);
  EXPECT_FALSE(Call<HostRangeIsValid>(RangeRecord<HostGetRangeRecord524>().data()));
}

struct Channels : testext::DocumentTest {
  void SetUp() override {
    Open(3, 10);
    document->SetTitle(2, "Débit");
    for (const auto& [channel, unit] : {std::pair{1, "mV"}, std::pair{2, "L"}}) {
      vantor::ChannelScaling scaling = host::DefaultScaling();
      toolbox::StorePascal(scaling.info.baseUnitText, unit);
      document->SetScaling(channel, 1, scaling);
    }
  }
};

TEST_F(Channels, TitlesCountAndTheRawSignalTestOnTheDisplayedBaseUnit) {
  EXPECT_EQ(testext::TextWritten([](Str255* out) { Call<HostGetChannelName>(std::int16_t{2}, out); }),
            "D\x8E" "bit") << "MacRoman";
  EXPECT_EQ(testext::TextWritten([](Str255* out) { Call<HostGetChannelName>(std::int16_t{0}, out); }), "");
  EXPECT_EQ(Call<HostQueryValue>(std::int16_t{1539}), 3u);

  EXPECT_FALSE(Call<HostService508>(std::int16_t{1}, std::int16_t{1})) << "a millivolt recording";
  EXPECT_TRUE(Call<HostService508>(std::int16_t{2}, std::int16_t{1})) << "litres are no raw signal";
  EXPECT_FALSE(Call<HostService508>(std::int16_t{3}, std::int16_t{1})) << "the default volt unit";
  document->ClearSamples(3, 1);
  EXPECT_TRUE(Call<HostService508>(std::int16_t{3}, std::int16_t{1})) << "nothing displayed";
  EXPECT_TRUE(Call<HostService508>(std::int16_t{1}, std::int16_t{2})) << "no block 2";
  document->AddChannel("More", "");
  EXPECT_EQ(Call<HostQueryValue>(std::int16_t{1539}), 4u) << "derived from the document";
}

TEST_F(Channels, CreditLinesIdentifyLoadedExtensions) {
  host::Extension flow = testext::MakeScaleFunction("Spiro Test Flow");
  host::Extension window = testext::MakeWindowExtension("Spiro Test");
  const auto credited = [](const char* line) { return Call<HostService638>(testext::PString(line).get()); };
  EXPECT_EQ(credited("Spiro Test Flow"), flow.hostRef);
  EXPECT_EQ(credited("spiro test flow, version 2"), flow.hostRef) << "the longest name that begins the line";
  EXPECT_EQ(credited("Spiro Test"), window.hostRef);
  EXPECT_EQ(credited("Spiro Testing"), -1) << "a name must end at a word";
  EXPECT_EQ(credited("Nobody"), -1) << "never 0: that is 572's 'none'";
  ASSERT_TRUE(document->computed().Attach(2, flow));
  EXPECT_EQ(Call<HostService572>(std::int16_t{2}), flow.hostRef);
  document->computed().Detach(2);
  host::UnregisterExtension(flow.hostRef);
  host::UnregisterExtension(window.hostRef);
}

}  // namespace
