#include "spirometry/loop_trace.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "frame/host_services.h"
#include "toolbox/quickdraw.h"

namespace spiro {

namespace {

constexpr std::int32_t kTracePen = 0x4000;
constexpr std::int16_t kLoopStyle = 133;
constexpr int kBarbLength = 5;
constexpr int kArrowCount = 5;
constexpr double kDegrees = 180.0 / std::numbers::pi;

std::vector<Point> LoopPoints(const float* flow, const float* volume, std::int32_t count, const LoopMapping& m) {
  std::vector<Point> points;
  points.reserve(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) {
    points.push_back(Point{static_cast<SInt16>(std::lround(-static_cast<double>(flow[i]) * m.yScale + m.yOffset)),
                           static_cast<SInt16>(std::lround(-static_cast<double>(volume[i]) * m.xScale + m.xOffset))});
  }
  return points;
}

double SegmentLength(Point a, Point b) { return std::hypot(b.h - a.h, b.v - a.v); }

// Two barbs back from the tip at ±30° of the segment's direction.
void Arrowhead(Point tip, int dx, int dy, std::int16_t scale) {
  double theta = kDegrees * std::atan(static_cast<double>(dy) / dx);
  if (dx < 0) theta = dy < 1 ? theta - 180 : theta + 180;
  const double a1 = (90 - theta - 30) / kDegrees;
  const double a2 = (theta - 30) / kDegrees;
  const double length = -kBarbLength * scale;
  ForeColor(blackColor);
  MoveTo(tip.h, tip.v);
  Line(static_cast<SInt16>(std::lround(std::sin(a1) * length)), static_cast<SInt16>(std::lround(std::cos(a1) * length)));
  MoveTo(tip.h, tip.v);
  Line(static_cast<SInt16>(std::lround(std::cos(a2) * length)), static_cast<SInt16>(std::lround(std::sin(a2) * length)));
  MoveTo(tip.h, tip.v);
  HostSetDrawStyle530(kLoopStyle);
}

}  // namespace

void DrawLoopTrace(const float* flow, const float* volume, std::int32_t count, const LoopMapping& mapping,
                   const Rect& plot, std::int16_t scale, bool arrows) {
  if (flow == nullptr || volume == nullptr || count <= 0) return;
  const std::vector<Point> points = LoopPoints(flow, volume, count, mapping);
  double total = 0;
  for (std::size_t i = 1; i < points.size(); ++i) total += SegmentLength(points[i - 1], points[i]);
  // A loop that never leaves its first pixel has no direction to show.
  const bool withArrows = arrows && total > 0;
  const double spacing = total / kArrowCount;
  double next = spacing * 0.5;

  HostService170(kTracePen, scale);
  HostSetDrawStyle530(kLoopStyle);
  ClipRect(&plot);
  MoveTo(points.front().h, points.front().v);
  double walked = 0;
  int drawn = 0;
  for (std::size_t i = 1; i < points.size(); ++i) {
    LineTo(points[i].h, points[i].v);
    walked += SegmentLength(points[i - 1], points[i]);
    // A long segment may pass more than one mark: each still gets its arrow.
    while (withArrows && drawn < kArrowCount && walked >= next) {
      Arrowhead(points[i], points[i].h - points[i - 1].h, points[i].v - points[i - 1].v, scale);
      next += spacing;
      ++drawn;
    }
  }
  PenNormal();
}

}  // namespace spiro
