#include "small_icons.h"

#include <span>

#include "toolbox/memory.h"
#include "toolbox/resources.h"

namespace host {
namespace {

constexpr int kPixels = kSmallIconSize * kSmallIconSize;
constexpr std::size_t kOneBitBytes = kPixels / 8;       // 32
constexpr std::size_t kMaskedOneBitBytes = 2 * kOneBitBytes;  // image, then mask
constexpr std::size_t kEightBitBytes = kPixels;         // 256
constexpr std::uint32_t kOpaque = 0xFF000000u;

std::vector<unsigned char> ResourceBytes(ResType type, SInt16 id) {
  Handle h = GetResource(type, id);
  if (h == nullptr || *h == nullptr) return {};
  const auto* data = reinterpret_cast<const unsigned char*>(*h);
  return {data, data + GetHandleSize(h)};
}

bool BitAt(std::span<const unsigned char> bits, int pixel) {
  return (bits[static_cast<std::size_t>(pixel / 8)] & (0x80 >> (pixel % 8))) != 0;
}

std::uint32_t Rgb(unsigned r, unsigned g, unsigned b) { return kOpaque | (r << 16) | (g << 8) | b; }

// The platform's standard 8-bit colour table: a 6 × 6 × 6 cube from white
// (index 0) down, then ten-step ramps of red, green, blue and grey, then black.
std::uint32_t SystemColor(unsigned char index) {
  static constexpr unsigned kRamp[10] = {0xEE, 0xDD, 0xBB, 0xAA, 0x88, 0x77, 0x55, 0x44, 0x22, 0x11};
  if (index < 215) {
    return Rgb((5 - index / 36) * 0x33u, (5 - index / 6 % 6) * 0x33u, (5 - index % 6) * 0x33u);
  }
  if (index == 255) return Rgb(0, 0, 0);
  const unsigned step = kRamp[(index - 215) % 10];
  switch ((index - 215) / 10) {
    case 0: return Rgb(step, 0, 0);
    case 1: return Rgb(0, step, 0);
    case 2: return Rgb(0, 0, step);
    default: return Rgb(step, step, step);
  }
}

}  // namespace

std::optional<IconPixels> LoadSmallIcon(SInt16 id) {
  const std::vector<unsigned char> mono = ResourceBytes(FourCharCode("ics#"), id);
  const std::vector<unsigned char> color = ResourceBytes(FourCharCode("ics8"), id);
  const bool hasMask = mono.size() >= kMaskedOneBitBytes;
  const bool hasColor = color.size() >= kEightBitBytes;
  if (!hasMask && !hasColor) return std::nullopt;
  const std::span<const unsigned char> image(mono.data(), hasMask ? kOneBitBytes : 0);
  const std::span<const unsigned char> mask(hasMask ? mono.data() + kOneBitBytes : nullptr,
                                            hasMask ? kOneBitBytes : 0);
  IconPixels pixels(kPixels, 0);
  for (int p = 0; p < kPixels; ++p) {
    if (hasMask && !BitAt(mask, p)) continue;
    if (hasColor) {
      pixels[static_cast<std::size_t>(p)] = SystemColor(color[static_cast<std::size_t>(p)]);
    } else {
      pixels[static_cast<std::size_t>(p)] = BitAt(image, p) ? Rgb(0, 0, 0) : Rgb(0xFF, 0xFF, 0xFF);
    }
  }
  return pixels;
}

}  // namespace host
