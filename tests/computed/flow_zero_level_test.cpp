// The zero level of a block: the mean of its quiet samples at one end.
#include "computed/flow_zero_level.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

using namespace spiro;

namespace {

std::optional<double> Level(const std::vector<float>& samples, bool atStart, double offset = 0.0) {
  return ZeroLevelOfSamples(samples.data(), static_cast<std::int32_t>(samples.size()), atStart,
                            offset);
}

TEST(ZeroLevel, NoSamplesOrANaNReferenceGiveNoLevel) {
  for (const std::int32_t count : {0, -3}) {
    EXPECT_FALSE(ZeroLevelOfSamples(nullptr, count, true, 0.0)) << count;
    EXPECT_FALSE(ZeroLevelOfSamples(nullptr, count, false, 0.0)) << count;
  }
  const std::vector<float> samples{std::nanf(""), 0.0f, 0.0f};
  EXPECT_FALSE(Level(samples, true));
  EXPECT_TRUE(Level(samples, false));
}

TEST(ZeroLevel, UsesTheFirstOrLastTenSamplesOnly) {
  std::vector<float> samples(30, 0.5f);
  for (int i = 0; i < 10; ++i) samples[static_cast<std::size_t>(i)] = 0.01f;
  for (int i = 20; i < 30; ++i) samples[static_cast<std::size_t>(i)] = -0.02f;
  EXPECT_NEAR(*Level(samples, true), 0.01, 1e-9);
  EXPECT_NEAR(*Level(samples, false), -0.02, 1e-9);
}

TEST(ZeroLevel, SamplesAwayFromTheReferenceAreLeftOut) {
  // Reference 0.0 (first sample); 0.03 lies beyond 0.9765625 / 40, 0.024 within.
  const std::vector<float> samples{0.0f, 0.03f, 0.024f, -0.02f, 0.5f, 0.0f,
                                   0.0f, 0.0f,  0.0f,   0.0f,   0.9f};
  const double expected = (static_cast<double>(0.024f) + static_cast<double>(-0.02f)) / 8.0;
  EXPECT_NEAR(*Level(samples, true), expected, 1e-12);
}

TEST(ZeroLevel, ShortBlockUsesAllItsSamplesForBothEnds) {
  const std::vector<float> samples{0.010f, 0.011f, 0.012f, 0.013f};
  const double mean = (0.010 + 0.011 + 0.012 + 0.013) / 4 - 0.25;
  EXPECT_NEAR(*Level(samples, true, -0.25), mean, 1e-7) << "the offset comes first";
  EXPECT_NEAR(*Level(samples, false, -0.25), mean, 1e-7);
}

}  // namespace
