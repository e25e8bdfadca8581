// The pixels a pen covers along a line: the pen rectangle hangs below and to
// the right of each point of the line, both end points included.
#pragma once

#include <vector>

#include "toolbox/mac_types.h"

namespace toolbox::internal {

struct PixelRect {
  int left, top, right, bottom;  // right and bottom exclusive
};

struct PenPoint {
  double h, v;
};

// Pixel-exact coverage as rectangles that together cover each pixel once or
// more (fill them as one path with the nonzero rule to paint each pixel once).
std::vector<PixelRect> PenLineCoverage(Point from, Point to, Point penSize);

// The convex outline swept by the pen (for vector output).
std::vector<PenPoint> PenLineOutline(Point from, Point to, Point penSize);

}  // namespace toolbox::internal
