// Str255 values as host services read and write them: a length byte and
// MacRoman bytes, copied as they are (no character set conversion).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace host {

inline constexpr std::size_t kStr255Bytes = 256;

// The characters of a length-prefixed field of `capacity` bytes, length byte
// included. A length byte that claims more than the field holds is cut to the
// field: records come from extensions and files and may be damaged.
inline std::string_view Str255View(const unsigned char* field, std::size_t capacity = kStr255Bytes) {
  if (field == nullptr || capacity == 0) return {};
  const std::size_t length = std::min<std::size_t>(field[0], capacity - 1);
  return {reinterpret_cast<const char*>(field + 1), length};
}

// Stores bytes as a Str255, cut at 255 characters. `out` may overlap `bytes`.
inline void SetStr255(unsigned char* out, std::string_view bytes) {
  const std::size_t length = std::min(bytes.size(), kStr255Bytes - 1);
  if (length > 0) std::memmove(out + 1, bytes.data(), length);
  out[0] = static_cast<unsigned char>(length);
}

// Appends bytes to a Str255 in place, cut at 255 characters.
inline void AppendStr255(unsigned char* text, std::string_view bytes) {
  const std::size_t room = kStr255Bytes - 1 - text[0];
  const std::size_t length = std::min(bytes.size(), room);
  if (length > 0) std::memmove(text + 1 + text[0], bytes.data(), length);
  text[0] = static_cast<unsigned char>(text[0] + length);
}

}  // namespace host
