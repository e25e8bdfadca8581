// The arithmetic under the axes: rounding, the channel scaling both ways and
// the tick layout the host is asked for.
#include "extension/axis_ticks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "extension/channel_scaling.h"
#include "extension/numeric_clamps.h"
#include "support/scaling_fixtures.h"
#include "support/service_spy.h"
#include "frame/host_services.h"

using namespace spiro;

namespace {

using vantor::service::HostService84;

TEST(RoundToLong, RoundsHalvesAwayFromZeroAndSaturates) {
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(RoundToLong(2.5), 3);
  EXPECT_EQ(RoundToLong(-2.5), -3);
  EXPECT_EQ(RoundToLong(2.4999), 2);
  EXPECT_EQ(RoundToLong(1e12), kMax);
  EXPECT_EQ(RoundToLong(-1e12), kMin);
  EXPECT_EQ(RoundToLong(std::numeric_limits<double>::infinity()), kMax);
  EXPECT_EQ(RoundToLong(std::nan("")), kMin);
}

// Calibrated: units = raw * unit factor * gain + offset; otherwise raw * raw factor.
TEST(ChannelScaling, ConvertsBothWaysWithTheCalibrationOrTheRawFactor) {
  EXPECT_DOUBLE_EQ(RawToUnits(0.75, CalibratedScaling(0.5, 4.0, -1.25)), 0.25);
  EXPECT_DOUBLE_EQ(RawToUnits(-0.5, UncalibratedScaling(8.0)), -4.0);
  for (const auto& scaling : {CalibratedScaling(0.001, -3.0, 12.5), UncalibratedScaling(0.03125)}) {
    for (double raw : {-0.9765625, 0.0, 0.3}) {
      EXPECT_NEAR(UnitsToRaw(RawToUnits(raw, scaling), scaling), raw, 1e-12);
    }
  }
}

class AxisTicksTest : public ::testing::Test {
 protected:
  void SetUp() override { SetHostServiceTable(host::ServicesAddress()); }

  // The host's rounding of the unit step, fixed by the test.
  static Spy<HostService84>::Behaviour StepOf(double step) {
    return [step](double, std::int16_t) { return step; };
  }
  static void ExpectEmpty(const AxisTicks& t) {
    constexpr auto kNone = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(std::make_tuple(t.decimals, t.firstTick, t.roundedStep, t.firstTickEven),
              std::make_tuple(std::int16_t{0}, kNone, kNone, std::uint8_t{0}));
    EXPECT_EQ(t.step, std::numeric_limits<double>::infinity());
  }
};

TEST_F(AxisTicksTest, DecimalsFollowTheUnitStep) {
  const struct {
    double step;
    int decimals;
  } cases[] = {{0.6, 0}, {0.5, 1}, {0.051, 1}, {0.05, 2}, {0.005, 3}, {0.00005, 5}, {-0.5, 1}};
  for (const auto& c : cases) {
    Spy<HostService84> rounding(StepOf(c.step));
    AxisTicks ticks = EmptyAxisTicks();
    const double a = c.step > 0 ? 1.0 : -1.0;  // the raw step stays positive
    ComputeAxisTicks(ticks, 0.0, a, 16.0 * a, 0.0, 0.0);
    EXPECT_EQ(ticks.decimals, c.decimals) << "unit step " << c.step;
  }
}

TEST_F(AxisTicksTest, AsksTheHostForASixteenthOfTheRangeAndConvertsToRawUnits) {
  Spy<HostService84> rounding(StepOf(1.0));
  AxisTicks ticks = EmptyAxisTicks();
  // 1 unit per 1000 raw units; the range 2.4 .. 18.4 units starts at raw 2400.
  ComputeAxisTicks(ticks, 2400.0, 0.001, 18.4, 2.4, 0.0);
  ASSERT_EQ(rounding.count(), 1u);
  EXPECT_DOUBLE_EQ(std::get<0>(rounding.last()), 1.0);
  EXPECT_EQ(std::get<1>(rounding.last()), 2048);
  EXPECT_DOUBLE_EQ(ticks.step, 1000.0);
  // round(2.4) * 1 unit = raw 2000 lies below 2400, so one step on: 3000 = 3 units.
  EXPECT_EQ(ticks.firstTick, 3000);
}

TEST_F(AxisTicksTest, SetUpConvertsTheRawRangeWithTheChannelScaling) {
  Spy<HostService84> rounding(StepOf(1.0));
  AxisTicks ticks = EmptyAxisTicks();
  SetUpAxisTicks(UncalibratedScaling(0.5), 100.0, 0.0, ticks);
  EXPECT_DOUBLE_EQ(std::get<0>(rounding.last()), 50.0 / 16);
  EXPECT_DOUBLE_EQ(ticks.step, 2.0);
  // a = gain 2 * unit factor 0.25, offset 10: raw -20 .. 60 is 0 .. 40 units.
  SetUpAxisTicks(CalibratedScaling(0.25, 2.0, 10.0), 60.0, -20.0, ticks);
  EXPECT_DOUBLE_EQ(std::get<0>(rounding.last()), 40.0 / 16);
  EXPECT_EQ(ticks.firstTick, -20);
}

// An empty range, a step the host rounds to nothing, a channel without slope
// or a step running the wrong way would never reach the range: no ticks.
TEST_F(AxisTicksTest, DegenerateRangesAndStepsGiveTheEmptyRecordInsteadOfLoopingForever) {
  Spy<HostService84> unasked(StepOf(1.0));
  AxisTicks ticks{3, 7, 7, 7.0, 1};
  SetUpAxisTicks(UncalibratedScaling(1.0), 5.0, 5.0, ticks);
  ExpectEmpty(ticks);
  EXPECT_EQ(unasked.count(), 0u);
  const struct {
    double hostStep;
    double a;
  } cases[] = {{0.0, 1.0}, {1.0, 0.0}, {1.0, -1.0}, {std::numeric_limits<double>::quiet_NaN(), 1.0}};
  for (const auto& c : cases) {
    Spy<HostService84> rounding(StepOf(c.hostStep));
    ticks = AxisTicks{3, 7, 7, 7.0, 1};
    ComputeAxisTicks(ticks, 100.0, c.a, 16.0, 0.0, 0.0);
    ExpectEmpty(ticks);
  }
}

TEST_F(AxisTicksTest, AFarAwayLowerBoundIsReachedWithoutSteppingTickByTick) {
  Spy<HostService84> rounding(StepOf(1.0));
  AxisTicks ticks = EmptyAxisTicks();
  ComputeAxisTicks(ticks, 1.0e9, 1.0, 16.0, 0.0, 0.0);
  EXPECT_GE(ticks.firstTick, 1000000000);
  EXPECT_LT(ticks.firstTick, 1000000002);
}

}  // namespace
