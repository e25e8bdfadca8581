// Length-prefixed strings (Str255): byte 0 the length, then up to 255
// MacRoman characters; positions are 1-based. None of the operations
// allocates; all work on caller buffers of 256 bytes unless a size is given.
// The named operations of the bundle, built on toolbox/pascal_string.h.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "toolbox/mac_types.h"

namespace spiro {

// A length-prefixed copy of an ASCII literal, made at compile time:
//   static constexpr auto kPrefix = PStringLiteral("Could not find ");
//   ConcatPStrings(256, out, kPrefix.data(), ...);
template <std::size_t N>
constexpr std::array<unsigned char, N> PStringLiteral(const char (&text)[N]) {
  static_assert(N - 1 <= 255, "a Str255 holds at most 255 characters");
  std::array<unsigned char, N> p{};
  p[0] = static_cast<unsigned char>(N - 1);
  for (std::size_t i = 0; i + 1 < N; ++i) p[i + 1] = static_cast<unsigned char>(text[i]);
  return p;
}

void CopyPString(StringPtr destination, ConstStr255Param source);
// Copies at most destinationSize bytes (length byte included); a cut string's
// length byte becomes destinationSize - 1.
void CopyPStringLimited(StringPtr destination, ConstStr255Param source,
                        std::uint32_t destinationSize);
// Length first, then the first differing byte (unsigned).
std::int16_t ComparePStrings(ConstStr255Param a, ConstStr255Param b);
// 1-based position of pattern in text, 0 when empty, longer than text or absent.
std::int16_t FindPString(ConstStr255Param pattern, ConstStr255Param text);
void SubPString(StringPtr destination, ConstStr255Param source, std::int32_t start,
                std::uint32_t count);
void DeletePChars(StringPtr string, std::uint32_t start, std::int32_t count);

// Concatenation into a destination of `capacity` bytes (clamped to 0..256);
// null sources count as empty, the destination may also be a source, and
// later sources lose first when the result is cut.
void ConcatPStrings(std::int32_t capacity, StringPtr destination, ConstStr255Param s1,
                    ConstStr255Param s2);
void ConcatPStrings(std::int32_t capacity, StringPtr destination, ConstStr255Param s1,
                    ConstStr255Param s2, ConstStr255Param s3);
void ConcatPStrings(std::int32_t capacity, StringPtr destination, ConstStr255Param s1,
                    ConstStr255Param s2, ConstStr255Param s3, ConstStr255Param s4);
void ConcatPStrings(std::int32_t capacity, StringPtr destination, ConstStr255Param s1,
                    ConstStr255Param s2, ConstStr255Param s3, ConstStr255Param s4,
                    ConstStr255Param s5);

StringPtr NumToPString(StringPtr destination, std::int32_t value);
StringPtr GetIndPString(StringPtr destination, std::int16_t listId, std::int16_t index);
// The code's four bytes, most significant first.
void OSTypeToPString(OSType code, StringPtr destination);

}  // namespace spiro
