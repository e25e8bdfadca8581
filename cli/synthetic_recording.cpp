#include "synthetic_recording.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

#include "host/problem.h"

namespace cli {
namespace {

// The physical range leaves this much room above the largest voltage.
constexpr double kHeadroom = 1.25;
constexpr double kLargestRate = 10000;
constexpr double kLargestRangeMillivolts = 1e7;

// Gaussian noise from a generator whose sequence the language fixes, through
// Box-Muller, so a seed gives the same recording on every platform.
class GaussianNoise {
 public:
  explicit GaussianNoise(std::uint64_t seed) : engine_(seed) {}
  double Next() {
    const double u1 = (static_cast<double>(engine_() >> 11) + 0.5) * 0x1.0p-53;
    const double u2 = static_cast<double>(engine_() >> 11) * 0x1.0p-53;
    return std::sqrt(-2 * std::log(u1)) * std::cos(2 * std::numbers::pi * u2);
  }

 private:
  std::mt19937_64 engine_;
};

// The first of 1, 2, 5 times a power of ten at or above `value`.
double NiceRangeAbove(double value) {
  const double decade = std::pow(10.0, std::floor(std::log10(value)));
  for (double step : {1.0, 2.0, 5.0, 10.0}) {
    if (step * decade >= value * (1 - 1e-12)) return step * decade;
  }
  return 10 * decade;
}

bool CheckParameters(const SynthParameters& p, std::string* problem) {
  if (!(p.rateHz >= 1) || !(p.rateHz <= kLargestRate) || p.rateHz != std::floor(p.rateHz)) {
    return host::Fail(problem, "rate must be a whole number of Hz from 1 to 10000");
  }
  if (!(p.head.scale > 0) || !std::isfinite(p.head.scale) || !std::isfinite(p.head.nonlinearity)) {
    return host::Fail(problem, "flow-head scale must be above 0 and nonlinearity a number");
  }
  if (!std::isfinite(p.zeroOffsetMillivolts) || !std::isfinite(p.driftMillivoltsPerSecond) || !(p.noiseMillivolts >= 0) ||
      !std::isfinite(p.noiseMillivolts)) {
    return host::Fail(problem, "zero offset and drift must be numbers, noise a number of at least 0");
  }
  return true;
}

bool MakeVoltages(const SynthParameters& p, SyntheticRecording& r, std::string* problem) {
  const std::size_t count = static_cast<std::size_t>(std::llround(p.breathing.seconds * p.rateHz));
  GaussianNoise noise(p.seed);
  for (std::size_t i = 0; i < count; ++i) {
    const double t = SampleTime(p, i);
    const double flow = r.model.FlowAt(t);
    const auto head = VoltageForFlow(p.head, flow);
    if (!head) {
      return host::Fail(problem, "a flow of " + std::to_string(flow) + " L/s is beyond the flow head's range (" +
                                     std::to_string(LargestFlow(p.head)) + " L/s at this nonlinearity)");
    }
    r.trueFlow.push_back(flow);
    r.millivolts.push_back(*head + p.zeroOffsetMillivolts + p.driftMillivoltsPerSecond * t + p.noiseMillivolts * noise.Next());
  }
  return true;
}

bool Quantise(SyntheticRecording& r, std::string* problem) {
  double largest = 0;
  for (double v : r.millivolts) largest = std::max(largest, std::fabs(v));
  r.rangeMillivolts = NiceRangeAbove(std::max(largest, 1e-3) * kHeadroom);
  // EDF keeps the physical range as eight characters of text.
  if (!(r.rangeMillivolts < kLargestRangeMillivolts)) {
    return host::Fail(problem, "the signal reaches " + std::to_string(largest) +
                                   " mV, beyond the +-9999999 mV an EDF physical range can state; lower the zero "
                                   "offset, drift or noise");
  }
  const double perDigit = r.rangeMillivolts / kSynthDigitalMaximum;
  for (double v : r.millivolts) {
    const double d = std::clamp(std::round(v / perDigit), -double{kSynthDigitalMaximum}, double{kSynthDigitalMaximum});
    r.digital.push_back(static_cast<std::int16_t>(d));
  }
  return true;
}

}  // namespace

std::optional<SyntheticRecording> Synthesize(const SynthParameters& p, std::string* problem) {
  if (!CheckParameters(p, problem)) return std::nullopt;
  // Whole seconds, so the file holds whole one-second records.
  SynthParameters whole = p;
  whole.breathing.seconds = std::ceil(p.breathing.seconds);
  auto model = BreathingModel::Plan(whole.breathing, problem);
  if (!model) return std::nullopt;
  SyntheticRecording recording{*model, {}, {}, 0, {}};
  if (!MakeVoltages(whole, recording, problem) || !Quantise(recording, problem)) return std::nullopt;
  return recording;
}

host::EdfExport ToEdfExport(const SynthParameters& p, const SyntheticRecording& r) {
  host::EdfExport out;
  out.start = {2024, 1, 1, 9, 0, 0};
  out.recordDurationSeconds = 1;
  out.patientName = "Synthetic";
  out.equipment = "vantor synth";
  host::EdfExportSignal signal;
  signal.label = "Spirometer";
  signal.dimension = "mV";
  signal.physicalMinimum = -r.rangeMillivolts;
  signal.physicalMaximum = r.rangeMillivolts;
  signal.digitalMinimum = -kSynthDigitalMaximum;
  signal.digitalMaximum = kSynthDigitalMaximum;
  signal.samplesPerRecord = static_cast<std::int32_t>(p.rateHz);
  signal.digital = r.digital;
  out.signals.push_back(std::move(signal));
  for (const BreathingPhase& phase : r.model.phases()) {
    if (phase.kind == PhaseKind::kMaximalInspiration || phase.kind == PhaseKind::kForcedExpiration) {
      out.annotations.push_back({phase.startSeconds, -1, PhaseName(phase.kind)});
    }
  }
  return out;
}

}  // namespace cli

