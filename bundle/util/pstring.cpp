#include "util/pstring.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

#include "toolbox/pascal_string.h"
#include "toolbox/resources.h"
#include "toolbox/text_utils.h"

namespace spiro {

void CopyPString(StringPtr destination, ConstStr255Param source) {
  toolbox::StorePascal(destination, toolbox::PascalView(source));
}

void CopyPStringLimited(StringPtr destination, ConstStr255Param source,
                        std::uint32_t destinationSize) {
  if (destinationSize == 0) return;
  const std::uint32_t whole = std::uint32_t{source[0]} + 1;
  if (whole <= destinationSize) {
    std::memmove(destination, source, whole);
    return;
  }
  std::memmove(destination, source, destinationSize);
  destination[0] = static_cast<unsigned char>(destinationSize - 1);
}

std::int16_t ComparePStrings(ConstStr255Param a, ConstStr255Param b) {
  if (a[0] != b[0]) return static_cast<std::int16_t>(a[0] - b[0]);
  for (int i = 1; i <= a[0]; ++i) {
    if (a[i] != b[i]) return static_cast<std::int16_t>(a[i] - b[i]);
  }
  return 0;
}

std::int16_t FindPString(ConstStr255Param pattern, ConstStr255Param text) {
  const std::string_view wanted = toolbox::PascalView(pattern);
  if (wanted.empty()) return 0;
  const std::size_t at = toolbox::PascalView(text).find(wanted);
  return at == std::string_view::npos ? std::int16_t{0} : static_cast<std::int16_t>(at + 1);
}

void SubPString(StringPtr destination, ConstStr255Param source, std::int32_t start,
                std::uint32_t count) {
  const std::int32_t length = source[0];
  if (start < 1 || start > length) {
    // Positions before 1 have no characters; treat them like a start past the end.
    destination[0] = 0;
    return;
  }
  toolbox::StorePascal(destination, toolbox::PascalView(source).substr(
                                        static_cast<std::size_t>(start - 1), count));
}

void DeletePChars(StringPtr string, std::uint32_t start, std::int32_t count) {
  if (count < 1 || start < 1) return;
  const std::int64_t length = string[0];
  const std::int64_t after = length - (std::int64_t{start} + count) + 1;
  if (after >= 1) {
    std::memmove(string + start, string + start + count, static_cast<std::size_t>(after));
    string[0] = static_cast<unsigned char>(length - count);
  } else if (start <= length) {
    string[0] = static_cast<unsigned char>(start - 1);
  }
}

namespace {
void ConcatList(std::int32_t capacity, StringPtr destination,
                std::initializer_list<ConstStr255Param> sources) {
  const std::int32_t c = std::clamp(capacity, 0, 256);
  std::int32_t total = 1;
  for (ConstStr255Param s : sources) total += s != nullptr ? s[0] : 0;
  const std::int32_t n = std::min(c, total);
  if (n == 0) return;  // no room even for the length byte
  unsigned char assembled[256];
  std::int32_t room = n - 1;
  std::int32_t used = 0;
  for (ConstStr255Param s : sources) {
    if (s == nullptr) continue;
    const std::int32_t take = std::min<std::int32_t>(s[0], room);
    std::memcpy(assembled + used, s + 1, static_cast<std::size_t>(take));
    used += take;
    room -= take;
  }
  std::memcpy(destination + 1, assembled, static_cast<std::size_t>(used));
  destination[0] = static_cast<unsigned char>(used);
}
}  // namespace

void ConcatPStrings(std::int32_t capacity, StringPtr destination, ConstStr255Param s1,
                    ConstStr255Param s2) {
  ConcatList(capacity, destination, {s1, s2});
}
void ConcatPStrings(std::int32_t capacity, StringPtr destination, ConstStr255Param s1,
                    ConstStr255Param s2, ConstStr255Param s3) {
  ConcatList(capacity, destination, {s1, s2, s3});
}
void ConcatPStrings(std::int32_t capacity, StringPtr destination, ConstStr255Param s1,
                    ConstStr255Param s2, ConstStr255Param s3, ConstStr255Param s4) {
  ConcatList(capacity, destination, {s1, s2, s3, s4});
}
void ConcatPStrings(std::int32_t capacity, StringPtr destination, ConstStr255Param s1,
                    ConstStr255Param s2, ConstStr255Param s3, ConstStr255Param s4,
                    ConstStr255Param s5) {
  ConcatList(capacity, destination, {s1, s2, s3, s4, s5});
}

StringPtr NumToPString(StringPtr destination, std::int32_t value) {
  NumToString(value, destination);
  return destination;
}

StringPtr GetIndPString(StringPtr destination, std::int16_t listId, std::int16_t index) {
  GetIndString(destination, listId, index);
  return destination;
}

void OSTypeToPString(OSType code, StringPtr destination) {
  destination[0] = 4;
  for (int i = 0; i < 4; ++i) {
    destination[i + 1] = static_cast<unsigned char>(code >> (24 - 8 * i));
  }
}

}  // namespace spiro
