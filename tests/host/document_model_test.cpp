// The document model on its own: building, positions, stretches and misuse
// (block -1 and the records are checked through the data services).
#include <gtest/gtest.h>

#include <stdexcept>

#include "host/document.h"

namespace {

void AddThreeBlocks(host::Document& d) {
  d.AddChannel("Flow head", "Spirometer");
  d.AddChannel("ECG", "");
  d.AddBlock(0.01, 100.0, 5);
  d.AddBlock(0.01, 100.05, 0);
  d.AddBlock(0.01, 200.0, 7);
}

TEST(DocumentModel, PositionsAndBlocksRoundTrip) {
  host::Document d;
  AddThreeBlocks(d);
  EXPECT_EQ(d.TotalLength(), 12);
  EXPECT_EQ(d.BlockStart(1), 0);
  EXPECT_EQ(d.BlockStart(3), 5);
  for (int b = 1; b <= d.blockCount(); ++b) {
    for (std::int32_t offset = 0; offset < d.BlockLength(b); ++offset) {
      const std::int64_t position = d.PositionOf(b, offset);
      EXPECT_EQ(d.BlockOfPosition(position), b) << "block " << b << " offset " << offset;
      EXPECT_EQ(position - d.BlockStart(d.BlockOfPosition(position)), offset);
    }
  }
  EXPECT_EQ(d.BlockOfPosition(5), 3) << "an empty block holds no position";
  EXPECT_EQ(d.BlockOfPosition(12), 3) << "the document's end belongs to its last block";
  EXPECT_EQ(d.BlockOfPosition(13), 0);
  EXPECT_EQ(d.BlockOfPosition(-1), 0);
  EXPECT_EQ(host::Document().BlockOfPosition(0), 0);
}

TEST(DocumentModel, StretchesFollowIntervalAndChannelSetup) {
  host::Document d;
  d.AddChannel("A", "");
  for (int i = 0; i < 5; ++i) d.AddBlock(i == 3 ? 0.02 : 0.01, 0, 4);
  for (int b = 1; b <= 5; ++b) d.SetSamples(1, b, std::vector<float>(4, 0.1f));
  vantor::ChannelScaling other = host::DefaultScaling();
  other.gain = 2;
  d.SetScaling(1, 5, other);
  // 1-2-3 continue; 4 has another interval; 5 another scaling.
  EXPECT_FALSE(d.ContinuesPrevious(1));
  EXPECT_TRUE(d.ContinuesPrevious(2));
  EXPECT_TRUE(d.ContinuesPrevious(3));
  EXPECT_FALSE(d.ContinuesPrevious(4));
  EXPECT_FALSE(d.ContinuesPrevious(5));
  EXPECT_EQ(d.StretchOfBlock(3), 1);
  EXPECT_EQ(d.StretchOfBlock(4), 2);
  EXPECT_EQ(d.StretchOfBlock(5), 3);
  EXPECT_EQ(d.FirstBlockOfStretch(1), 1);
  EXPECT_EQ(d.LastBlockOfStretch(1), 3);
  EXPECT_EQ(d.FirstBlockOfStretch(3), 5);
  EXPECT_EQ(d.FirstBlockOfStretch(4), 0);
  d.ClearSamples(1, 2);
  EXPECT_FALSE(d.ContinuesPrevious(2)) << "a channel that stops recording changes the setup";
}

TEST(DocumentModel, LongRecordingsSplitIntoOneStretch) {
  host::Document d;
  d.AddChannel("A", "");
  const std::int64_t n = 2 * host::kMaxBlockLength + 10;
  const host::BlockRun run = d.AddRecording(0.001, 50.0, n);
  EXPECT_EQ(run.first, 1);
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
  AddThreeBlocks(d);
  const std::uint64_t revision = d.revision();
  EXPECT_THROW(d.SetSamples(1, 1, std::vector<float>(4)), std::invalid_argument);
  EXPECT_THROW(d.SetSamples(3, 1, std::vector<float>(5)), std::invalid_argument);
  EXPECT_THROW(d.SetSamples(1, 4, std::vector<float>(5)), std::invalid_argument);
  EXPECT_THROW(d.AddBlock(0.0, 0, 1), std::invalid_argument);
  EXPECT_THROW(d.AddBlock(0.01, 0, host::kMaxBlockLength + 1), std::invalid_argument);
  EXPECT_THROW(d.SetSamples(1, host::BlockRun{1, 3}, std::vector<float>(11)), std::invalid_argument);
  EXPECT_EQ(d.blockCount(), 3);
  EXPECT_EQ(d.revision(), revision);
  EXPECT_FALSE(d.HasRecordedData(1, 1));
}

}  // namespace
