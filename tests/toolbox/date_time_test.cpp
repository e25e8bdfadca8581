// The 1904 clock, calendar conversion and the date and time texts.
#include "toolbox/date_time.h"

#include <gtest/gtest.h>

#include <array>
#include <ctime>

#include "toolbox/resource_test_support.h"

namespace {

using resource_test::TextOf;

UInt32 Seconds(SInt16 year, SInt16 month, SInt16 day, SInt16 hour = 0, SInt16 minute = 0, SInt16 second = 0) {
  const DateTimeRec d{year, month, day, hour, minute, second, 0};
  UInt32 secs = 0;
  DateToSeconds(&d, &secs);
  return secs;
}

std::array<SInt16, 7> Fields(const DateTimeRec& d) {
  return {d.year, d.month, d.day, d.hour, d.minute, d.second, d.dayOfWeek};
}

std::string Date(UInt32 secs, DateForm form) {
  Str255 text;
  DateString(secs, form, text, nullptr);
  return TextOf(text);
}

std::string Time(UInt32 secs, bool withSeconds) {
  Str255 text;
  TimeString(secs, withSeconds, text, nullptr);
  return TextOf(text);
}

// The epoch (a Friday), 29 February of a leap year (a Thursday), and the
// last second the 32-bit clock holds.
TEST(DateTime, KnownDatesConvertBothWaysAndReadInTheUnitedStatesForms) {
  const std::pair<DateTimeRec, UInt32> known[] = {{{1904, 1, 1, 0, 0, 0, 6}, 0},
                                                  {{2024, 2, 29, 13, 45, 30, 5}, 3792059130u},
                                                  {{2040, 2, 6, 6, 28, 15, 2}, 0xFFFFFFFFu}};
  for (const auto& [date, secs] : known) {
    EXPECT_EQ(Seconds(date.year, date.month, date.day, date.hour, date.minute, date.second), secs);
    DateTimeRec d{};
    SecondsToDate(secs, &d);
    EXPECT_EQ(Fields(d), Fields(date)) << secs;
  }
  EXPECT_EQ(Seconds(1970, 1, 1), toolbox::kUnixEpochSince1904);
  EXPECT_EQ(Seconds(2023, 13, 1), Seconds(2024, 1, 1));
  EXPECT_EQ(Seconds(2024, 3, 0), Seconds(2024, 2, 29));
  EXPECT_EQ(Seconds(2024, 1, 1, 24), Seconds(2024, 1, 2));

  // The texts follow the United States forms.
  const UInt32 afternoon = Seconds(2024, 1, 31, 14, 5, 9);
  EXPECT_EQ(Date(afternoon, shortDate), "1/31/2024");
  EXPECT_EQ(Date(afternoon, longDate), "Wednesday, January 31, 2024");
  EXPECT_EQ(Time(afternoon, true), "2:05:09 PM");
  EXPECT_EQ(Time(Seconds(2024, 1, 31, 0, 7), false), "12:07 AM");
  EXPECT_EQ(Time(Seconds(2024, 1, 31, 12, 0), false), "12:00 PM");
}

TEST(DateTime, TheClockIsLocalTime) {
  UInt32 now = 0;
  GetDateTime(&now);
  const std::time_t unixNow = std::time(nullptr);
  std::tm local{};
  localtime_r(&unixNow, &local);
  const auto expected = static_cast<std::int64_t>(unixNow) + local.tm_gmtoff + toolbox::kUnixEpochSince1904;
  EXPECT_LE(std::abs(static_cast<std::int64_t>(now) - expected), 2);
}

}  // namespace
