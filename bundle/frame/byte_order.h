// Byte-order helpers for records stored big-endian.
#pragma once

#include <cstdint>

struct RectWords {
  std::uint32_t first;   // top, left
  std::uint32_t second;  // bottom, right
};

// Exchanges the two bytes of each of the four 16-bit fields held in two
// 32-bit words; the fields keep their places.
RectWords SwapRectBytes(std::uint32_t first, std::uint32_t second);
// Reverses the four bytes of a word and reads the result as a float.
float SwapFloatBytes(std::uint32_t word);
