// The classic Mac scalar and record types shared by the Toolbox subset, the
// host ABI and the bundle. Layouts are the platform's: 16-bit rectangle and
// point fields, length-prefixed strings, handles as pointers to master pointers.
#pragma once

#include <cstddef>
#include <cstdint>

using SInt8 = std::int8_t;
using UInt8 = std::uint8_t;
using SInt16 = std::int16_t;
using UInt16 = std::uint16_t;
using SInt32 = std::int32_t;
using UInt32 = std::uint32_t;
using Size = std::int32_t;
using OSErr = std::int16_t;
using OSStatus = std::int32_t;
using OSType = std::uint32_t;
using ResType = OSType;
using Ptr = char*;
using Handle = char**;

// Str255: byte 0 is the length, bytes 1..length the MacRoman characters.
using Str255 = unsigned char[256];
using StringPtr = unsigned char*;
using ConstStr255Param = const unsigned char*;

struct Rect {
  std::int16_t top;
  std::int16_t left;
  std::int16_t bottom;
  std::int16_t right;
};
static_assert(sizeof(Rect) == 8);

struct Point {
  std::int16_t v;
  std::int16_t h;
};
static_assert(sizeof(Point) == 4);

struct RGBColor {
  std::uint16_t red;
  std::uint16_t green;
  std::uint16_t blue;
};
static_assert(sizeof(RGBColor) == 6);

// Result codes the subset reports (MacErrors.h values).
enum : OSErr {
  noErr = 0,
  ioErr = -36,
  eofErr = -39,
  fnfErr = -43,
  paramErr = -50,
  memFullErr = -108,
  nilHandleErr = -109,
  memWZErr = -111,
  memLockedErr = -117,
  userCanceledErr = -128,
  notAFileErr = -1302,
  resNotFound = -192,
  resFNotFound = -193,
  addResFailed = -194,
  rmvResFailed = -196,
  resAttrErr = -198,
  mapReadErr = -199,
};

constexpr OSType FourCharCode(const char (&code)[5]) {
  return (static_cast<OSType>(static_cast<unsigned char>(code[0])) << 24) |
         (static_cast<OSType>(static_cast<unsigned char>(code[1])) << 16) |
         (static_cast<OSType>(static_cast<unsigned char>(code[2])) << 8) |
         static_cast<OSType>(static_cast<unsigned char>(code[3]));
}
