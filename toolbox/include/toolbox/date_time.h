// Date and time: the clock in seconds since midnight, 1 January 1904, local
// time (the platform's clock kept local time, not UTC), its conversion to and
// from calendar fields, and the text forms of the United States settings.
#pragma once

#include <optional>

#include "toolbox/mac_types.h"

struct DateTimeRec {
  SInt16 year;       // 1904..2040
  SInt16 month;      // 1..12
  SInt16 day;        // 1..31
  SInt16 hour;       // 0..23
  SInt16 minute;     // 0..59
  SInt16 second;     // 0..59
  SInt16 dayOfWeek;  // 1 = Sunday .. 7 = Saturday
};

using DateForm = UInt8;
enum : DateForm {
  shortDate = 0,   // 1/31/2024
  longDate = 1,    // Wednesday, January 31, 2024
  abbrevDate = 2,  // Wed, Jan 31, 2024
};

void GetDateTime(UInt32* secs);
// Seconds past 2040-02-06 06:28:15 wrap, as the platform's 32-bit clock did.
void SecondsToDate(UInt32 secs, DateTimeRec* d);
// Fields out of range carry over (month 13 is January of the next year).
void DateToSeconds(const DateTimeRec* d, UInt32* secs);

// intlHandle is accepted for the platform's signature and ignored: the text
// always follows the United States settings.
void DateString(UInt32 dateTime, DateForm longFlag, Str255 result, Handle intlHandle);
// 2:05 PM, or 2:05:09 PM with seconds.
void TimeString(UInt32 dateTime, bool wantSeconds, Str255 result, Handle intlHandle);

namespace toolbox {

// 1970-01-01 in seconds since 1904-01-01.
constexpr UInt32 kUnixEpochSince1904 = 2082844800u;

// Freezes GetDateTime at a value (reproducible output); none restores the clock.
void SetFixedDateTime(std::optional<UInt32> secs);

}  // namespace toolbox
