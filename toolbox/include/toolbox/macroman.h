// MacRoman, the character set of every text in the platform's files and
// Str255s, and its conversion from and to UTF-8 (the encoding of our sources
// and of Linux output). The high half follows the Mac OS Roman mapping of
// Mac OS 8.5 and later: 0xDB is the euro sign, 0xF0 the Apple logo (U+F8FF).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace toolbox {

// The Unicode character of a MacRoman byte (total: every byte has one).
char32_t MacRomanToUnicode(unsigned char byte);

// The MacRoman byte of a Unicode character, or none when it has none.
std::optional<unsigned char> UnicodeToMacRoman(char32_t character);

std::string MacRomanToUtf8(std::string_view macRoman);

// Converts UTF-8 text. Fails on malformed UTF-8 and on characters MacRoman
// lacks; `problem` (if given) then receives one line naming the character and
// its byte offset, e.g. "U+0301 at byte 5 has no MacRoman equivalent".
std::optional<std::string> Utf8ToMacRoman(std::string_view utf8, std::string* problem = nullptr);

// Case folding for the Resource Manager's name comparison: lower-case letters,
// accented ones included, map to their capitals; diacritics are kept
// ('e' and 0x8E 'é' stay different).
unsigned char MacRomanUpperCase(unsigned char byte);

}  // namespace toolbox
