// Length-prefixed MacRoman text in host records, from and to UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace host {

// Stores `utf8` as a length byte and MacRoman characters in a field of
// `capacity` bytes (length byte included), truncated to fit. Characters
// MacRoman lacks become '?'.
void StorePascalText(unsigned char* field, std::size_t capacity, std::string_view utf8);
// The text of a field of `capacity` bytes; a length byte claiming more than
// the field holds is cut to the field.
std::string PascalTextToUtf8(const unsigned char* field, std::size_t capacity = 256);

}  // namespace host
