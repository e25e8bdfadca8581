// The document model on its own: what the data services do not reach
// (empty blocks, a channel that stops recording, long recordings, misuse).
#include <gtest/gtest.h>

#include <stdexcept>

#include "host/document.h"

namespace {

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

}  // namespace
