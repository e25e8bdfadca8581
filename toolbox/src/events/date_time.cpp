// The clock and the calendar conversions. Days are counted with the civil
// calendar algorithm over the proleptic Gregorian calendar; the 1904 epoch
// lies after 1582, so no Julian dates arise.
#include "toolbox/date_time.h"

#include <ctime>

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

std::optional<UInt32>& FixedClock() {
  static std::optional<UInt32> fixed;
  return fixed;
}

// Days since 0000-03-01 of a date (month 1..12).
constexpr std::int64_t DaysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra;
}

constexpr std::int64_t kEpochDay = DaysFromCivil(1904, 1, 1);
static_assert(kEpochDay == 695361);

void CivilFromDays(std::int64_t days, DateTimeRec& d) {
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t mp = (5 * dayOfYear + 2) / 153;
  const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
  d.year = static_cast<SInt16>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
  d.month = static_cast<SInt16>(month);
  d.day = static_cast<SInt16>(dayOfYear - (153 * mp + 2) / 5 + 1);
}

}  // namespace

void toolbox::SetFixedDateTime(std::optional<UInt32> secs) { FixedClock() = secs; }

void GetDateTime(UInt32* secs) {
  if (FixedClock()) {
    *secs = *FixedClock();
    return;
  }
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const std::int64_t localSeconds = static_cast<std::int64_t>(now) + local.tm_gmtoff;
  *secs = static_cast<UInt32>(localSeconds + toolbox::kUnixEpochSince1904);
}

void SecondsToDate(UInt32 secs, DateTimeRec* d) {
  const std::int64_t days = secs / kSecondsPerDay;
  const std::int64_t rest = secs % kSecondsPerDay;
  CivilFromDays(kEpochDay + days, *d);
  d->hour = static_cast<SInt16>(rest / 3600);
  d->minute = static_cast<SInt16>(rest / 60 % 60);
  d->second = static_cast<SInt16>(rest % 60);
  // 1904-01-01 was a Friday (6).
  d->dayOfWeek = static_cast<SInt16>((days + 5) % 7 + 1);
}

void DateToSeconds(const DateTimeRec* d, UInt32* secs) {
  // Months carry into years first so that the day count sees a valid month.
  const std::int64_t monthIndex = std::int64_t{d->year} * 12 + (d->month - 1);
  const std::int64_t year = (monthIndex >= 0 ? monthIndex : monthIndex - 11) / 12;
  const std::int64_t month = monthIndex - year * 12 + 1;
  const std::int64_t days = DaysFromCivil(year, month, 1) + (d->day - 1) - kEpochDay;
  const std::int64_t total =
      days * kSecondsPerDay + std::int64_t{d->hour} * 3600 + std::int64_t{d->minute} * 60 + d->second;
  *secs = static_cast<UInt32>(total);
}
