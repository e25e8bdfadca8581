// Text operations onto cairo, glyph by glyph at the whole-pixel advances that
// StringWidth measures, so drawn and measured widths agree.
#pragma once

#include <cairo.h>

#include "toolbox/display_list.h"

namespace toolbox::internal {

void DrawTextOp(cairo_t* cr, const DrawOp& op);

}  // namespace toolbox::internal
