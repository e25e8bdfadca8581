// TextEdit's TETextBox: text drawn into a box in the current port's text
// font, size, face and mode, wrapped at word boundaries and returns, each
// line justified, clipped to the box, which is erased first.
#pragma once

#include "toolbox/mac_types.h"

enum : SInt16 {
  teFlushDefault = 0,  // left, the system's direction
  teCenter = 1,
  teFlushRight = -1,
  teFlushLeft = -2,
};

// text: length MacRoman bytes (not a Str255). A negative length draws nothing.
void TETextBox(const void* text, SInt32 length, const Rect* box, SInt16 just);
