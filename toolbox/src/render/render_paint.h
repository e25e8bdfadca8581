// How a transfer mode, a pattern and the port's colours become a cairo source
// and compositing operator.
#pragma once

#include <cairo.h>

#include "toolbox/display_list.h"

namespace toolbox::internal {

constexpr Pattern kSolidPattern{{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}};

// What a transfer mode makes of a pattern and the port's colours, for any
// backend: set bits take `ink`, clear bits `paper` when it is opaque (else
// they leave the destination), combined with the destination by `blend`.
enum class Blend { kOver, kDifference, kLighten, kDarken };
struct InkPlan {
  RGBColor ink{};
  RGBColor paper{};
  bool paperOpaque = false;
  Pattern bits{};    // the pattern, inverted for the not-modes
  Blend blend = Blend::kOver;
  bool Solid() const;
  bool Empty() const;  // no set bits
};
// The copy modes, in which text paints its background box too.
bool IsCopyMode(SInt16 mode);
InkPlan PlanInk(SInt16 mode, const Pattern& pattern, const RGBColor& fore, const RGBColor& back);

// Sets the source and operator for painting with `pattern` in `mode`; false
// when nothing would change (a pattern with no bits set in an "or" mode).
// The pattern is anchored at user-space (0,0), the port's local origin.
bool SetPaint(cairo_t* cr, SInt16 mode, const Pattern& pattern, const RGBColor& fore, const RGBColor& back);

// The opaque colour 0xAARRGGBB of an RGBColor.
std::uint32_t ToArgb(const RGBColor& color);

}  // namespace toolbox::internal
