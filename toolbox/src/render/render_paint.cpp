// Transfer modes onto cairo. Bits set in the pattern take the "ink" colour;
// clear bits take the "paper" colour, or nothing in the transparent modes.
// Inversion (xor) is a difference against white, which maps each channel c
// to 255 − c on pixels, so drawing twice restores them exactly.
#include "render_paint.h"

#include <cairo.h>

#include <cstdint>

namespace toolbox::internal {
namespace {

enum class Ink { kFore, kBack, kInvert, kGrayish };

struct PaintPlan {
  Ink ink = Ink::kFore;
  bool paperOpaque = false;  // clear bits paint the paper colour
  Ink paper = Ink::kBack;
  bool invertPattern = false;
  cairo_operator_t op = CAIRO_OPERATOR_OVER;
};

PaintPlan PlanFor(SInt16 mode) {
  PaintPlan plan;
  if (mode >= srcCopy && mode <= notPatBic) {
    plan.invertPattern = (mode & 4) != 0;
    switch (mode & 3) {
      case 0: plan.paperOpaque = true; break;                        // copy
      case 1: break;                                                 // or
      case 2: plan.ink = Ink::kInvert; plan.op = CAIRO_OPERATOR_DIFFERENCE; break;  // xor
      default: plan.ink = Ink::kBack; break;                         // bic
    }
    return plan;
  }
  switch (mode) {
    case addMax: plan.paperOpaque = true; plan.op = CAIRO_OPERATOR_LIGHTEN; break;
    case adMin: plan.paperOpaque = true; plan.op = CAIRO_OPERATOR_DARKEN; break;
    case grayishTextOr: plan.ink = Ink::kGrayish; break;
    case transparent: break;
    case hilitetransfermode: plan.ink = Ink::kInvert; plan.op = CAIRO_OPERATOR_DIFFERENCE; break;
    default: plan.paperOpaque = true; break;
  }
  return plan;
}

std::uint32_t Channel8(std::uint16_t c) { return c >> 8; }

RGBColor ColourOf(Ink ink, const RGBColor& fore, const RGBColor& back) {
  switch (ink) {
    case Ink::kFore: return fore;
    case Ink::kBack: return back;
    case Ink::kInvert: return RGBColor{0xFFFF, 0xFFFF, 0xFFFF};
    case Ink::kGrayish: break;
  }
  return RGBColor{static_cast<std::uint16_t>((fore.red + back.red) / 2),
                  static_cast<std::uint16_t>((fore.green + back.green) / 2),
                  static_cast<std::uint16_t>((fore.blue + back.blue) / 2)};
}

void SetSolid(cairo_t* cr, const RGBColor& c) {
  cairo_set_source_rgb(cr, Channel8(c.red) / 255.0, Channel8(c.green) / 255.0, Channel8(c.blue) / 255.0);
}

bool AllBits(const Pattern& p, std::uint8_t value) {
  for (std::uint8_t row : p.pat) {
    if (row != value) return false;
  }
  return true;
}

void SetPatternSource(cairo_t* cr, const Pattern& bits, std::uint32_t ink, std::uint32_t paper) {
  cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
  cairo_surface_flush(tile);
  unsigned char* data = cairo_image_surface_get_data(tile);
  const int stride = cairo_image_surface_get_stride(tile);
  for (int y = 0; y < 8; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
    for (int x = 0; x < 8; ++x) row[x] = ((bits.pat[y] >> (7 - x)) & 1) != 0 ? ink : paper;
  }
  cairo_surface_mark_dirty(tile);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(tile);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
  cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
  cairo_set_source(cr, pattern);
  cairo_pattern_destroy(pattern);
  cairo_surface_destroy(tile);
}

}  // namespace

std::uint32_t ToArgb(const RGBColor& color) {
  return 0xFF000000u | (Channel8(color.red) << 16) | (Channel8(color.green) << 8) | Channel8(color.blue);
}

bool IsCopyMode(SInt16 mode) { return mode >= srcCopy && mode <= notPatBic && (mode & 3) == 0; }

bool InkPlan::Solid() const { return AllBits(bits, 0xFF); }
bool InkPlan::Empty() const { return AllBits(bits, 0x00); }

InkPlan PlanInk(SInt16 mode, const Pattern& pattern, const RGBColor& fore, const RGBColor& back) {
  const PaintPlan plan = PlanFor(mode);
  InkPlan ink;
  ink.bits = pattern;
  if (plan.invertPattern) {
    for (auto& row : ink.bits.pat) row = static_cast<std::uint8_t>(~row);
  }
  ink.ink = ColourOf(plan.ink, fore, back);
  ink.paper = ColourOf(plan.paper, fore, back);
  ink.paperOpaque = plan.paperOpaque;
  switch (plan.op) {
    case CAIRO_OPERATOR_DIFFERENCE: ink.blend = Blend::kDifference; break;
    case CAIRO_OPERATOR_LIGHTEN: ink.blend = Blend::kLighten; break;
    case CAIRO_OPERATOR_DARKEN: ink.blend = Blend::kDarken; break;
    default: break;
  }
  return ink;
}

bool SetPaint(cairo_t* cr, SInt16 mode, const Pattern& pattern, const RGBColor& fore, const RGBColor& back) {
  const PaintPlan plan = PlanFor(mode);
  const InkPlan ink = PlanInk(mode, pattern, fore, back);
  cairo_set_operator(cr, plan.op);
  if (ink.Solid()) {
    SetSolid(cr, ink.ink);
  } else if (ink.Empty()) {
    if (!ink.paperOpaque) return false;
    SetSolid(cr, ink.paper);
  } else {
    SetPatternSource(cr, ink.bits, ToArgb(ink.ink), ink.paperOpaque ? ToArgb(ink.paper) : 0);
  }
  return true;
}

}  // namespace toolbox::internal
