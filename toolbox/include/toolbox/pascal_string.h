// Length-prefixed strings (Str255 and shorter fields): a length byte, then
// that many MacRoman bytes. Fields come from resources, files and
// extensions and may be damaged, so a length byte that claims more than its
// field holds is read as cut to the field.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace toolbox {

inline constexpr std::size_t kStr255Bytes = 256;

// The bytes of a field of `capacity` bytes, length byte included; empty for
// a null field.
inline std::string_view PascalView(const unsigned char* field,
                                   std::size_t capacity = kStr255Bytes) {
  if (field == nullptr || capacity == 0) return {};
  const std::size_t length = std::min<std::size_t>(field[0], capacity - 1);
  return {reinterpret_cast<const char*>(field + 1), length};
}

// Stores bytes as a Str255, cut at 255. `out` may overlap `bytes`.
inline void StorePascal(unsigned char* out, std::string_view bytes) {
  const std::size_t length = std::min(bytes.size(), kStr255Bytes - 1);
  if (length > 0) std::memmove(out + 1, bytes.data(), length);
  out[0] = static_cast<unsigned char>(length);
}

// Appends bytes to a Str255 in place, cut at 255.
inline void AppendPascal(unsigned char* text, std::string_view bytes) {
  const std::size_t room = kStr255Bytes - 1 - text[0];
  const std::size_t length = std::min(bytes.size(), room);
  if (length > 0) std::memmove(text + 1 + text[0], bytes.data(), length);
  text[0] = static_cast<unsigned char>(text[0] + length);
}

// Stores UTF-8 text in a field of `capacity` bytes (length byte included) as
// MacRoman, cut to fit; characters MacRoman lacks become '?'.
void StorePascalText(unsigned char* field, std::size_t capacity, std::string_view utf8);
// The text of a field of `capacity` bytes, as UTF-8.
std::string PascalTextToUtf8(const unsigned char* field, std::size_t capacity = kStr255Bytes);

}  // namespace toolbox
