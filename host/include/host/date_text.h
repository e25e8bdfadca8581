// Dates as files and reports write them, "YYYY-MM-DDTHH:MM:SS.sss", for the
// seconds since 1 January 1904 (local time) that documents keep.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace host {

// The date and time with `fractionDigits` (0..9) digits of seconds, rounded
// to the last one; `separator` stands between the date and the time.
std::string DateTimeText(double since1904, int fractionDigits, char separator = 'T');

// "YYYY-MM-DDTHH:MM:SS", a fraction of any length after "." optional; a space
// may stand for the "T". Nothing when the text is not one or names no real
// day or time of day.
std::optional<double> ParseDateTimeText(std::string_view text);

}  // namespace host
