// CSV recordings: the header, the time column, gaps and every refusal.
#include <gtest/gtest.h>

#include <cmath>

#include "host/recording_import.h"

namespace {

host::Recording Parse(const std::string& text) {
  std::string problem;
  auto recording = host::ParseCsvRecording(text, &problem);
  EXPECT_TRUE(recording) << problem;
  return recording ? *recording : host::Recording{};
}

double Physical(const host::Recording& r, std::size_t segment, std::size_t channel, std::size_t i) {
  return static_cast<double>(r.segments[segment].samples[channel][i]) * r.channels[channel].unitsPerValue;
}

TEST(CsvRecording, ColumnsBecomeChannelsWithTheirUnits) {
  const auto r = Parse(
      "Time [s],Spirometer [mV],\"Flow, corrected [L/s]\",Marker\n"
      "0.00,1.5,-0.25,0\n"
      "0.01,-3,0.5,1\n"
      "0.02,0.125,12,0\n");
  ASSERT_EQ(r.channels.size(), 3u);
  EXPECT_EQ(r.channels[0].label, "Spirometer");
  EXPECT_EQ(r.channels[0].dimension, "mV");
  EXPECT_EQ(r.channels[1].label, "Flow, corrected");
  EXPECT_EQ(r.channels[1].dimension, "L/s");
  EXPECT_EQ(r.channels[2].label, "Marker");
  EXPECT_EQ(r.channels[2].dimension, "");
  EXPECT_NEAR(r.samplingInterval, 0.01, 1e-12);
  ASSERT_EQ(r.segments.size(), 1u);
  EXPECT_DOUBLE_EQ(r.segments[0].startSeconds, 0);
  const double expected[3][3] = {{1.5, -3, 0.125}, {-0.25, 0.5, 12}, {0, 1, 0}};
  for (std::size_t c = 0; c < 3; ++c) {
    for (std::size_t i = 0; i < 3; ++i) EXPECT_DOUBLE_EQ(Physical(r, 0, c, i), expected[c][i]) << c << "," << i;
  }
}

TEST(CsvRecording, SampleValuesStayWellInsideFullScale) {
  const auto r = Parse("t,a\n0,-7\n1,3\n2,0\n");
  float largest = 0;
  for (float v : r.segments[0].samples[0]) largest = std::max(largest, std::fabs(v));
  EXPECT_LE(largest, 0.5f);
  EXPECT_GT(largest, 0.25f);
}

TEST(CsvRecording, AStepWellAboveTheUsualOneStartsANewSegment) {
  const auto r = Parse("Time [ms];Flow [L/s]\n0;1\n10;2\n20;3\n100;4\n110;5\n200;6\n");
  EXPECT_NEAR(r.samplingInterval, 0.01, 1e-12);
  ASSERT_EQ(r.segments.size(), 3u);
  EXPECT_DOUBLE_EQ(r.segments[1].startSeconds, 0.1);
  EXPECT_EQ(r.segments[1].length(), 2u);
  EXPECT_DOUBLE_EQ(Physical(r, 1, 0, 1), 5);
  EXPECT_DOUBLE_EQ(r.segments[2].startSeconds, 0.2);
}

TEST(CsvRecording, TimesPrintedWithFewDecimalsAreOneSegment) {
  std::string text = "\xEF\xBB\xBFTime [s]\tFlow [L/s]\r\n# exported at 300 Hz\r\n";
  for (int i = 0; i < 600; ++i) {
    char row[64];
    std::snprintf(row, sizeof row, "%.4f\t%d\r\n", i / 300.0, i % 7);
    text += row;
  }
  const auto r = Parse(text + "\r\n\r\n");
  ASSERT_EQ(r.segments.size(), 1u);
  EXPECT_EQ(r.segments[0].length(), 600u);
  EXPECT_NEAR(1 / r.samplingInterval, 300, 0.01);
}

TEST(CsvRecording, RefusalsNameTheLineAndTheFault) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "file is empty"},
      {"\n  \n# only a comment\n", "file is empty"},
      {"Time [s]\n0\n1\n", "line 1: header needs a time column and at least one channel"},
      {"Time [s],Flow [L/s\n0,1\n1,2\n", "line 1, column 2: title \"Flow [L/s\" does not end in one [unit]"},
      {"Time [min],Flow\n0,1\n1,2\n", "line 1: time unit \"min\" is not s or ms"},
      {"Time,Flow\n0,1\n", "needs at least two rows"},
      {"Time,Flow\n0,1\n1,2,3\n", "line 3 has 3 values, the header has 2 columns"},
      {"Time,Flow\n0,1\n\n1,two\n", "line 4, column 2: \"two\" is not a number"},
      {"Time,Flow\n0,1\n1,\n", "line 3, column 2: \"\" is not a number"},
      {"Time,Flow\n0,1\n1,inf\n", "line 3, column 2: \"inf\" is not a number"},
      {"Time,Flow\n0,1\n1,-1e308\n", "line 3, column 2: -1e308 is outside the range"},
      {"Time,Flow\n0,1e-310\n1,1\n", "line 2, column 2: 1e-310 is outside the range"},
      {"Time,Flow\n0,1\n0,2\n", "line 3: time 0 does not come after the previous row's"},
      {"Time,Flow\n0,\"1\n1,2\n", "line 2: a quote is not closed"},
  };
  for (const auto& [text, expected] : cases) {
    std::string problem;
    EXPECT_FALSE(host::ParseCsvRecording(text, &problem)) << text;
    EXPECT_NE(problem.find(expected), std::string::npos) << "got: " << problem << "\nwanted: " << expected;
  }
}

}  // namespace
