// Text measurement: sums of the cached whole-pixel advances.
#include "font_cache.h"
#include "toolbox/fonts.h"

namespace toolbox {

int MeasureText(SInt16 fontNumber, SInt16 size, Style face, std::string_view macRoman) {
  const internal::LoadedFont& font = internal::FontFor(fontNumber, size, face);
  int width = 0;
  for (char c : macRoman) width += font.advances[static_cast<unsigned char>(c)];
  return width;
}

int MeasureChar(SInt16 fontNumber, SInt16 size, Style face, unsigned char macRoman) {
  return internal::FontFor(fontNumber, size, face).advances[macRoman];
}

FontInfo MeasureFontInfo(SInt16 fontNumber, SInt16 size, Style face) {
  return internal::FontFor(fontNumber, size, face).info;
}

}  // namespace toolbox
