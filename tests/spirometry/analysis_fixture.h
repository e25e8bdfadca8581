// The window extension's per-document record on a document of the real host,
// analysed by the bundle's code: flow on channel 2, volume on channel 3
// (recorded here, or computed by the loaded bundle from the flow head).
#pragma once

#include <cmath>
#include <numbers>
#include <vector>

#include "support/spirometry_host.h"
#include "extension/spiro_local_data.h"
#include "extension/spiro_records.h"
#include "frame/extension_base.h"
#include "frame/host_services.h"
#include "host/extension_menus.h"
#include "host/selection.h"
#include "host/service_table.h"
#include "spirometry/analysis.h"
#include "toolbox/pascal_string.h"

using namespace spiro;

namespace spirotest {

class AnalysisExtension final : public VantorExtensionBase {
 public:
  std::uint32_t GetExtensionKind() override { return 0; }
};

// A breath as flow in a half sine: litres > 0 inspired, < 0 expired.
struct BreathPart {
  double seconds;
  double litres;
};

// Flow (L/s) and volume (L) of the parts, sampled every dt.
struct Breathing {
  std::vector<float> flow;
  std::vector<float> volume;
};

inline Breathing Breathe(const std::vector<BreathPart>& parts, double dt, double unitsPerRaw) {
  Breathing b;
  double volume = 0.5;
  for (const BreathPart& part : parts) {
    const auto n = static_cast<int>(std::lround(part.seconds / dt));
    for (int i = 0; i < n; ++i) {
      const double phase = std::numbers::pi * (i + 0.5) / n;
      const double flow = std::numbers::pi * part.litres / (2.0 * part.seconds) * std::sin(phase);
      volume += flow * dt;
      b.flow.push_back(static_cast<float>(flow / unitsPerRaw));
      b.volume.push_back(static_cast<float>(volume / unitsPerRaw));
    }
  }
  return b;
}

// Units of value * gain, calibrated.
inline vantor::ChannelScaling UnitScaling(const char* unit, double gain, double offset = 0.0) {
  vantor::ChannelScaling s = host::DefaultScaling();
  s.calibrated = 1;
  s.gain = gain;
  s.offset = offset;
  s.info.unitFactor = 1.0;
  toolbox::StorePascal(s.unitText, unit);
  return s;
}

class AnalysisTest : public SpirometryHostTest {
 protected:
  static constexpr double kGain = 10.0;  // units per raw value

  void SetUp() override {
    SpirometryHostTest::SetUp();
    SetHostServiceTable(host::ServicesAddress());
    extension_.hostRef = LoadedBundle().Find("Main1")->hostRef;
  }
  void TearDown() override {
    DisposeRecord();
    SpirometryHostTest::TearDown();
  }

  // A document of one block with these flow and volume samples (recorded).
  void Record(const Breathing& b, const char* flowUnit = "L/s", const char* volumeUnit = "L") {
    MakeRecording({std::vector<float>(b.flow.size(), 0.0f)});
    SetChannels(1, b, flowUnit, volumeUnit);
  }
  void SetChannels(int block, const Breathing& b, const char* flowUnit = "L/s",
                   const char* volumeUnit = "L") {
    document().SetSamples(kFlowChannel, block, b.flow);
    document().SetSamples(kVolumeChannel, block, b.volume);
    document().SetScaling(kFlowChannel, block, UnitScaling(flowUnit, kGain));
    document().SetScaling(kVolumeChannel, block, UnitScaling(volumeUnit, kGain));
  }

  // A record as the extension makes it for the current document.
  spirometry::LocalDataType** NewRecord() {
    DisposeRecord();
    record_ = spirometry::NewSpiroLocalData(extension_);
    return record_;
  }
  void DisposeRecord() {
    spirometry::DisposeSpiroLocalData(record_);
    record_ = nullptr;
    host::ForgetExtensionMenus();
  }

  // Selects [start, end) and analyses it with a fresh record.
  spirometry::LocalDataType& Analyse(std::int64_t start, std::int64_t end) {
    document().selection().Select({start, end});
    if (record_ == nullptr) NewRecord();
    spirometry::InvalidateAnalysis(record_);
    spirometry::AnalyseSelection(extension_, record_);
    return rec();
  }
  spirometry::LocalDataType& AnalyseAll() { return Analyse(0, document().TotalLength()); }

  spirometry::LocalDataType& rec() { return **record_; }
  std::vector<spirometry::BreathPhase> Phases() {
    std::vector<spirometry::BreathPhase> phases(static_cast<std::size_t>(rec().phaseCount));
    if (!phases.empty()) std::memcpy(phases.data(), *rec().phases, phases.size() * sizeof phases[0]);
    return phases;
  }

  AnalysisExtension extension_;
  spirometry::LocalDataType** record_ = nullptr;
};

}  // namespace spirotest
