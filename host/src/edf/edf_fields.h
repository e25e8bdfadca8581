// Field-level rules of EDF text: fixed-width ASCII fields, numbers without
// grouping or exponents, and the one-line problems the reader reports.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "host/problem.h"

namespace host::edf {

// `width` bytes at `offset`; the caller has checked that they exist.
std::string_view FieldAt(std::span<const unsigned char> bytes, std::size_t offset, std::size_t width);
std::string_view TrimSpaces(std::string_view text);

// A whole field (surrounding spaces allowed) holding [+|-]digits.
std::optional<std::int64_t> ParseInteger(std::string_view field);
// A whole field holding [+|-]digits[.digits] or [+|-].digits: EDF's only
// number form ('.' as decimal point, no grouping, no exponent).
std::optional<double> ParseNumber(std::string_view field);

// The offset of the first byte outside 32..126, or none when all are printable.
std::optional<std::size_t> FirstNonPrintable(std::span<const unsigned char> bytes);

// Quotes a field for a problem line, showing unprintable bytes as \xNN.
std::string Quoted(std::string_view field);

}  // namespace host::edf
