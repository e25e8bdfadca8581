// Font numbers to installed font files, and text measurement with the same
// files the renderers draw with, so layout and rendering agree.
//
// Families: 2 and 20 serif; 4 and 22 monospaced; every other number sans
// (0 is always drawn bold). The face's bold and italic bits pick the file;
// condense and extend narrow or widen each character by a pixel; underline,
// outline and shadow leave widths alone. Advances are whole pixels at
// 72 dpi, as with fractional widths off.
#pragma once

#include <string>
#include <string_view>

#include "toolbox/quickdraw_types.h"

namespace toolbox {

constexpr SInt16 kDefaultTextSize = 12;
// Larger sizes measure and draw at this size: glyphs of thousands of pixels
// would only exhaust memory.
constexpr SInt16 kMaxTextSize = 1000;

// The size text is drawn at: 0 and negative sizes mean the default.
SInt16 EffectiveTextSize(SInt16 size);

// The file behind a font number and face; empty when no candidate is installed
// (text is then drawn and measured with the system's default sans face).
std::string FontFilePath(SInt16 fontNumber, Style face);

// The family a font number stands for, as other programs name it in pictures:
// "Times", "Courier" or "Helvetica".
std::string_view FontFamilyName(SInt16 fontNumber);
int MeasureText(SInt16 fontNumber, SInt16 size, Style face, std::string_view macRoman);
int MeasureChar(SInt16 fontNumber, SInt16 size, Style face, unsigned char macRoman);
FontInfo MeasureFontInfo(SInt16 fontNumber, SInt16 size, Style face);

}  // namespace toolbox
