// One report row drawn as columns at tab stops.
#pragma once

#include <cstdint>

#include "toolbox/mac_types.h"

namespace spiro {

// Draws text split at its tab characters, the first column bold. Direction 0
// draws left to right from x, each column starting at the next multiple of
// tab (counted from x) beyond the previous one and a 4-pixel gap; −1 draws
// right to left, the last column ending at x. Row 8 (ventilation) carries the
// flow-rate dot over its first letter. Sizes scale with scale.
void DrawTabbedLine(ConstStr255Param text, std::int16_t row, std::int16_t x, std::int16_t y, std::int16_t tab,
                    std::int16_t scale, std::int16_t direction);

}  // namespace spiro
