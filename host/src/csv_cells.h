// Cells of one CSV line: separated by one delimiter character, optionally
// enclosed in double quotes (a doubled quote inside stands for one).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace host::csv {

// The comment line that keeps a recording's start: this, then the date and
// time as host/date_text.h writes them.
inline constexpr std::string_view kStartComment = "# start: ";

// The delimiter of a file judged by its header line: tab, else ',', else ';',
// whichever occurs outside quotes; none when none does.
std::optional<char> DetectDelimiter(std::string_view headerLine);

// The cells of a line; none when a quote is left open.
std::optional<std::vector<std::string>> SplitLine(std::string_view line, char delimiter);

// The cell as written to a file: quoted when it holds the delimiter, a quote
// or surrounding spaces.
std::string QuoteCell(std::string_view text, char delimiter);

}  // namespace host::csv
