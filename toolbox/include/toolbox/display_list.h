// Display lists: what a port has been asked to draw, as operations that carry
// the port state they need, so a list replays identically on any renderer
// and tests can assert what was drawn without looking at pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toolbox/quickdraw_types.h"

namespace toolbox {

// Port state an operation is drawn with. Coordinates are the port's local ones.
struct DrawState {
  Rect clip{};                  // the port's clip rectangle when the call was made
  Point penSize{1, 1};          // v = height, h = width, in pixels
  SInt16 penMode = patCopy;
  Pattern penPattern{{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}};
  RGBColor foreColor{0, 0, 0};
  RGBColor backColor{0xFFFF, 0xFFFF, 0xFFFF};
  SInt16 textFont = systemFont;
  SInt16 textSize = 0;          // 0 = the default size, 12
  Style textFace = normal;
  SInt16 textMode = srcOr;

  bool operator==(const DrawState&) const = default;
};

enum class DrawKind : std::uint8_t {
  kLine,        // from → to, with the pen (size, mode, pattern)
  kFrameRect,   // pen-wide outline inside rect
  kPaintRect,   // rect with the pen's pattern and mode
  kEraseRect,   // rect with the background colour
  kInvertRect,  // rect's pixels inverted
  kFillRect,    // rect with fillPattern, copy mode
  kFrameOval,
  kPaintOval,
  kEraseOval,
  kInvertOval,
  kFillOval,
  kText,        // text drawn with its baseline origin at `from`
  kImage,       // image pixels scaled into rect
  kFrameRoundRect,  // rect with corners of ovalSize, as the rectangle verbs
  kPaintRoundRect,
  kEraseRoundRect,
  kInvertRoundRect,
  kFillRoundRect,
};

struct DrawOp {
  DrawKind kind = DrawKind::kLine;
  Rect rect{};              // shapes; destination of an image
  Point from{};             // lines; baseline origin of text
  Point to{};               // lines
  Point ovalSize{};         // round rectangles: h = corner oval width, v = height
  Pattern fillPattern{};    // kFillRect, kFillOval
  std::string text;         // kText: MacRoman bytes
  SInt16 imageWidth = 0;    // kImage: pixels, row-major, 0xAARRGGBB (not premultiplied)
  SInt16 imageHeight = 0;
  std::vector<std::uint32_t> imagePixels;
  DrawState state;

  bool operator==(const DrawOp&) const = default;
};

struct DisplayList {
  std::vector<DrawOp> ops;

  bool operator==(const DisplayList&) const = default;
};

// True for the shape kinds that take a rectangle.
bool IsRectShape(DrawKind kind);
bool IsOvalShape(DrawKind kind);
bool IsRoundRectShape(DrawKind kind);
// Any shape with a rectangle: rectangle, oval or round rectangle.
bool IsShape(DrawKind kind);
// The rectangle verb (kFrameRect .. kFillRect) of a shape kind.
DrawKind ShapeVerb(DrawKind kind);

}  // namespace toolbox
