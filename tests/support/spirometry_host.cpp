#include "support/spirometry_host.h"

#include <cmath>

#include "host/alerts.h"
#include "host/channel_units.h"
#include "host/extension_registry.h"
#include "host/sample_locks.h"
#include "host/service_table.h"
#include "toolbox/memory.h"
#include "toolbox/pascal_string.h"
#include "toolbox/script.h"
#include "vantor/services.h"

namespace spirotest {

vantor::ChannelScaling HeadScaling(double millivoltsPerValue) {
  vantor::ChannelScaling scaling = host::DefaultScaling();
  scaling.calibrated = 0;
  std::memcpy(scaling.unitText, "\x02mV", 3);
  std::memcpy(scaling.info.baseUnitText, "\x02mV", 3);
  scaling.info.rawFactor = millivoltsPerValue;
  scaling.info.unitFactor = millivoltsPerValue;
  return scaling;
}

std::vector<float> SineBreaths(int n, float amplitude, double period, float offset) {
  std::vector<float> samples(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    samples[static_cast<std::size_t>(i)] =
        offset + amplitude * static_cast<float>(std::sin(2 * M_PI * i / period));
  }
  return samples;
}

std::vector<double> InUnits(const std::vector<float>& samples, const vantor::ChannelScaling& scaling) {
  std::vector<double> values;
  for (float x : samples) values.push_back(host::ValueInUnits(scaling, static_cast<double>(x)));
  return values;
}

vantor::ChannelScaling FlowUnits(const char* unit, double gain) {
  vantor::ChannelScaling scaling = HeadScaling(1.0);
  scaling.calibrated = 1;
  scaling.gain = gain;
  scaling.offset = 0.0;
  toolbox::StorePascal(scaling.unitText, unit);
  return scaling;
}

void SpirometryHostTest::SetUp() {
  host::SetAlertsQuiet(true);
  host::ClearAlerts();
}

void SpirometryHostTest::TearDown() {
  toolbox::FailAllocationAfter(0);
  if (document_ != nullptr) {
    EXPECT_EQ(document_->locks().lentCount(), 0u) << "a function kept sample blocks locked";
    document_->computed().DetachAll();
  }
  host::SetCurrentDocument(nullptr);
  document_.reset();
  host::SetAlertsQuiet(false);
}

const host::Extension& SpirometryHostTest::Flow() { return *bundle_->Find("Main3"); }
const host::Extension& SpirometryHostTest::Volume() { return *bundle_->Find("Main5"); }

host::Document& SpirometryHostTest::MakeRecording(const std::vector<std::vector<float>>& blocks,
                                                  double millivoltsPerValue) {
  if (document_ != nullptr) document_->computed().DetachAll();
  document_ = std::make_unique<host::Document>();
  document_->AddChannel("Flow head", "Spirometer");
  document_->AddChannel("Flow", "");
  document_->AddChannel("Volume", "");
  for (std::size_t b = 0; b < blocks.size(); ++b) {
    const int block = document_->AddBlock(kSamplingInterval, 3.0e9 + static_cast<double>(b) * 60.0,
                                          static_cast<std::int32_t>(blocks[b].size()));
    document_->SetSamples(kHeadChannel, block, blocks[b]);
    document_->SetScaling(kHeadChannel, block, HeadScaling(millivoltsPerValue));
  }
  host::SetCurrentDocument(document_.get());
  return *document_;
}

bool SpirometryHostTest::Attach(int channel, const host::Extension& function) {
  return document_->computed().Attach(channel, function);
}

void SpirometryHostTest::AttachFlow(int channel) {
  ASSERT_TRUE(Attach(channel, Flow()));
  SubmitShort(Flow(), 8193, channel, kHeadChannel);
}

void SpirometryHostTest::AttachFlowAndVolume() {
  AttachFlow();
  ASSERT_TRUE(Attach(kVolumeChannel, Volume()));
  SubmitShort(Volume(), 8193, kVolumeChannel, kFlowChannel);
}

namespace {

std::uint16_t KeyOf(const host::Extension& function, std::uint16_t code) {
  return static_cast<std::uint16_t>(host::MapExtensionId(code, function.hostRef));
}

template <int Service, class T>
void Submit(const host::Extension& function, std::uint16_t code, int channel, T value) {
  vantor::ServiceAt<Service>(host::Services())(KeyOf(function, code), std::int32_t{channel}, value);
}

}  // namespace

void SpirometryHostTest::SubmitShort(const host::Extension& function, std::uint16_t code,
                                     int channel, std::int16_t value) {
  Submit<vantor::service::HostSubmitCommandShort>(function, code, channel, value);
}

void SpirometryHostTest::SubmitFlag(const host::Extension& function, std::uint16_t code,
                                    int channel, bool value) {
  Submit<vantor::service::HostSubmitCommandFlag>(function, code, channel, value);
}

void SpirometryHostTest::SubmitDouble(const host::Extension& function, std::uint16_t code,
                                      int channel, double value) {
  Submit<vantor::service::HostSubmitCommandDouble>(function, code, channel, value);
}

std::vector<float> SpirometryHostTest::Displayed(int channel, int block) {
  const std::vector<float>* samples = document_->computed().DisplayedSamples(channel, block);
  return samples != nullptr ? *samples : std::vector<float>{};
}

bool SpirometryHostTest::RunSettingsDialog(int channel, const std::string& script) {
  std::string problem;
  EXPECT_TRUE(toolbox::QueueScriptText(script, &problem)) << problem;
  const bool accepted = document_->computed().EditSettings(channel);
  EXPECT_EQ(toolbox::PendingScriptActions(), 0u) << "the dialog stopped before the script's end";
  toolbox::ClearScript();
  return accepted;
}

vantor::ChannelScaling SpirometryHostTest::Units(int channel, int block) {
  return document_->computed().DisplayedScaling(channel, block);
}

bool Alerted(const std::string& text) {
  for (const host::Alert& alert : host::Alerts()) {
    if (alert.text == text) return true;
  }
  return false;
}

}  // namespace spirotest
