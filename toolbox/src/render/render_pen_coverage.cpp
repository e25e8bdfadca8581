// Bresenham's walk, with the pen's rectangle stamped at every step; runs of
// steps along the major axis merge into one rectangle each.
#include "render_pen_coverage.h"

#include <algorithm>
#include <cstdlib>

namespace toolbox::internal {

std::vector<PixelRect> PenLineCoverage(Point from, Point to, Point penSize) {
  std::vector<PixelRect> rects;
  const int w = penSize.h;
  const int h = penSize.v;
  if (w <= 0 || h <= 0) return rects;
  int x = from.h;
  int y = from.v;
  const int dx = std::abs(to.h - from.h);
  const int dy = std::abs(to.v - from.v);
  const int sx = to.h >= from.h ? 1 : -1;
  const int sy = to.v >= from.v ? 1 : -1;
  const bool horizontalMajor = dx >= dy;
  int error = (horizontalMajor ? dx : dy) / 2;
  const int steps = horizontalMajor ? dx : dy;
  PixelRect run{x, y, x + w, y + h};
  for (int i = 0; i < steps; ++i) {
    bool minorStep = false;
    error -= horizontalMajor ? dy : dx;
    if (error < 0) {
      error += horizontalMajor ? dx : dy;
      minorStep = true;
    }
    if (horizontalMajor) {
      x += sx;
      if (minorStep) y += sy;
    } else {
      y += sy;
      if (minorStep) x += sx;
    }
    if (minorStep) {
      rects.push_back(run);
      run = PixelRect{x, y, x + w, y + h};
    } else {
      run.left = std::min(run.left, x);
      run.right = std::max(run.right, x + w);
      run.top = std::min(run.top, y);
      run.bottom = std::max(run.bottom, y + h);
    }
  }
  rects.push_back(run);
  return rects;
}

std::vector<PenPoint> PenLineOutline(Point from, Point to, Point penSize) {
  const double w = penSize.h;
  const double h = penSize.v;
  std::vector<PenPoint> corners;
  for (const Point p : {from, to}) {
    corners.push_back({double(p.h), double(p.v)});
    corners.push_back({p.h + w, double(p.v)});
    corners.push_back({p.h + w, p.v + h});
    corners.push_back({double(p.h), p.v + h});
  }
  // Andrew's monotone chain over the eight corners.
  std::sort(corners.begin(), corners.end(),
            [](const PenPoint& a, const PenPoint& b) { return a.h < b.h || (a.h == b.h && a.v < b.v); });
  auto cross = [](const PenPoint& o, const PenPoint& a, const PenPoint& b) {
    return (a.h - o.h) * (b.v - o.v) - (a.v - o.v) * (b.h - o.h);
  };
  std::vector<PenPoint> hull(2 * corners.size());
  std::size_t k = 0;
  for (std::size_t i = 0; i < corners.size(); ++i) {
    while (k >= 2 && cross(hull[k - 2], hull[k - 1], corners[i]) <= 0) --k;
    hull[k++] = corners[i];
  }
  for (std::size_t i = corners.size() - 1, lower = k + 1; i-- > 0;) {
    while (k >= lower && cross(hull[k - 2], hull[k - 1], corners[i]) <= 0) --k;
    hull[k++] = corners[i];
  }
  hull.resize(k > 0 ? k - 1 : 0);
  return hull;
}

}  // namespace toolbox::internal
