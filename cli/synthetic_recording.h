// A synthetic spirometer recording: the flow-head voltage of a breathing
// model, with a zero offset, a linear drift and Gaussian noise, quantised the
// way an EDF file stores it, and the ground truth that produced it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "breathing_model.h"
#include "flow_head.h"
#include "host/edf_export.h"

namespace cli {

struct SynthParameters {
  BreathingParameters breathing;
  double rateHz = 100;                 // a whole number of samples per second
  FlowHead head;
  double zeroOffsetMillivolts = 0;     // voltage at zero flow
  double driftMillivoltsPerSecond = 0;
  double noiseMillivolts = 0;          // standard deviation
  std::uint64_t seed = 1;
};

// The EDF signal's digital range: symmetric, so digital 0 is 0 mV exactly.
inline constexpr std::int32_t kSynthDigitalMaximum = 32767;

struct SyntheticRecording {
  BreathingModel model;
  std::vector<double> trueFlow;    // L/s at each sample, inspiration positive
  std::vector<double> millivolts;  // the head's voltage with offset, drift and noise
  double rangeMillivolts = 0;      // the EDF physical range is -range..range
  std::vector<std::int16_t> digital;
};

// Nothing, with a one-line reason, for parameters that cannot make a recording
// (including flows beyond what the flow head can show).
std::optional<SyntheticRecording> Synthesize(const SynthParameters& parameters, std::string* problem);

// The recording as an EDF+ file: one signal "Spirometer" in mV, one-second
// data records, annotations at the manoeuvre's landmarks.
host::EdfExport ToEdfExport(const SynthParameters& parameters, const SyntheticRecording& recording);

// The time of sample i (seconds from the start).
inline double SampleTime(const SynthParameters& parameters, std::size_t i) {
  return static_cast<double>(i) / parameters.rateHz;
}

}  // namespace cli
