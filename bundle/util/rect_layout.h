// Rectangle layout on the platform's 16-bit Rect (top, left, bottom, right).
#pragma once

#include <cstdint>

#include "toolbox/mac_types.h"

namespace spiro {

// r's size, centred in within (halves truncated toward zero).
Rect CenterRect(const Rect& r, const Rect& within);
// Moves r inside bounds, keeping at least minWidth by minHeight where the
// bounds allow; a rectangle larger than the bounds ends clipped to them.
// Arithmetic is 16-bit, as the stored rectangles are.
void ConstrainRect(const Rect& bounds, Rect& r, std::int16_t minWidth, std::int16_t minHeight);

}  // namespace spiro
