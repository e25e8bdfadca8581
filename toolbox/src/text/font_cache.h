// Loaded fonts for measurement and drawing: one cairo scaled font per font
// number, size and face, with a table of glyphs and whole-pixel advances for
// every MacRoman byte. The cache is bounded: a reference from FontFor is
// valid until the next FontFor call.
#pragma once

#include <cairo.h>

#include <array>

#include "toolbox/quickdraw_types.h"

namespace toolbox::internal {

struct LoadedFont {
  cairo_scaled_font_t* scaled = nullptr;   // owned by the cache
  std::array<unsigned long, 256> glyphs{};  // glyph index per MacRoman byte
  std::array<SInt16, 256> advances{};       // whole pixels; 0 for control bytes
  std::array<bool, 256> drawable{};         // false for control bytes
  FontInfo info{};
  double pixelSize = 0;
};

const LoadedFont& FontFor(SInt16 fontNumber, SInt16 size, Style face);

}  // namespace toolbox::internal
