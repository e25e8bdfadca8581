#include "frame/byte_order.h"

#include <bit>

namespace {
std::uint32_t SwapHalfwordBytes(std::uint32_t w) {
  return ((w & 0x00FF00FFu) << 8) | ((w >> 8) & 0x00FF00FFu);
}
}  // namespace

RectWords SwapRectBytes(std::uint32_t first, std::uint32_t second) {
  return RectWords{SwapHalfwordBytes(first), SwapHalfwordBytes(second)};
}

float SwapFloatBytes(std::uint32_t word) {
  return std::bit_cast<float>(__builtin_bswap32(word));
}
