#include "computed/volume_carried_state.h"

#include <bit>

#include "frame/host_services_data.h"

namespace spiro {

namespace {

// Bit for bit: a coefficient that differs only in the sign of a zero still
// gives different samples.
bool SameBits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool SameCoefficients(const VolumeIntegrationCoefficients& a,
                      const VolumeIntegrationCoefficients& b) {
  return SameBits(a.gainPerSample, b.gainPerSample) &&
         SameBits(a.offsetPerSample, b.offsetPerSample) &&
         SameBits(a.outputScale, b.outputScale) &&
         SameBits(a.correctionFactor, b.correctionFactor) &&
         SameBits(a.correctionThreshold, b.correctionThreshold) &&
         a.negativeFlowCorrection == b.negativeFlowCorrection &&
         a.resetAtPositiveFlow == b.resetAtPositiveFlow;
}

bool SameKey(const VolumeCarryKey& a, const VolumeCarryKey& b) {
  return a.samplesVersion == b.samplesVersion && a.startBlock == b.startBlock &&
         a.sourceChannel == b.sourceChannel && a.sourceIsComputed == b.sourceIsComputed &&
         SameCoefficients(a.coefficients, b.coefficients);
}

}  // namespace

VolumeCarryKey CarryKeyFor(const RespVolumeSettings& settings, std::int16_t startBlock) {
  return {DataSamplesVersion(settings.sourceChannel), startBlock, settings.sourceChannel,
          settings.sourceIsComputed != 0, IntegrationCoefficientsOf(settings)};
}

IntegrationStart StartFor(const CarriedVolumeState& carried, const VolumeCarryKey& key,
                          std::int16_t block, const VolumeRunningState& restarted) {
  const bool holds = carried.block >= key.startBlock && carried.block < block &&
                     SameKey(carried.key, key);
  if (holds) return {static_cast<std::int16_t>(carried.block + 1), carried.state};
  return {key.startBlock, restarted};
}

}  // namespace spiro
