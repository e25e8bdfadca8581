#include "spirometry/cursor_cross.h"

#include "toolbox/quickdraw.h"

namespace spiro {

void XorCross(Point point, const Rect& clip) {
  constexpr SInt16 kArm = 3;
  ClipRect(&clip);
  PenMode(srcXor);
  MoveTo(point.h, static_cast<SInt16>(point.v - kArm));
  Line(0, 2 * kArm);
  MoveTo(static_cast<SInt16>(point.h - kArm), point.v);
  Line(2 * kArm, 0);
  PenNormal();
}

}  // namespace spiro
