// A CSV recording's start: written as a "# start: " comment, read back, and
// refused with one line when it names no real date and time.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "host/date_text.h"
#include "host/recording_import.h"

namespace {

std::string WithStart(const std::string& startLine) {
  return startLine + "\nTime [s],Flow [L/s]\n0,1\n0.01,2\n";
}

struct StartCase {
  const char* written;   // as a file may give it
  const char* shown;     // as the export writes it back
  double secondsAfter;   // after the day's midnight
};

class CsvStart : public ::testing::TestWithParam<StartCase> {};

// The start line sets the start; written again it reads the same to the
// millisecond, carrying into the next day where the rounding reaches it.
TEST_P(CsvStart, ReadsAndWritesTheSameStart) {
  std::string problem;
  const auto recording = host::ParseCsvRecording(WithStart(std::string("# start: ") + GetParam().written), &problem);
  ASSERT_TRUE(recording) << problem;
  EXPECT_EQ(host::DateTimeText(recording->startTime1904, 3), GetParam().shown);
  const auto midnight = host::ParseDateTimeText(std::string(GetParam().written).substr(0, 10) + "T00:00:00");
  ASSERT_TRUE(midnight);
  EXPECT_NEAR(recording->startTime1904 - *midnight, GetParam().secondsAfter, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, CsvStart,
    ::testing::Values(StartCase{"2024-01-01T09:00:00.000", "2024-01-01T09:00:00.000", 9 * 3600.0},
                      StartCase{"2024-02-29 23:59:59.25", "2024-02-29T23:59:59.250", 86399.25},
                      StartCase{"2023-12-31T23:59:59.9996", "2024-01-01T00:00:00.000", 86399.9996},
                      StartCase{"2031-07-15T12:34:56.0005", "2031-07-15T12:34:56.001", 45296.0005}));

struct RefusedStart {
  const char* text;
  const char* problem;
};

class CsvStartRefused : public ::testing::TestWithParam<RefusedStart> {};

TEST_P(CsvStartRefused, IsOneLineNamingTheLine) {
  std::string problem;
  EXPECT_FALSE(host::ParseCsvRecording(GetParam().text, &problem));
  EXPECT_EQ(problem, GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CsvStartRefused,
    ::testing::Values(
        RefusedStart{"# start: 2023-02-29T00:00:00\nTime [s],A\n0,1\n1,2\n",
                     "line 1: start \"2023-02-29T00:00:00\" is not a date and time YYYY-MM-DDTHH:MM:SS.sss"},
        RefusedStart{"Time [s],A\n# start: 2024-01-01T24:00:00\n0,1\n1,2\n",
                     "line 2: start \"2024-01-01T24:00:00\" is not a date and time YYYY-MM-DDTHH:MM:SS.sss"},
        RefusedStart{"# start: 2024-01-01T09:00\nTime [s],A\n0,1\n1,2\n",
                     "line 1: start \"2024-01-01T09:00\" is not a date and time YYYY-MM-DDTHH:MM:SS.sss"},
        RefusedStart{"# start: 2024-01-01T09:00:00Z\nTime [s],A\n0,1\n1,2\n",
                     "line 1: start \"2024-01-01T09:00:00Z\" is not a date and time YYYY-MM-DDTHH:MM:SS.sss"},
        RefusedStart{"# start: 2024-01-01T09:00:00\n\n# start: 2024-01-01T09:00:00\nTime [s],A\n0,1\n1,2\n",
                     "line 3: a second start line (the first is line 1)"}));

// Without a start line, times count from the host's epoch, as before; other
// comments are no start line.
TEST(CsvStartAbsent, TimesCountFromTheEpoch) {
  std::string problem;
  const auto recording = host::ParseCsvRecording("# started by hand\nTime [s],A\n5,1\n5.5,2\n", &problem);
  ASSERT_TRUE(recording) << problem;
  EXPECT_EQ(recording->startTime1904, 0.0);
  EXPECT_EQ(recording->segments.front().startSeconds, 5.0);
}

}  // namespace
