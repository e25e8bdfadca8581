// The flow head's per-sample transform and the zero drift line.
#include "computed/flow_sample_correction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "computed/flow_drift_line.h"

using namespace spiro;

namespace {

// The transform as two branches, the way the flow head's linearisation is stated.
double TwoBranchLinearisation(double y, double k) {
  return y > 0 ? y * (1 - k * y) : y * (1 + k * y);
}

TEST(FlowSampleCorrection, BranchFreeFormMatchesBothBranchesToTheBit) {
  const double inf = std::numeric_limits<double>::infinity();
  const std::vector<double> ys{0.0, -0.0, 1e-300, -1e-300, 0.3, -0.3, 0.9765625, -2.5, inf, -inf};
  const std::vector<double> ks{0.0, -0.0, 0.1, -0.37, 12.5, inf, -inf};
  for (double y : ys) {
    for (double k : ks) {
      const double expected = TwoBranchLinearisation(y, k);
      const double actual = LineariseFlowHead(y, k);
      if (std::isnan(expected)) {
        EXPECT_TRUE(std::isnan(actual)) << y << " " << k;
      } else {
        EXPECT_EQ(actual, expected) << y << " " << k;
        EXPECT_EQ(std::signbit(actual), std::signbit(expected)) << y << " " << k;
      }
    }
  }
  EXPECT_TRUE(std::isnan(LineariseFlowHead(std::nan(""), 0.1)));
}

TEST(FlowSampleCorrection, OffsetAndDriftComeBeforeTheLinearisation) {
  const FlowSampleTransform transform{0.25, 0.2};
  // y = 0.5 + 0.25 - 0.25 = 0.5 -> 0.5 * (1 - 0.1)
  EXPECT_FLOAT_EQ(CorrectFlowSample(0.5f, transform, 0.25), 0.45f);
  // y = -0.5 + 0.25 = -0.25 -> -0.25 * (1 - 0.05)
  EXPECT_FLOAT_EQ(CorrectFlowSample(-0.5f, transform, 0.0), -0.2375f);
}

TEST(DriftLine, OneSampleStretchIsLevelNotNaN) {
  const DriftLine line = DriftLineThrough(7.0, 0.03, 7.0, 0.03);
  EXPECT_EQ(line.slope, 0.0);
  EXPECT_EQ(line.intercept, 0.03);
}

}  // namespace
