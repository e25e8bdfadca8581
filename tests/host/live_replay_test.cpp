// Replaying a document as if sampled: notifications, block -1, and what the
// rings cannot carry (live results against block computation are checked with
// the bundle's own functions).
#include <gtest/gtest.h>

#include "host/computed_channels.h"
#include "host/document.h"
#include "host/extension_registry.h"
#include "host/host_state.h"
#include "host/live_replay.h"
#include "service_call.h"
#include "test_extensions.h"

namespace {

using namespace vantor::service;
using testext::Call;
using testext::Log;

struct Live : testext::DocumentTest {
  void SetUp() override {
    Open(3, 700, 3);
    document->ClearSamples(3, 2);
    ASSERT_TRUE(document->computed().Attach(2, scale));
    ASSERT_TRUE(document->computed().Attach(3, scale));
    // Channel 3 = 3 × channel 2's output; channel 2 = 2 × its own input.
    Submit(testext::kSetFactor, 2, 2.0);
    Call<HostSubmitCommandShort>(Key(testext::kSetSource), std::int32_t{3}, std::int16_t{2});
    Submit(testext::kSetFactor, 3, 3.0);
    Log().Clear();
  }
  std::uint16_t Key(std::uint16_t code) const { return testext::KeyOf(code, scale); }
  void Submit(std::uint16_t code, std::int32_t channel, double value) {
    Call<HostSubmitCommandDouble>(Key(code), channel, value);
  }
  host::Extension scale = testext::MakeScaleFunction();
};

TEST_F(Live, NotificationsFrameTheRunAndBlockMinusOneFollowsIt) {
  std::string error;
  ASSERT_TRUE(host::ReplayLive(*document, {256, 100}, &error)) << error;
  // Two channels each: 101, then 100 per block, then 102.
  const std::vector<std::int16_t> expected = {101, 101, 100, 100, 100, 100, 100, 100, 102, 102};
  EXPECT_EQ(Log().notifications, expected);
  EXPECT_EQ(Log().liveCalls, 2 * 3 * 7) << "700 samples in chunks of 100, per channel";
  EXPECT_FALSE(host::State().recording) << "recording only while sampling";
  EXPECT_EQ(document->samplingBlock(), 0);
  EXPECT_TRUE(document->computed().DisplayedSamples(3, 2)->size() == 700u);
}

TEST_F(Live, RefusesWhatTheRingsCannotCarry) {
  std::string error;
  EXPECT_FALSE(host::ReplayLive(*document, {1, 1}, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(host::ReplayLive(*document, {10, 11}, &error));
  auto wide = testext::MakeDocument(33, 4);
  EXPECT_FALSE(host::ReplayLive(*wide, {16, 4}, &error));
  EXPECT_NE(error.find("32"), std::string::npos);
  EXPECT_TRUE(Log().notifications.empty()) << "nothing was sent";
}

}  // namespace
