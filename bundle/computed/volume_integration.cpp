#include "computed/volume_integration.h"

namespace spiro {

VolumeIntegrationCoefficients IntegrationCoefficientsOf(const RespVolumeSettings& settings) {
  return {settings.gainPerSample,
          settings.offsetPerSample,
          settings.outputScale,
          settings.correctionFactor,
          settings.correctionThreshold,
          settings.negativeFlowCorrection != 0,
          settings.resetAtPositiveFlow != 0};
}

VolumeRunningState BlockVolumeState(const RespVolumeSettings& settings) {
  return {settings.accumulator, settings.reservoir, settings.previousFlow};
}

VolumeRunningState LiveVolumeState(const RespVolumeSettings& settings) {
  return {settings.liveAccumulator, settings.liveReservoir, settings.livePreviousFlow};
}

void StoreBlockVolumeState(RespVolumeSettings& settings, const VolumeRunningState& state) {
  settings.accumulator = state.accumulator;
  settings.reservoir = state.reservoir;
  settings.previousFlow = state.previousFlow;
}

void StoreLiveVolumeState(RespVolumeSettings& settings, const VolumeRunningState& state) {
  settings.liveAccumulator = state.accumulator;
  settings.liveReservoir = state.reservoir;
  settings.livePreviousFlow = state.previousFlow;
}

void IntegrateVolumeSamples(const VolumeIntegrationCoefficients& coefficients,
                            VolumeRunningState& state, const float* in, float* out,
                            std::int32_t first, std::int32_t end) {
  if (out == nullptr) {
    for (std::int32_t i = first; i < end; ++i) IntegrateVolumeSample(coefficients, state, in[i]);
    return;
  }
  for (std::int32_t i = first; i < end; ++i)
    out[i] = IntegrateVolumeSample(coefficients, state, in[i]);
}

}  // namespace spiro
