// Integrating flow into volume, one sample at a time: the expiratory
// (negative) flow correction past a threshold volume and the reset at the
// start of each inspiration act on the running state.
#pragma once

#include <cstdint>
#include <limits>

#include "computed/resp_volume_settings.h"

namespace spiro {

struct VolumeIntegrationCoefficients {
  double gainPerSample;        // litres per sample value, per sample
  double offsetPerSample;      // litres per sample
  double outputScale;          // output value per litre
  double correctionFactor;     // divisor of corrected samples
  double correctionThreshold;  // litres
  bool negativeFlowCorrection;
  bool resetAtPositiveFlow;
};

struct VolumeRunningState {
  double accumulator;   // litres
  double reservoir;     // expired litres since the reservoir was last empty
  double previousFlow;  // litres of the previous sample
};

inline constexpr VolumeRunningState kRestartedVolume{0.0, 0.0,
                                                     std::numeric_limits<double>::infinity()};

VolumeIntegrationCoefficients IntegrationCoefficientsOf(const RespVolumeSettings& settings);
VolumeRunningState BlockVolumeState(const RespVolumeSettings& settings);
VolumeRunningState LiveVolumeState(const RespVolumeSettings& settings);
void StoreBlockVolumeState(RespVolumeSettings& settings, const VolumeRunningState& state);
void StoreLiveVolumeState(RespVolumeSettings& settings, const VolumeRunningState& state);

inline float IntegrateVolumeSample(const VolumeIntegrationCoefficients& c,
                                   VolumeRunningState& state, float x) {
  double v = static_cast<double>(x) * c.gainPerSample + c.offsetPerSample;
  if (c.negativeFlowCorrection) {
    state.reservoir -= v;
    if (state.reservoir < 0.0) {
      state.reservoir = 0.0;
    } else if (state.reservoir > c.correctionThreshold) {
      state.reservoir = c.correctionThreshold;
      v /= c.correctionFactor;
    }
  }
  state.accumulator += v;
  float result;
  if (c.resetAtPositiveFlow && state.previousFlow <= 0.0 && v > 0.0) {
    state.accumulator = 0.0;
    state.reservoir = 0.0;
    result = 0.0f;
  } else {
    result = static_cast<float>(state.accumulator * c.outputScale);
  }
  state.previousFlow = v;
  return result;
}

// Integrates in[first .. end-1]; the results go to out at the same offsets,
// or nowhere when out is null (samples replayed only for their state).
void IntegrateVolumeSamples(const VolumeIntegrationCoefficients& coefficients,
                            VolumeRunningState& state, const float* in, float* out,
                            std::int32_t first, std::int32_t end);

}  // namespace spiro
