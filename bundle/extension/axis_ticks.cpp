#include "extension/axis_ticks.h"

#include <cmath>
#include <limits>

#include "extension/numeric_clamps.h"
#include "frame/host_services_scales.h"

namespace spiro {

namespace {

constexpr double kSixteenth = 0.0625;
constexpr std::int16_t kStepResolution = 2048;
// Beyond this many steps the first tick is placed by one multiplication: the
// repeated addition would take too long and round no better.
constexpr double kMaxSteppedTicks = 1024.0;

std::int16_t DecimalsForStep(double unitStep) {
  const double magnitude = std::fabs(unitStep);
  if (magnitude > 0.5) return 0;
  if (magnitude > 0.05) return 1;
  if (magnitude > 0.005) return 2;
  if (magnitude > 0.0005) return 3;
  if (magnitude > 0.00005) return 4;
  return 5;
}

double FirstRawTickAtOrAbove(double first, double rawLow, double tickStep) {
  if ((rawLow - first) / tickStep > kMaxSteppedTicks) {
    first += std::ceil((rawLow - first) / tickStep) * tickStep;
  }
  while (first < rawLow) first += tickStep;
  return first;
}

}  // namespace

AxisTicks EmptyAxisTicks() {
  return AxisTicks{0, std::numeric_limits<std::int32_t>::min(),
                   std::numeric_limits<std::int32_t>::min(),
                   std::numeric_limits<double>::infinity(), 0};
}

void ComputeAxisTicks(AxisTicks& ticks, double rawLow, double a, double high, double low,
                      double offset) {
  const double inverse = 1.0 / a;
  const double unitStep = HostService84((high - low) * kSixteenth, kStepResolution);
  const double tickStep = inverse * unitStep;
  // A zero, negative or non-finite step would never reach rawLow.
  if (!(tickStep > 0.0) || !std::isfinite(tickStep)) {
    ticks = EmptyAxisTicks();
    return;
  }
  ticks.step = tickStep;
  ticks.roundedStep = MaxInt(RoundToLong(tickStep), 1);

  const double first = (RoundToLong(low / unitStep) * unitStep - offset) * inverse;
  ticks.firstTick = RoundToLong(FirstRawTickAtOrAbove(first, rawLow, tickStep));

  const std::int32_t k = RoundToLong((ticks.firstTick * a + offset) / unitStep);
  ticks.firstTickEven = k % 2 == 0 ? 1 : 0;
  ticks.decimals = DecimalsForStep(unitStep);
}

void SetUpAxisTicks(const vantor::ChannelScaling& scaling, double rawHigh, double rawLow,
                    AxisTicks& ticks) {
  ticks = EmptyAxisTicks();
  if (rawLow == rawHigh) return;
  if (scaling.calibrated != 0) {
    const double a = scaling.gain * scaling.info.unitFactor;
    const double offset = scaling.offset;
    ComputeAxisTicks(ticks, rawLow, a, offset + rawHigh * a, rawLow * a + offset, offset);
  } else {
    const double a = scaling.info.rawFactor;
    ComputeAxisTicks(ticks, rawLow, a, rawHigh * a, rawLow * a, 0.0);
  }
}

}  // namespace spiro
