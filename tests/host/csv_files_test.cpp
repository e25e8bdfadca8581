// CSV recordings: the header, the time column and its start, gaps, every
// refusal, and the export of a document read back.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <tuple>

#include "host/csv_export.h"
#include "host/date_text.h"
#include "host/document.h"
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
  std::vector<std::string> titles;
  for (const host::RecordingChannel& c : r.channels) titles.push_back(c.label + " [" + c.dimension + "]");
  EXPECT_EQ(titles, (std::vector<std::string>{"Spirometer [mV]", "Flow, corrected [L/s]", "Marker []"}));
  EXPECT_NEAR(r.samplingInterval, 0.01, 1e-12);
  ASSERT_EQ(r.segments.size(), 1u);
  const double expected[3][3] = {{1.5, -3, 0.125}, {-0.25, 0.5, 12}, {0, 1, 0}};
  for (std::size_t c = 0; c < 3; ++c) {
    for (std::size_t i = 0; i < 3; ++i) EXPECT_DOUBLE_EQ(Physical(r, 0, c, i), expected[c][i]) << c << "," << i;
  }
  float largest = 0;
  for (float v : r.segments[0].samples[1]) largest = std::max(largest, std::fabs(v));
  EXPECT_LE(largest, 0.5f) << "sample values stay well inside full scale";
  EXPECT_GT(largest, 0.25f);
}

// Without a start line times count from the host's epoch, as they stand.
TEST(CsvRecording, AStepWellAboveTheUsualOneStartsANewSegment) {
  const auto r = Parse("# started by hand\nTime [ms];Flow [L/s]\n50;1\n60;2\n70;3\n150;4\n160;5\n250;6\n");
  EXPECT_EQ(r.startTime1904, 0.0);
  EXPECT_NEAR(r.samplingInterval, 0.01, 1e-12);
  ASSERT_EQ(r.segments.size(), 3u);
  EXPECT_DOUBLE_EQ(r.segments[0].startSeconds, 0.05);
  EXPECT_DOUBLE_EQ(r.segments[1].startSeconds, 0.15);
  EXPECT_EQ(r.segments[1].length(), 2u);
  EXPECT_DOUBLE_EQ(Physical(r, 1, 0, 1), 5);
  EXPECT_DOUBLE_EQ(r.segments[2].startSeconds, 0.25);
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

TEST(CsvRecording, RefusalsAreOneLineNamingTheLineAndTheFault) {
  const std::string starts = " is not a date and time YYYY-MM-DDTHH:MM:SS.sss";
  const std::pair<std::string, std::string> cases[] = {
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
      {"# start: 2023-02-29T00:00:00\nTime [s],A\n0,1\n1,2\n", "line 1: start \"2023-02-29T00:00:00\"" + starts},
      {"Time [s],A\n# start: 2024-01-01T24:00:00\n0,1\n1,2\n", "line 2: start \"2024-01-01T24:00:00\"" + starts},
      {"# start: 2024-01-01T09:00\nTime [s],A\n0,1\n1,2\n", "line 1: start \"2024-01-01T09:00\"" + starts},
      {"# start: 2024-01-01T09:00:00Z\nTime [s],A\n0,1\n1,2\n",
       "line 1: start \"2024-01-01T09:00:00Z\"" + starts},
      {"# start: 2024-01-01T09:00:00\n\n# start: 2024-01-01T09:00:00\nTime [s],A\n0,1\n1,2\n",
       "line 3: a second start line (the first is line 1)"},
  };
  for (const auto& [text, expected] : cases) {
    std::string problem;
    EXPECT_FALSE(host::ParseCsvRecording(text, &problem)) << text;
    EXPECT_NE(problem.find(expected), std::string::npos) << "got: " << problem << "\nwanted: " << expected;
    EXPECT_EQ(problem.find('\n'), std::string::npos) << problem;
  }
}

// The start line sets the start; written again it reads the same to the
// millisecond, carrying into the next day where the rounding reaches it.
TEST(CsvRecording, AStartLineReadsAndWritesTheSameStart) {
  // As a file may give it, as the export writes it back, seconds after the day's midnight.
  const std::tuple<std::string, const char*, double> cases[] = {
      {"2024-01-01T09:00:00.000", "2024-01-01T09:00:00.000", 9 * 3600.0},
      {"2024-02-29 23:59:59.25", "2024-02-29T23:59:59.250", 86399.25},
      {"2023-12-31T23:59:59.9996", "2024-01-01T00:00:00.000", 86399.9996},
      {"2031-07-15T12:34:56.0005", "2031-07-15T12:34:56.001", 45296.0005}};
  for (const auto& [written, shown, secondsAfter] : cases) {
    SCOPED_TRACE(written);
    const auto recording = Parse("# start: " + written + "\nTime [s],Flow [L/s]\n0,1\n0.01,2\n");
    EXPECT_EQ(host::DateTimeText(recording.startTime1904, 3), shown);
    const auto midnight = host::ParseDateTimeText(written.substr(0, 10) + "T00:00:00");
    ASSERT_TRUE(midnight);
    EXPECT_NEAR(recording.startTime1904 - *midnight, secondsAfter, 1e-6);
  }
}

// Two channels (microvolts, litres per second), two blocks a gap apart.
host::Recording TwoBlocks() {
  host::Recording r;
  r.startTime1904 = 1000;
  r.samplingInterval = 0.004;
  r.channels = {{"Spirometer", "uV", 4000, {}, {}}, {"Flow, filtered", "L/s", 16, {}, {}}};
  r.segments.push_back({0, {{0.25f, -0.5f, 0.125f}, {0.1f, 0.2f, -0.3f}}});
  r.segments.push_back({2.5, {{0.75f, 0}, {-0.1f, 0}}});
  return r;
}

// The CSV text of the document imported from `r`, once `change` has been made to it.
std::string Exported(const host::Recording& r, void (*change)(host::Document&) = nullptr) {
  host::Document d;
  std::string problem;
  EXPECT_TRUE(host::ImportRecording(r, d, &problem)) << problem;
  if (change != nullptr) change(d);
  const std::string path = ::testing::TempDir() + "export.csv";
  EXPECT_TRUE(host::ExportChannelsCsv(d, path, &problem)) << problem;
  std::stringstream text;
  text << std::ifstream(path).rdbuf();
  EXPECT_FALSE(host::ExportChannelsCsv(d, ::testing::TempDir() + "missing/dir/x.csv", &problem));
  EXPECT_EQ(problem, "cannot be written");
  return text.str();
}

TEST(CsvExport, ReadsBackAsTheSameChannelsBlocksAndValues) {
  const std::string text = Exported(TwoBlocks());
  EXPECT_EQ(text.substr(0, text.find("\n0,")),
            "# start: 1904-01-01T00:16:40.000\nTime [s],Spirometer [mV],\"Flow, filtered [L/s]\"");
  EXPECT_NE(text.find("\n2.504,"), std::string::npos) << text;
  const auto back = Parse(text);
  ASSERT_EQ(back.segments.size(), 2u);
  EXPECT_DOUBLE_EQ(back.startTime1904, 1000);
  EXPECT_DOUBLE_EQ(back.segments[1].startSeconds, 2.5);
  EXPECT_NEAR(back.samplingInterval, 0.004, 1e-12);
  EXPECT_NEAR(Physical(back, 0, 0, 0), 0.25 * 4000.0 * 1e-3, 1e-9) << "microvolts written as millivolts";
  const std::string partial = Exported(TwoBlocks(), [](host::Document& d) { d.ClearSamples(2, 2); });
  EXPECT_NE(partial.find("\n2.5,3,\n2.504,0,\n"), std::string::npos)
      << "a channel without data leaves its cells empty";
}

// Any step and any value a channel holds comes back: a step of 1e-60 s and a
// block starting 1e60 s later keep their times, and odd values their float.
TEST(CsvExport, TimesAndValuesReadBackExactly) {
  host::Recording r;
  r.samplingInterval = 1e-60;
  r.channels = {{"Flow", "L/s", 3e30, {}, {}}};
  r.segments.push_back({0, {{0.1f, -1.17549435e-38f / 3e30f, 0.333333343f, -0.5f}}});
  r.segments.push_back({1e60, {{0.2f}}});
  const auto back = Parse(Exported(r));
  ASSERT_EQ(back.segments.size(), 2u);
  EXPECT_NEAR(back.samplingInterval, 1e-60, 1e-70);
  EXPECT_DOUBLE_EQ(back.segments[1].startSeconds, 1e60);
  for (std::size_t s = 0; s < 2; ++s) {
    ASSERT_EQ(back.segments[s].length(), r.segments[s].length());
    for (std::size_t i = 0; i < r.segments[s].length(); ++i) {
      EXPECT_EQ(static_cast<float>(Physical(back, s, 0, i)), static_cast<float>(Physical(r, s, 0, i)));
    }
  }
}

}  // namespace
