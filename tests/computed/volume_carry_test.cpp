// "Spirometry Volume" computed block after block goes on from the state the
// previous block left, and gives the samples of integrating the stretch again.
#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "computed/volume_local_data.h"
#include "host/channel_units.h"
#include "spirometry_host.h"
#include "toolbox/memory.h"

using namespace spiro;

namespace spirotest {
namespace {

constexpr int kBlocks = 24;

// Blocks of whole breaths of varying length and depth, each starting with
// inspiration right after the previous one's expiration, breathing out a
// little more than in.
std::vector<std::vector<float>> Breaths() {
  std::vector<std::vector<float>> blocks;
  for (int b = 0; b < kBlocks; ++b) {
    const int n = 37 + (b * 7) % 25;
    const float amplitude = 0.2f + 0.05f * static_cast<float>(b % 6);
    std::vector<float> samples(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
      samples[static_cast<std::size_t>(i)] =
          amplitude * static_cast<float>(std::sin(2 * M_PI * (i + 1) / n)) - 0.005f;
    }
    blocks.push_back(samples);
  }
  return blocks;
}

class VolumeCarry : public SpirometryHostTest {
 protected:
  void Record(bool reset, bool correction) {
    MakeRecording(Breaths());
    AttachFlowAndVolume();
    SubmitFlag(Volume(), 8199, kVolumeChannel, reset);
    SubmitFlag(Volume(), 8194, kVolumeChannel, correction);
    SubmitShort(Volume(), 8197, kVolumeChannel, -1);
    SubmitDouble(Volume(), 8198, kVolumeChannel, 0.05);  // litres, so the correction acts
  }

  // Every block's volume, asked for in order or last block first (each block
  // then integrating its stretch again).
  std::vector<std::vector<float>> Volumes(bool inOrder) {
    document().computed().MarkStale();
    std::vector<std::vector<float>> volumes(kBlocks);
    for (int k = 0; k < kBlocks; ++k) {
      const int b = inOrder ? k + 1 : kBlocks - k;
      volumes[static_cast<std::size_t>(b - 1)] = Displayed(kVolumeChannel, b);
    }
    return volumes;
  }

  // The last block, integrated again from the stretch's start.
  std::vector<float> LastBlockAfresh() {
    document().computed().MarkStale();
    return Displayed(kVolumeChannel, kBlocks);
  }

  // Blocks 1 .. kBlocks-1 in order, then `litres` added to the state they
  // leave for the last block, as if it had been integrated differently.
  void ComputeAllButLastThenShiftTheCarry(double litres) {
    for (int b = 1; b < kBlocks; ++b) ASSERT_FALSE(Displayed(kVolumeChannel, b).empty()) << b;
    auto record = LocalRecord<volume::LocalDataType>(kVolumeChannel);
    ASSERT_EQ(record.carried.block, kBlocks - 1);
    record.carried.state.accumulator += litres;
    std::memcpy(*LocalOf(kVolumeChannel), &record, sizeof record);
  }

  std::vector<double> Litres(const std::vector<float>& samples) {
    const vantor::ChannelScaling units = Units(kVolumeChannel, kBlocks);
    std::vector<double> values;
    for (float x : samples) values.push_back(host::ValueInUnits(units, static_cast<double>(x)));
    return values;
  }
};

// With the reset at inspiration and the expiratory correction, each on or off.
class VolumeCarryCorrections : public VolumeCarry,
                               public ::testing::WithParamInterface<std::tuple<bool, bool>> {};

// Block by block gives the very samples of the stretch integrated again for
// each block, the reservoir and the previous flow carried over block ends.
TEST_P(VolumeCarryCorrections, BlockByBlockEqualsIntegratingTheStretchAgain) {
  const auto [reset, correction] = GetParam();
  Record(reset, correction);
  const auto replayed = Volumes(false);
  const auto carried = Volumes(true);
  for (int b = 1; b <= kBlocks; ++b) {
    const auto& expected = replayed[static_cast<std::size_t>(b - 1)];
    const auto& actual = carried[static_cast<std::size_t>(b - 1)];
    ASSERT_FALSE(expected.empty()) << b;
    ASSERT_EQ(actual, expected) << "block " << b;
    // Inspiration starts every block: with the reset on, at its first sample.
    if (reset && b > 1) {
      EXPECT_EQ(actual[0], 0.0f) << b;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(All, VolumeCarryCorrections, ::testing::Combine(::testing::Bool(), ::testing::Bool()));

// Whatever changes what the last block integrates leaves the carried state
// unused: the block is integrated again from the stretch's start. Without a
// change the block goes on from the state carried to it.
TEST_F(VolumeCarry, AChangeMakesTheCarriedStateStale) {
  const std::pair<const char*, std::function<void()>> changes[] = {
      {"nothing", [] {}},
      {"the correction factor", [&] { SubmitDouble(Volume(), 8196, kVolumeChannel, 1.5); }},
      {"the reset on", [&] { SubmitFlag(Volume(), 8199, kVolumeChannel, true); }},
      {"the flow's zero offset", [&] { SubmitDouble(Flow(), 8198, kFlowChannel, 0.01); }},
      {"the first block's samples", [&] { document().SetSamples(kHeadChannel, 1, std::vector<float>(37, 0.1f)); }},
      {"a notification", [&] { document().computed().Notify(100, 0); }},
      {"the source", [&] { document().computed().ChangeSource(kVolumeChannel, kFlowChannel); }},
  };
  for (const auto& [what, change] : changes) {
    SCOPED_TRACE(what);
    Record(false, true);  // no reset, which would hide the shift
    ComputeAllButLastThenShiftTheCarry(0.25);
    change();
    const std::vector<double> computed = Litres(Displayed(kVolumeChannel, kBlocks));
    const std::vector<double> afresh = Litres(LastBlockAfresh());
    ASSERT_EQ(computed.size(), afresh.size());
    const double shift = std::string(what) == "nothing" ? 0.25 : 0.0;
    for (std::size_t i = 0; i < afresh.size(); ++i) EXPECT_NEAR(computed[i] - afresh[i], shift, 1e-4) << i;
  }
}

// A source lock refused for want of memory: the host drops that block, and
// the blocks after it are still right.
TEST_F(VolumeCarry, ARefusedSourceLockCarriesNothing) {
  Record(true, true);
  const auto expected = Volumes(false);
  constexpr int kFailing = kBlocks / 2;
  bool failedOnce = false;
  for (long n = 1; n < 40; ++n) {
    document().computed().MarkStale();
    for (int b = 1; b < kFailing; ++b) Displayed(kVolumeChannel, b);
    const long full = toolbox::MemoryFullCount();
    toolbox::FailAllocationAfter(n);
    const std::vector<float> during = Displayed(kVolumeChannel, kFailing);
    const bool failureUsed = toolbox::AllocationsCounted() >= n;
    toolbox::FailAllocationAfter(0);
    if (toolbox::MemoryFullCount() != full) {
      failedOnce = true;
      EXPECT_TRUE(during.empty() || during == expected[kFailing - 1]) << n;
    }
    for (int b = kFailing; b <= kBlocks; ++b) {
      ASSERT_EQ(Displayed(kVolumeChannel, b), expected[static_cast<std::size_t>(b - 1)])
          << "failure point " << n << ", block " << b;
    }
    if (!failureUsed) break;
  }
  EXPECT_TRUE(failedOnce);
}

}  // namespace
}  // namespace spirotest
