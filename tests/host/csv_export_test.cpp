// Exporting channels as CSV, and reading the export back.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "host/csv_export.h"
#include "host/document.h"
#include "host/recording_import.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Two channels (millivolts, litres per second), two blocks a gap apart.
host::Recording TwoBlocks() {
  host::Recording r;
  r.startTime1904 = 1000;
  r.samplingInterval = 0.004;
  r.channels = {{"Spirometer", "uV", 4000, {}, {}}, {"Flow, filtered", "L/s", 16, {}, {}}};
  r.segments.push_back({0, {{0.25f, -0.5f, 0.125f}, {0.1f, 0.2f, -0.3f}}});
  r.segments.push_back({2.5, {{0.75f, 0}, {-0.1f, 0}}});
  return r;
}

TEST(CsvExport, ReadsBackAsTheSameChannelsBlocksAndValues) {
  host::Document d;
  std::string problem;
  ASSERT_TRUE(host::ImportRecording(TwoBlocks(), d, &problem)) << problem;
  const std::string path = ::testing::TempDir() + "export.csv";
  ASSERT_TRUE(host::ExportChannelsCsv(d, path, &problem)) << problem;
  const std::string text = ReadAll(path);
  EXPECT_EQ(text.substr(0, text.find("\n0,")),
            "# start: 1904-01-01T00:16:40.000\nTime [s],Spirometer [mV],\"Flow, filtered [L/s]\"");
  EXPECT_NE(text.find("\n2.504,"), std::string::npos) << text;
  const auto back = host::ParseCsvRecording(text, &problem);
  ASSERT_TRUE(back) << problem;
  ASSERT_EQ(back->segments.size(), 2u);
  EXPECT_DOUBLE_EQ(back->startTime1904, 1000);
  EXPECT_DOUBLE_EQ(back->segments[1].startSeconds, 2.5);
  EXPECT_NEAR(back->samplingInterval, 0.004, 1e-12);
  // Microvolts are written as millivolts (values to the last bit: below).
  const double first = static_cast<double>(back->segments[0].samples[0][0]) * back->channels[0].unitsPerValue;
  EXPECT_NEAR(first, 0.25 * 4000.0 * 1e-3, 1e-9);
}

TEST(CsvExport, AChannelWithoutDataInABlockLeavesItsCellsEmpty) {
  host::Document d;
  std::string problem;
  ASSERT_TRUE(host::ImportRecording(TwoBlocks(), d, &problem)) << problem;
  d.ClearSamples(2, 2);
  const std::string path = ::testing::TempDir() + "partial.csv";
  ASSERT_TRUE(host::ExportChannelsCsv(d, path, &problem)) << problem;
  const std::string text = ReadAll(path);
  EXPECT_NE(text.find("\n2.5,3,\n2.504,0,\n"), std::string::npos) << text;
}

// Any step and any value a channel holds comes back: a step of 1e-60 s and a
// block starting 1e60 s later keep their times, and odd values their float.
TEST(CsvExport, TimesAndValuesReadBackExactly) {
  host::Recording r;
  r.samplingInterval = 1e-60;
  r.channels = {{"Flow", "L/s", 3e30, {}, {}}};
  r.segments.push_back({0, {{0.1f, -1.17549435e-38f / 3e30f, 0.333333343f, -0.5f}}});
  r.segments.push_back({1e60, {{0.2f}}});
  host::Document d;
  std::string problem;
  ASSERT_TRUE(host::ImportRecording(r, d, &problem)) << problem;
  const std::string path = ::testing::TempDir() + "exact.csv";
  ASSERT_TRUE(host::ExportChannelsCsv(d, path, &problem)) << problem;
  const auto back = host::ParseCsvRecording(ReadAll(path), &problem);
  ASSERT_TRUE(back) << problem;
  ASSERT_EQ(back->segments.size(), 2u);
  EXPECT_NEAR(back->samplingInterval, 1e-60, 1e-70);
  EXPECT_DOUBLE_EQ(back->segments[1].startSeconds, 1e60);
  for (std::size_t s = 0; s < 2; ++s) {
    ASSERT_EQ(back->segments[s].length(), r.segments[s].length());
    for (std::size_t i = 0; i < r.segments[s].length(); ++i) {
      const float original = static_cast<float>(static_cast<double>(r.segments[s].samples[0][i]) * 3e30);
      EXPECT_EQ(static_cast<float>(static_cast<double>(back->segments[s].samples[0][i]) * back->channels[0].unitsPerValue),
                original);
    }
  }
}

TEST(CsvExport, AFolderThatIsNotThereIsAProblem) {
  host::Document d;
  std::string problem;
  ASSERT_TRUE(host::ImportRecording(TwoBlocks(), d, &problem)) << problem;
  EXPECT_FALSE(host::ExportChannelsCsv(d, ::testing::TempDir() + "missing/dir/x.csv", &problem));
  EXPECT_EQ(problem, "cannot be written");
}

}  // namespace
