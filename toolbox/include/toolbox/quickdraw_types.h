// QuickDraw's value types and constants (the platform's Quickdraw.h values):
// patterns, regions, styles, transfer modes, classic colours, font numbers.
#pragma once

#include <cstdint>

#include "toolbox/mac_types.h"

using Boolean = unsigned char;

// 8×8 one-bit pattern, row 0 first, most significant bit leftmost.
struct Pattern {
  UInt8 pat[8];
};
static_assert(sizeof(Pattern) == 8);

// A region. Only rectangles and the empty region are kept, so every region is
// its bounding box; rgnSize is always 10. Empty: rgnBBox is (0,0,0,0).
struct MacRegion {
  UInt16 rgnSize;
  Rect rgnBBox;
};
static_assert(sizeof(MacRegion) == 10);
using RgnPtr = MacRegion*;
using RgnHandle = RgnPtr*;

// A picture handle holds stored PICT version 2 bytes (big-endian), so its
// fields cannot be read through a native struct: the type is left incomplete.
// Use QDGetPictureBounds and GetHandleSize on it.
struct Picture;
using PicPtr = Picture*;
using PicHandle = PicPtr*;

using Style = UInt8;
using StyleParameter = SInt16;

// Text face bits.
enum : Style {
  normal = 0,
  bold = 1,
  italic = 2,
  underline = 4,
  outline = 8,
  shadow = 0x10,
  condense = 0x20,
  extend = 0x40,
};

// Transfer modes. Pen and shape calls treat srcX and patX alike. addMax
// lightens (per-channel maximum of colour and destination); grayishTextOr
// draws text in the colour halfway between foreground and background.
enum : SInt16 {
  srcCopy = 0,
  srcOr = 1,
  srcXor = 2,
  srcBic = 3,
  notSrcCopy = 4,
  notSrcOr = 5,
  notSrcXor = 6,
  notSrcBic = 7,
  patCopy = 8,
  patOr = 9,
  patXor = 10,
  patBic = 11,
  notPatCopy = 12,
  notPatOr = 13,
  notPatXor = 14,
  notPatBic = 15,
  blend = 32,
  addPin = 33,
  addOver = 34,
  subPin = 35,
  transparent = 36,
  addMax = 37,
  adMax = 37,
  subOver = 38,
  adMin = 39,
  grayishTextOr = 49,
  hilitetransfermode = 50,
};

// Classic colours (ForeColor/BackColor).
enum : SInt32 {
  whiteColor = 30,
  blackColor = 33,
  yellowColor = 69,
  magentaColor = 137,
  redColor = 205,
  cyanColor = 273,
  greenColor = 341,
  blueColor = 409,
};

// Font numbers. 0 and 1 (and 3, 21) are sans faces; 0 is drawn bold.
enum : SInt16 {
  systemFont = 0,
  applFont = 1,
  kFontIDNewYork = 2,
  kFontIDGeneva = 3,
  kFontIDMonaco = 4,
  kFontIDTimes = 20,
  kFontIDHelvetica = 21,
  kFontIDCourier = 22,
};

struct FontInfo {
  SInt16 ascent;
  SInt16 descent;
  SInt16 widMax;
  SInt16 leading;
};

struct PenState {
  Point pnLoc;
  Point pnSize;
  SInt16 pnMode;
  Pattern pnPat;
};

constexpr bool operator==(const Rect& a, const Rect& b) {
  return a.top == b.top && a.left == b.left && a.bottom == b.bottom && a.right == b.right;
}
constexpr bool operator==(const Point& a, const Point& b) { return a.v == b.v && a.h == b.h; }
constexpr bool operator==(const RGBColor& a, const RGBColor& b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}
constexpr bool operator==(const Pattern& a, const Pattern& b) {
  for (int i = 0; i < 8; ++i) {
    if (a.pat[i] != b.pat[i]) return false;
  }
  return true;
}
