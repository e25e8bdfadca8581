// Text: the copy modes paint the text's background box first, as the
// platform's srcCopy did; underline is a one-pixel rule below the baseline.
#include "render_text.h"

#include <vector>

#include "font_cache.h"
#include "render_paint.h"

namespace toolbox::internal {
void DrawTextOp(cairo_t* cr, const DrawOp& op) {
  const DrawState& s = op.state;
  const LoadedFont& font = FontFor(s.textFont, s.textSize, s.textFace);
  std::vector<cairo_glyph_t> glyphs;
  glyphs.reserve(op.text.size());
  double x = op.from.h;
  for (char c : op.text) {
    const auto byte = static_cast<unsigned char>(c);
    if (font.drawable[byte]) glyphs.push_back(cairo_glyph_t{font.glyphs[byte], x, double(op.from.v)});
    x += font.advances[byte];
  }
  const double width = x - op.from.h;
  if (IsCopyMode(s.textMode) && SetPaint(cr, s.textMode, Pattern{}, s.foreColor, s.backColor)) {
    cairo_rectangle(cr, op.from.h, op.from.v - font.info.ascent, width, font.info.ascent + font.info.descent);
    cairo_fill(cr);
  }
  if (!SetPaint(cr, s.textMode, kSolidPattern, s.foreColor, s.backColor)) return;
  cairo_set_scaled_font(cr, font.scaled);
  cairo_show_glyphs(cr, glyphs.data(), static_cast<int>(glyphs.size()));
  if ((s.textFace & underline) != 0) {
    cairo_rectangle(cr, op.from.h, op.from.v + 1, width, 1);
    cairo_fill(cr);
  }
}

}  // namespace toolbox::internal
