// Big-endian fields of the platform's stored formats (resource files and the
// resource types inside them). Reading is bounds-checked at every access, so a
// parser built on BigEndianReader cannot read outside its input whatever the
// input claims; writing appends to a growing buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace toolbox {

class BigEndianReader {
 public:
  explicit BigEndianReader(std::span<const unsigned char> bytes) : bytes_(bytes) {}

  std::size_t size() const { return bytes_.size(); }

  // True when [offset, offset + count) lies inside the input (overflow-safe).
  bool Contains(std::size_t offset, std::size_t count) const {
    return offset <= bytes_.size() && count <= bytes_.size() - offset;
  }

  std::optional<std::uint8_t> U8(std::size_t offset) const {
    if (!Contains(offset, 1)) return std::nullopt;
    return bytes_[offset];
  }
  std::optional<std::uint16_t> U16(std::size_t offset) const {
    if (!Contains(offset, 2)) return std::nullopt;
    return static_cast<std::uint16_t>((bytes_[offset] << 8) | bytes_[offset + 1]);
  }
  std::optional<std::uint32_t> U24(std::size_t offset) const {
    if (!Contains(offset, 3)) return std::nullopt;
    return (std::uint32_t{bytes_[offset]} << 16) | (std::uint32_t{bytes_[offset + 1]} << 8) |
           std::uint32_t{bytes_[offset + 2]};
  }
  std::optional<std::uint32_t> U32(std::size_t offset) const {
    if (!Contains(offset, 4)) return std::nullopt;
    return (std::uint32_t{bytes_[offset]} << 24) | (std::uint32_t{bytes_[offset + 1]} << 16) |
           (std::uint32_t{bytes_[offset + 2]} << 8) | std::uint32_t{bytes_[offset + 3]};
  }
  std::optional<std::span<const unsigned char>> Bytes(std::size_t offset, std::size_t count) const {
    if (!Contains(offset, count)) return std::nullopt;
    return bytes_.subspan(offset, count);
  }

 private:
  std::span<const unsigned char> bytes_;
};

class BigEndianWriter {
 public:
  std::size_t size() const { return bytes_.size(); }
  const std::vector<unsigned char>& bytes() const { return bytes_; }
  std::vector<unsigned char> Take() { return std::move(bytes_); }

  void U8(std::uint8_t v) { bytes_.push_back(v); }
  void U16(std::uint16_t v) {
    U8(static_cast<std::uint8_t>(v >> 8));
    U8(static_cast<std::uint8_t>(v));
  }
  void S16(std::int16_t v) { U16(static_cast<std::uint16_t>(v)); }
  void U24(std::uint32_t v) {
    U8(static_cast<std::uint8_t>(v >> 16));
    U16(static_cast<std::uint16_t>(v));
  }
  void U32(std::uint32_t v) {
    U16(static_cast<std::uint16_t>(v >> 16));
    U16(static_cast<std::uint16_t>(v));
  }
  void Bytes(std::span<const unsigned char> data) { bytes_.insert(bytes_.end(), data.begin(), data.end()); }
  void Zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }
  // A length byte and the bytes; the caller has checked that text fits 255.
  void PString(std::string_view text) {
    U8(static_cast<std::uint8_t>(text.size()));
    for (char c : text) U8(static_cast<std::uint8_t>(c));
  }
  void PadToEven() {
    if (bytes_.size() % 2 != 0) U8(0);
  }
  // Overwrites a field written earlier (offsets known only after later parts).
  void PatchU16(std::size_t offset, std::uint16_t v) {
    bytes_.at(offset) = static_cast<unsigned char>(v >> 8);
    bytes_.at(offset + 1) = static_cast<unsigned char>(v);
  }
  void PatchU32(std::size_t offset, std::uint32_t v) {
    PatchU16(offset, static_cast<std::uint16_t>(v >> 16));
    PatchU16(offset + 2, static_cast<std::uint16_t>(v));
  }

 private:
  std::vector<unsigned char> bytes_;
};

}  // namespace toolbox
