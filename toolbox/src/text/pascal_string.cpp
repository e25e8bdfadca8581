#include "toolbox/pascal_string.h"

#include <algorithm>
#include <cstring>

#include "toolbox/macroman.h"

namespace toolbox {
namespace {

// MacRoman for text that may hold characters it lacks: converts what it can,
// character by character, so one odd character does not lose the whole text.
std::string ToMacRomanLossy(std::string_view utf8) {
  if (auto whole = Utf8ToMacRoman(utf8)) return *whole;
  std::string out;
  std::size_t i = 0;
  while (i < utf8.size()) {
    std::size_t n = 1;
    const auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead >= 0xF0) n = 4;
    else if (lead >= 0xE0) n = 3;
    else if (lead >= 0xC0) n = 2;
    n = std::min(n, utf8.size() - i);
    auto one = Utf8ToMacRoman(utf8.substr(i, n));
    out += one ? *one : std::string("?");
    i += n;
  }
  return out;
}

}  // namespace

void StorePascalText(unsigned char* field, std::size_t capacity, std::string_view utf8) {
  if (capacity == 0) return;
  const std::string text = ToMacRomanLossy(utf8);
  const std::size_t n = std::min({text.size(), capacity - 1, std::size_t{255}});
  field[0] = static_cast<unsigned char>(n);
  std::memcpy(field + 1, text.data(), n);
}

std::string PascalTextToUtf8(const unsigned char* field, std::size_t capacity) {
  return MacRomanToUtf8(PascalView(field, capacity));
}

}  // namespace toolbox
