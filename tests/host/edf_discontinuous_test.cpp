// EDF+D: records with gaps between them become separate segments (the
// system's library refuses such files, so these are made by hand).
#include <gtest/gtest.h>

#include <memory>

#include "edf_test_files.h"
#include "host/edf_reader.h"
#include "host/recording_import.h"

namespace {

host::EdfContents Parse(const edftest::File& f) {
  std::string problem;
  auto contents = host::ParseEdf(f.Bytes(), &problem);
  EXPECT_TRUE(contents) << problem;
  return contents ? *contents : host::EdfContents{};
}

// The test files' default range, -10..10 over -32768..32767, puts physical
// zero half a digital step above 0.
float ValueOf(int digital) { return (static_cast<float>(digital) + 0.5f) / 32768.0f; }

TEST(DiscontinuousEdf, GapsStartNewSegmentsAtTheirOnsets) {
  const auto contents = Parse(edftest::PlusFile("EDF+D", {"+0.5", "+1.5", "+5", "+6", "+10.25"}));
  EXPECT_EQ(contents.variant, host::EdfVariant::kEdfPlusDiscontinuous);
  EXPECT_EQ(contents.recordOnsets, (std::vector<double>{0.5, 1.5, 5, 6, 10.25}));
  const host::Recording recording = edftest::RecordingOf(contents);
  EXPECT_DOUBLE_EQ(recording.samplingInterval, 0.25);
  ASSERT_EQ(recording.segments.size(), 3u);
  const double starts[] = {0.5, 5, 10.25};
  const std::size_t lengths[] = {8, 8, 4};
  for (std::size_t s = 0; s < 3; ++s) {
    EXPECT_DOUBLE_EQ(recording.segments[s].startSeconds, starts[s]);
    EXPECT_EQ(recording.segments[s].length(), lengths[s]);
  }
  // Record 3 (samples 200..203) opens the second segment.
  EXPECT_EQ(recording.segments[1].samples[0][0], ValueOf(200));
  EXPECT_EQ(recording.segments[2].samples[0][3], ValueOf(403));
}

TEST(DiscontinuousEdf, ContiguousRecordsStayOneSegmentDespiteRoundedOnsets) {
  // Onsets printed with few decimals: a tenth of a sample off is no gap.
  edftest::File f = edftest::PlusFile("EDF+D", {"+0", "+1.01", "+2", "+3.02"});
  const host::Recording recording = edftest::RecordingOf(Parse(f));
  ASSERT_EQ(recording.segments.size(), 1u);
  EXPECT_EQ(recording.segments[0].length(), 16u);
}

TEST(DiscontinuousEdf, AnnotationsKeepTheirOwnOnsetsAndDurations) {
  edftest::File f = edftest::PlusFile("EDF+D", {"+0", "+7"});
  f.annotationAreas[1] += edftest::Tal("+7.5", {"Forced expiration"}, "6") + edftest::Tal("-0.5", {"Before start"});
  const auto contents = Parse(f);
  ASSERT_EQ(contents.annotations.size(), 2u);
  EXPECT_EQ(contents.annotations[0].text, "Forced expiration");
  EXPECT_DOUBLE_EQ(contents.annotations[0].onsetSeconds, 7.5);
  EXPECT_DOUBLE_EQ(contents.annotations[0].durationSeconds, 6);
  EXPECT_DOUBLE_EQ(contents.annotations[1].onsetSeconds, -0.5);
  EXPECT_DOUBLE_EQ(contents.annotations[1].durationSeconds, -1);
}

TEST(EdfRecording, SlowerSignalsAreHeldAtTheFastestRate) {
  edftest::File f;
  f.duration = "2";
  edftest::Signal fast;
  fast.samplesPerRecord = "6";
  fast.samples = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  edftest::Signal slow;
  slow.samplesPerRecord = "4";
  slow.samples = {10, 20, 30, 40, 50, 60, 70, 80};
  f.signals = {fast, slow};
  const host::Recording recording = edftest::RecordingOf(Parse(f));
  EXPECT_DOUBLE_EQ(recording.samplingInterval, 2.0 / 6);
  ASSERT_EQ(recording.segments.size(), 1u);
  std::vector<float> expected;
  for (int d : {10, 10, 20, 30, 30, 40, 50, 50, 60, 70, 70, 80}) expected.push_back(ValueOf(d));
  EXPECT_EQ(recording.segments[0].samples[1], expected);
}

TEST(EdfRecording, ARecordingTooLargeToHoldIsRefused) {
  // 10 MB of file would hold 301 signals at the rate of the fastest.
  edftest::File f;
  edftest::Signal fast;
  fast.samplesPerRecord = "5000000";
  fast.samples.assign(5000000, 1);
  f.signals.assign(300, edftest::Signal{});
  for (edftest::Signal& slow : f.signals) slow.samplesPerRecord = "1";
  f.signals.insert(f.signals.begin(), fast);
  std::string problem;
  const auto contents = host::ParseEdf(f.Bytes(), &problem);
  ASSERT_TRUE(contents) << problem;
  EXPECT_FALSE(host::RecordingFromEdf(*contents, &problem));
  EXPECT_NE(problem.find("recording would need 1505000000 samples in memory"), std::string::npos) << problem;
}

}  // namespace
