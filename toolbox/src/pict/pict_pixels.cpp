// DirectBitsRect writing and reading, PackBits expansion.
#include "pict_pixels.h"

#include <algorithm>

#include "pict_opcodes.h"
#include "toolbox/quickdraw.h"

namespace toolbox::pict {
namespace {

constexpr std::uint32_t kBaseAddrPlaceholder = 0x000000FF;
constexpr std::uint16_t kPixMapFlag = 0x8000;
constexpr std::uint16_t kRowBytesMask = 0x3FFF;
constexpr std::uint32_t k72Dpi = 72u << 16;
constexpr std::size_t kPixMapBytes = 50;     // baseAddr through pmReserved
constexpr std::size_t kRectsAndMode = 18;    // srcRect, dstRect, mode
constexpr std::size_t kMaxPixels = 16u << 20;

enum PackType : SInt16 { kDefaultPacking = 0, kUnpacked = 1, kUnpackedRGB = 2, kPackedComponents = 4 };

struct PixMapHeader {
  std::uint16_t rowBytes;
  Rect bounds, srcRect, dstRect;
  SInt16 packType, pixelSize, cmpCount, cmpSize;
  int width() const { return bounds.right - bounds.left; }
  int height() const { return bounds.bottom - bounds.top; }
};

Rect RectAt(const BigEndianReader& in, std::size_t at) {
  auto s16 = [&](std::size_t o) { return static_cast<SInt16>(*in.U16(at + o)); };
  return Rect{s16(0), s16(2), s16(4), s16(6)};
}

PixMapHeader HeaderAt(const BigEndianReader& in, std::size_t pos) {
  auto s16 = [&](std::size_t o) { return static_cast<SInt16>(*in.U16(pos + o)); };
  PixMapHeader h{};
  h.rowBytes = static_cast<std::uint16_t>(*in.U16(pos + 4) & kRowBytesMask);
  h.bounds = RectAt(in, pos + 6);
  h.packType = s16(16);
  h.pixelSize = s16(32);
  h.cmpCount = s16(34);
  h.cmpSize = s16(36);
  h.srcRect = RectAt(in, pos + kPixMapBytes);
  h.dstRect = RectAt(in, pos + kPixMapBytes + 8);
  return h;
}

std::uint32_t PixelFrom(const unsigned char* c, bool hasAlpha) {
  const std::uint32_t a = hasAlpha ? c[0] : 0xFF;
  return (a << 24) | (std::uint32_t{c[1]} << 16) | (std::uint32_t{c[2]} << 8) | c[3];
}

// One row of pixels from the stream; false when the stream is short or damaged.
bool ReadRow(const BigEndianReader& in, std::size_t& pos, const PixMapHeader& h,
             std::vector<unsigned char>& scratch, std::uint32_t* row) {
  const auto width = static_cast<std::size_t>(h.width());
  const bool hasAlpha = h.cmpCount == 4;
  const bool unpacked = h.rowBytes < 8 || h.packType == kUnpacked;
  if (unpacked || h.packType == kUnpackedRGB) {
    const std::size_t bytesPerPixel = unpacked ? 4 : 3;
    const std::size_t rowBytes = unpacked ? h.rowBytes : width * 3;
    const auto data = in.Bytes(pos, rowBytes);
    if (!data) return false;
    for (std::size_t x = 0; x < width; ++x) {
      const unsigned char* p = data->data() + x * bytesPerPixel;
      row[x] = unpacked ? PixelFrom(p, hasAlpha) : (0xFFu << 24) | (std::uint32_t{p[0]} << 16) |
                                                     (std::uint32_t{p[1]} << 8) | p[2];
    }
    pos += rowBytes;
    return true;
  }
  const bool wideCount = h.rowBytes > 250;
  const auto count = wideCount ? in.U16(pos) : std::optional<std::uint16_t>(in.U8(pos));
  if (!count) return false;
  pos += wideCount ? 2 : 1;
  const auto packed = in.Bytes(pos, *count);
  const auto planes = static_cast<std::size_t>(h.cmpCount);
  if (!packed || !UnpackBits(*packed, width * planes, scratch)) return false;
  pos += *count;
  for (std::size_t x = 0; x < width; ++x) {
    unsigned char c[4] = {0xFF, 0, 0, 0};
    for (std::size_t p = 0; p < planes; ++p) c[4 - planes + p] = scratch[p * width + x];
    row[x] = PixelFrom(c, hasAlpha);
  }
  return true;
}

bool Refuse(std::string& error, const std::string& why) {
  error = why;
  return false;
}

// The part of the pixel map the picture shows, as an image of its own.
void CropToSource(const PixMapHeader& h, const std::vector<std::uint32_t>& pixels, DrawOp& image) {
  Rect src;
  if (!SectRect(&h.srcRect, &h.bounds, &src)) return;
  const int w = src.right - src.left;
  const int ht = src.bottom - src.top;
  image.kind = DrawKind::kImage;
  image.rect = h.dstRect;
  image.imageWidth = static_cast<SInt16>(w);
  image.imageHeight = static_cast<SInt16>(ht);
  image.imagePixels.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(ht));
  for (int y = 0; y < ht; ++y) {
    const auto from = pixels.begin() + static_cast<long>((src.top - h.bounds.top + y) * h.width() +
                                                         (src.left - h.bounds.left));
    std::copy(from, from + w, image.imagePixels.begin() + static_cast<long>(y) * w);
  }
}

}  // namespace

bool UnpackBits(std::span<const unsigned char> packed, std::size_t expected, std::vector<unsigned char>& out) {
  out.clear();
  std::size_t i = 0;
  while (i < packed.size() && out.size() < expected) {
    const auto flag = static_cast<signed char>(packed[i++]);
    if (flag >= 0) {
      const std::size_t n = static_cast<std::size_t>(flag) + 1;
      if (n > packed.size() - i || out.size() + n > expected) return false;
      out.insert(out.end(), packed.begin() + static_cast<long>(i), packed.begin() + static_cast<long>(i + n));
      i += n;
    } else if (flag != -128) {
      const std::size_t n = static_cast<std::size_t>(1 - flag);
      if (i >= packed.size() || out.size() + n > expected) return false;
      out.insert(out.end(), n, packed[i++]);
    }
  }
  return out.size() == expected && i == packed.size();
}

bool ReadDirectBits(const BigEndianReader& in, std::size_t& pos, DrawOp& image, std::string& error) {
  if (!in.Contains(pos, kPixMapBytes + kRectsAndMode)) return Refuse(error, "truncated pixel map");
  const PixMapHeader h = HeaderAt(in, pos);
  if (h.pixelSize != 32 || h.cmpSize != 8 || (h.cmpCount != 3 && h.cmpCount != 4))
    return Refuse(error, "unsupported pixel format (only 32-bit direct pixels are read)");
  if (h.width() <= 0 || h.height() <= 0 ||
      static_cast<std::size_t>(h.width()) * static_cast<std::size_t>(h.height()) > kMaxPixels)
    return Refuse(error, "pixel map bounds out of range");
  if (h.rowBytes >= 8 && h.packType != kUnpacked && h.packType != kUnpackedRGB &&
      h.packType != kPackedComponents && h.packType != kDefaultPacking)
    return Refuse(error, "unsupported pixel packing " + std::to_string(h.packType));
  const bool unpacked = h.rowBytes < 8 || h.packType == kUnpacked;
  if (unpacked && h.rowBytes < static_cast<std::size_t>(h.width()) * 4)
    return Refuse(error, "pixel map rows shorter than their pixels");
  std::size_t at = pos + kPixMapBytes + kRectsAndMode;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(h.width()) * static_cast<std::size_t>(h.height()));
  std::vector<unsigned char> scratch;
  for (int y = 0; y < h.height(); ++y) {
    if (!ReadRow(in, at, h, scratch, pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(h.width())))
      return Refuse(error, "truncated or damaged pixel data in row " + std::to_string(y));
  }
  pos = at;
  CropToSource(h, pixels, image);
  return true;
}

void WriteDirectBits(BigEndianWriter& out, const DrawOp& image) {
  const auto width = static_cast<std::uint32_t>(image.imageWidth);
  const auto height = static_cast<std::uint32_t>(image.imageHeight);
  if (width == 0 || height == 0 || width * 4 > kRowBytesMask ||
      image.imagePixels.size() != static_cast<std::size_t>(width) * height)
    return;
  out.U16(kDirectBitsRect);
  out.U32(kBaseAddrPlaceholder);
  out.U16(static_cast<std::uint16_t>(kPixMapFlag | (width * 4)));
  for (std::uint32_t v : {0u, 0u, height, width}) out.U16(static_cast<std::uint16_t>(v));
  out.U16(0);  // pmVersion
  out.U16(kUnpacked);
  out.U32(0);  // packSize
  out.U32(k72Dpi);
  out.U32(k72Dpi);
  out.U16(kDirectPixelType);
  out.U16(32);
  out.U16(4);  // components: alpha, red, green, blue
  out.U16(8);
  out.Zeros(12);  // planeBytes, pmTable, pmReserved
  for (std::uint32_t v : {0u, 0u, height, width}) out.U16(static_cast<std::uint16_t>(v));
  for (SInt16 v : {image.rect.top, image.rect.left, image.rect.bottom, image.rect.right}) out.S16(v);
  out.U16(0);  // srcCopy
  for (std::uint32_t pixel : image.imagePixels) out.U32(pixel);
}

}  // namespace toolbox::pict
