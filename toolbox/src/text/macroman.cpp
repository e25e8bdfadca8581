// MacRoman <-> Unicode. The low half is ASCII; the table below is the high half.
#include <array>
#include <cstdio>
#include <unordered_map>

#include "toolbox/macroman.h"

namespace toolbox {
namespace {

constexpr std::array<char32_t, 128> kHighHalf = {
    // 0x80
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1,
    0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5, 0x00E7, 0x00E9, 0x00E8,
    // 0x90
    0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3,
    0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC,
    // 0xA0
    0x2020, 0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6, 0x00DF,
    0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8,
    // 0xB0
    0x221E, 0x00B1, 0x2264, 0x2265, 0x00A5, 0x00B5, 0x2202, 0x2211,
    0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x03A9, 0x00E6, 0x00F8,
    // 0xC0
    0x00BF, 0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB,
    0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5, 0x0152, 0x0153,
    // 0xD0
    0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA,
    0x00FF, 0x0178, 0x2044, 0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02,
    // 0xE0
    0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1,
    0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4,
    // 0xF0
    0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC,
    0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7,
};

const std::unordered_map<char32_t, unsigned char>& ReverseHighHalf() {
  static const auto reverse = [] {
    std::unordered_map<char32_t, unsigned char> map;
    for (std::size_t i = 0; i < kHighHalf.size(); ++i) map[kHighHalf[i]] = static_cast<unsigned char>(0x80 + i);
    // Look-alikes that other mappings (and keyboards) produce for the same glyphs.
    map[0x0394] = 0xC6;  // Greek capital delta for the increment sign
    map[0x03BC] = 0xB5;  // Greek small mu for the micro sign
    map[0x2126] = 0xBD;  // ohm sign for Greek capital omega
    return map;
  }();
  return reverse;
}

void AppendUtf8(std::string& out, char32_t c) {
  auto put = [&out](unsigned value) { out.push_back(static_cast<char>(value)); };
  if (c < 0x80) {
    put(c);
  } else if (c < 0x800) {
    put(0xC0 | (c >> 6));
    put(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    put(0xE0 | (c >> 12));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  } else {
    put(0xF0 | (c >> 18));
    put(0x80 | ((c >> 12) & 0x3F));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  }
}

// Decodes one character at `at`, advancing it; none for malformed input
// (overlong forms, surrogates, values past U+10FFFF, truncated sequences).
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 0;
  char32_t value = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    ++at;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, value = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, value = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, value = lead & 0x07, minimum = 0x10000;
  } else {
    return std::nullopt;
  }
  if (text.size() - at < length) return std::nullopt;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    value = (value << 6) | (next & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return std::nullopt;
  at += length;
  return value;
}

std::string Describe(const char* what, char32_t c, std::size_t offset) {
  char line[96];
  std::snprintf(line, sizeof line, "U+%04X at byte %zu %s", static_cast<unsigned>(c), offset, what);
  return line;
}

}  // namespace

char32_t MacRomanToUnicode(unsigned char byte) { return byte < 0x80 ? byte : kHighHalf[byte - 0x80]; }

std::optional<unsigned char> UnicodeToMacRoman(char32_t character) {
  if (character < 0x80) return static_cast<unsigned char>(character);
  const auto& reverse = ReverseHighHalf();
  const auto it = reverse.find(character);
  if (it == reverse.end()) return std::nullopt;
  return it->second;
}

std::string MacRomanToUtf8(std::string_view macRoman) {
  std::string out;
  out.reserve(macRoman.size());
  for (char c : macRoman) AppendUtf8(out, MacRomanToUnicode(static_cast<unsigned char>(c)));
  return out;
}

std::optional<std::string> Utf8ToMacRoman(std::string_view utf8, std::string* problem) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t at = 0;
  while (at < utf8.size()) {
    const std::size_t start = at;
    const auto character = DecodeUtf8(utf8, at);
    if (!character) {
      if (problem) *problem = "malformed UTF-8 at byte " + std::to_string(start);
      return std::nullopt;
    }
    const auto byte = UnicodeToMacRoman(*character);
    if (!byte) {
      if (problem) *problem = Describe("has no MacRoman equivalent", *character, start);
      return std::nullopt;
    }
    out.push_back(static_cast<char>(*byte));
  }
  return out;
}

unsigned char MacRomanUpperCase(unsigned char byte) {
  if (byte >= 'a' && byte <= 'z') return static_cast<unsigned char>(byte - 'a' + 'A');
  if (byte < 0x80) return byte;
  // Latin-1 lower-case letters sit 0x20 above their capitals (except the
  // division sign); œ and ÿ have their capitals elsewhere.
  const char32_t c = MacRomanToUnicode(byte);
  char32_t upper = c;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) upper = c - 0x20;
  if (c == 0x0153) upper = 0x0152;
  if (c == 0x00FF) upper = 0x0178;
  return UnicodeToMacRoman(upper).value_or(byte);
}

}  // namespace toolbox
