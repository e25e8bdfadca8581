// The 1904 clock, calendar conversion and the date and time texts.
#include "toolbox/date_time.h"

#include <gtest/gtest.h>

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

TEST(DateTime, TheEpochAndKnownDatesConvertBothWays) {
  DateTimeRec d{};
  SecondsToDate(0, &d);
  EXPECT_EQ(d.year, 1904);
  EXPECT_EQ(d.month, 1);
  EXPECT_EQ(d.day, 1);
  EXPECT_EQ(d.dayOfWeek, 6);  // a Friday
  EXPECT_EQ(Seconds(1970, 1, 1), toolbox::kUnixEpochSince1904);
  // 29 February of a leap year, and the last second the 32-bit clock holds.
  const UInt32 leapDay = Seconds(2024, 2, 29, 13, 45, 30);
  SecondsToDate(leapDay, &d);
  EXPECT_EQ(d.year, 2024);
  EXPECT_EQ(d.month, 2);
  EXPECT_EQ(d.day, 29);
  EXPECT_EQ(d.hour, 13);
  EXPECT_EQ(d.minute, 45);
  EXPECT_EQ(d.second, 30);
  EXPECT_EQ(d.dayOfWeek, 5);  // a Thursday
  SecondsToDate(0xFFFFFFFFu, &d);
  EXPECT_EQ(d.year, 2040);
  EXPECT_EQ(d.month, 2);
  EXPECT_EQ(d.day, 6);
  EXPECT_EQ(Seconds(2040, 2, 6, 6, 28, 15), 0xFFFFFFFFu);
}

TEST(DateTime, FieldsOutOfRangeCarryOver) {
  EXPECT_EQ(Seconds(2023, 13, 1), Seconds(2024, 1, 1));
  EXPECT_EQ(Seconds(2024, 3, 0), Seconds(2024, 2, 29));
  EXPECT_EQ(Seconds(2024, 1, 1, 24), Seconds(2024, 1, 2));
}

TEST(DateTime, TextsFollowTheUnitedStatesForms) {
  const UInt32 afternoon = Seconds(2024, 1, 31, 14, 5, 9);
  EXPECT_EQ(Date(afternoon, shortDate), "1/31/2024");
  EXPECT_EQ(Date(afternoon, longDate), "Wednesday, January 31, 2024");
  EXPECT_EQ(Date(afternoon, abbrevDate), "Wed, Jan 31, 2024");
  EXPECT_EQ(Time(afternoon, false), "2:05 PM");
  EXPECT_EQ(Time(afternoon, true), "2:05:09 PM");
  EXPECT_EQ(Time(Seconds(2024, 1, 31, 0, 7), false), "12:07 AM");
  EXPECT_EQ(Time(Seconds(2024, 1, 31, 12, 0), false), "12:00 PM");
}

TEST(DateTime, TheClockIsLocalTimeAndCanBeFixed) {
  UInt32 now = 0;
  GetDateTime(&now);
  const std::time_t unixNow = std::time(nullptr);
  std::tm local{};
  localtime_r(&unixNow, &local);
  const auto expected = static_cast<std::int64_t>(unixNow) + local.tm_gmtoff + toolbox::kUnixEpochSince1904;
  EXPECT_LE(std::abs(static_cast<std::int64_t>(now) - expected), 2);
  toolbox::SetFixedDateTime(12345u);
  GetDateTime(&now);
  EXPECT_EQ(now, 12345u);
  toolbox::SetFixedDateTime(std::nullopt);
}

}  // namespace
