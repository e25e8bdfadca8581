// The built bundle loaded by the real host, with a document to attach its
// computed functions to: a flow head's recording on channel 1, and empty
// channels for the flow (2) and the volume (3).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "host/bundle.h"
#include "host/command_delivery.h"
#include "host/computed_channels.h"
#include "host/document.h"
#include "support/bundle_suite.h"
#include "toolbox/mac_types.h"
#include "vantor/records.h"

namespace spirotest {

inline constexpr int kHeadChannel = 1;
inline constexpr int kFlowChannel = 2;
inline constexpr int kVolumeChannel = 3;
inline constexpr double kSamplingInterval = 0.01;

// The scale of model 4 of the bundle's flow-head table, in L/s per mV.
inline constexpr double kDefaultModelScale = 1.333;

// The scaling of a flow head's signal: uncalibrated, base unit "mV",
// `millivoltsPerValue` millivolts per sample value.
vantor::ChannelScaling HeadScaling(double millivoltsPerValue);
// A recorded flow: calibrated in `unit` ("L/s", "ml/min"), `gain` units per value.
vantor::ChannelScaling FlowUnits(const char* unit, double gain);

// Breathing as a sine of `period` samples around `offset`, positive first
// (inspiration), `n` samples long.
std::vector<float> SineBreaths(int n, float amplitude, double period, float offset = 0.0f);

// Sample values in the units the scaling gives them, as the host shows them.
std::vector<double> InUnits(const std::vector<float>& samples, const vantor::ChannelScaling& scaling);

// Whether an alert with exactly this text was shown since the last clearing.
bool Alerted(const std::string& text);

class SpirometryHostTest : public BundleSuite {
 protected:
  void SetUp() override;
  void TearDown() override;

  static const host::Extension& Flow();
  static const host::Extension& Volume();
  static const host::Bundle& LoadedBundle() { return *bundle_; }

  // A document whose head channel holds one block per entry (all in one
  // stretch), made current.
  host::Document& MakeRecording(const std::vector<std::vector<float>>& blocks,
                                double millivoltsPerValue = 10.0);
  bool Attach(int channel, const host::Extension& function);
  // Flow on `channel` reading the head channel.
  void AttachFlow(int channel = kFlowChannel);
  // Flow on kFlowChannel reading the head channel, volume on kVolumeChannel
  // reading the flow.
  void AttachFlowAndVolume();

  // Submits a command as the function itself would, under its key.
  static void SubmitShort(const host::Extension& function, std::uint16_t code, int channel,
                          std::int16_t value);
  static void SubmitFlag(const host::Extension& function, std::uint16_t code, int channel,
                         bool value);
  static void SubmitDouble(const host::Extension& function, std::uint16_t code, int channel,
                           double value);

  // Runs the channel's settings dialog from a script that must be used up;
  // whether the dialog was accepted.
  bool RunSettingsDialog(int channel, const std::string& script);

  // What the channel displays in the block; empty when nothing.
  std::vector<float> Displayed(int channel, int block);
  vantor::ChannelScaling Units(int channel, int block);
  std::vector<double> DisplayedInUnits(int channel, int block) {
    return InUnits(Displayed(channel, block), Units(channel, block));
  }

  Handle LocalOf(int channel) { return document_->computed().LocalOf(channel); }
  template <class Record>
  Record LocalRecord(int channel) {
    Record record{};
    const Handle local = LocalOf(channel);
    if (local != nullptr) std::memcpy(&record, *local, sizeof record);
    return record;
  }
  // The settings record hung from the channel's local record (at offset 8).
  template <class Settings>
  bool ReadSettings(int channel, Settings* settings) {
    const Handle local = LocalOf(channel);
    if (local == nullptr) return false;
    Handle handle;
    std::memcpy(&handle, *local + 8, sizeof handle);
    if (handle == nullptr) return false;
    std::memcpy(settings, *handle, sizeof *settings);
    return true;
  }
  template <class Settings>
  Settings SettingsOf(int channel) {
    Settings settings{};
    EXPECT_TRUE(ReadSettings(channel, &settings)) << "channel " << channel << " has no settings";
    return settings;
  }
  // Hands the channel's function a whole settings record, of `stated` bytes.
  template <class Settings>
  void SubmitWhole(int channel, const Settings& settings, std::size_t stated = sizeof(Settings)) {
    host::SubmitSettingsRecord(*document_, channel, {reinterpret_cast<const unsigned char*>(&settings), stated});
  }

 public:
  host::Document& document() { return *document_; }

 private:
  std::unique_ptr<host::Document> document_;
};

}  // namespace spirotest
