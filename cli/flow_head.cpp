#include "flow_head.h"

#include <cmath>
#include <limits>

namespace cli {

double LargestFlow(const FlowHead& head) {
  if (head.nonlinearity > 0) return head.scale / (4 * head.nonlinearity);
  return std::numeric_limits<double>::infinity();
}

std::optional<double> VoltageForFlow(const FlowHead& head, double flow) {
  // |q|/scale = u - k u^2 for u >= 0; the root nearest zero, written so that
  // it stays exact as k goes to 0.
  const double magnitude = std::fabs(flow) / head.scale;
  const double discriminant = 1 - 4 * head.nonlinearity * magnitude;
  if (discriminant < 0) return std::nullopt;
  const double u = 2 * magnitude / (1 + std::sqrt(discriminant));
  return std::copysign(u, flow);
}

}  // namespace cli
