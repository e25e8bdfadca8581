// A framed message in the middle of a window's drawing area, shown instead
// of a plot or report that cannot be drawn.
#pragma once

#include <cstdint>

#include "toolbox/mac_types.h"

namespace spiro {

// Prepares rect through the host, then, unless text is empty, draws text in
// a framed box centred in it: one line when it fits, otherwise wrapped over
// two or three. A channel 1..(channel count) puts the channel's name first.
void DrawMessageBox(const Rect& rect, ConstStr255Param text, std::int16_t channel);

}  // namespace spiro
