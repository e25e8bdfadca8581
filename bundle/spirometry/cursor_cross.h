// The small cross that marks the point read out on a trace.
#pragma once

#include "toolbox/mac_types.h"

namespace spiro {

// A 7 × 7 cross centred on point, drawn in exclusive-or inside clip, so that
// drawing it again at the same point removes it. Leaves the clip at clip and
// the pen normal.
void XorCross(Point point, const Rect& clip);

}  // namespace spiro
