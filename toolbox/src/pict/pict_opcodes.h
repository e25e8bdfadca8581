// PICT version 2 opcode numbers and fixed sizes shared by the writer and reader.
#pragma once

#include <cstdint>

namespace toolbox::pict {

enum Opcode : std::uint16_t {
  kNop = 0x0000,
  kClip = 0x0001,
  kBkPat = 0x0002,
  kTxFont = 0x0003,
  kTxFace = 0x0004,
  kTxMode = 0x0005,
  kSpExtra = 0x0006,
  kPnSize = 0x0007,
  kPnMode = 0x0008,
  kPnPat = 0x0009,
  kFillPat = 0x000A,
  kOvSize = 0x000B,
  kOrigin = 0x000C,
  kTxSize = 0x000D,
  kFgColor = 0x000E,
  kBkColor = 0x000F,
  kTxRatio = 0x0010,
  kVersionOp = 0x0011,
  kPnLocHFrac = 0x0015,
  kChExtra = 0x0016,
  kRGBFgCol = 0x001A,
  kRGBBkCol = 0x001B,
  kHiliteMode = 0x001C,
  kHiliteColor = 0x001D,
  kDefHilite = 0x001E,
  kOpColor = 0x001F,
  kLine = 0x0020,
  kLineFrom = 0x0021,
  kShortLine = 0x0022,
  kShortLineFrom = 0x0023,
  kLongText = 0x0028,
  kDHText = 0x0029,
  kDVText = 0x002A,
  kDHDVText = 0x002B,
  kFontName = 0x002C,
  kFrameRect = 0x0030,
  kFillRect = 0x0034,
  kFrameSameRect = 0x0038,
  kFrameRRect = 0x0040,
  kFrameSameRRect = 0x0048,
  kFrameOval = 0x0050,
  kFrameSameOval = 0x0058,
  kFrameArc = 0x0060,
  kFrameSameArc = 0x0068,
  kFramePoly = 0x0070,
  kFrameSamePoly = 0x0078,
  kFrameRgn = 0x0080,
  kFrameSameRgn = 0x0088,
  kDirectBitsRect = 0x009A,
  kShortComment = 0x00A0,
  kLongComment = 0x00A1,
  kOpEndPic = 0x00FF,
  kVersion2 = 0x02FF,
  kHeaderOp = 0x0C00,
};

// The five verbs of each shape family, in opcode order (frame, paint, erase,
// invert, fill) from the family's base opcode.
constexpr int kShapeVerbCount = 5;

constexpr std::size_t kPictHeaderBytes = 10;   // picSize + picFrame
constexpr std::size_t kFileHeaderBytes = 512;  // before the picture in a PICT file
constexpr std::size_t kRegionRectBytes = 10;   // rgnSize + rgnBBox
constexpr std::uint16_t kDirectPixelType = 16; // RGBDirect

}  // namespace toolbox::pict
