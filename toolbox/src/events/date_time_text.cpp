// DateString and TimeString with the United States settings.
#include <array>
#include <cstdio>
#include <cstring>

#include "toolbox/date_time.h"

namespace {

constexpr std::array<const char*, 7> kDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 12> kMonthNames = {"January",   "February", "March",    "April",
                                                     "May",       "June",     "July",     "August",
                                                     "September", "October",  "November", "December"};

void SetResult(Str255 result, const char* text, int length) {
  const auto n = static_cast<std::size_t>(length < 0 ? 0 : (length > 255 ? 255 : length));
  result[0] = static_cast<unsigned char>(n);
  std::memcpy(result + 1, text, n);
}

}  // namespace

void DateString(UInt32 dateTime, DateForm longFlag, Str255 result, Handle /*intlHandle*/) {
  DateTimeRec d{};
  SecondsToDate(dateTime, &d);
  const char* day = kDayNames[static_cast<std::size_t>(d.dayOfWeek - 1)];
  const char* month = kMonthNames[static_cast<std::size_t>(d.month - 1)];
  char text[64];
  int n;
  if (longFlag == longDate) {
    n = std::snprintf(text, sizeof text, "%s, %s %d, %d", day, month, d.day, d.year);
  } else if (longFlag == abbrevDate) {
    n = std::snprintf(text, sizeof text, "%.3s, %.3s %d, %d", day, month, d.day, d.year);
  } else {
    n = std::snprintf(text, sizeof text, "%d/%d/%d", d.month, d.day, d.year);
  }
  SetResult(result, text, n);
}

void TimeString(UInt32 dateTime, bool wantSeconds, Str255 result, Handle /*intlHandle*/) {
  DateTimeRec d{};
  SecondsToDate(dateTime, &d);
  const int hour12 = d.hour % 12 == 0 ? 12 : d.hour % 12;
  const char* suffix = d.hour < 12 ? "AM" : "PM";
  char text[32];
  const int n = wantSeconds ? std::snprintf(text, sizeof text, "%d:%02d:%02d %s", hour12, d.minute, d.second, suffix)
                            : std::snprintf(text, sizeof text, "%d:%02d %s", hour12, d.minute, suffix);
  SetResult(result, text, n);
}
