// The volume integration's state at the end of a block, kept with the
// channel's record so that the next block of the stretch continues from it
// instead of integrating the stretch again from its first block. It stands
// for that integration only while everything the integration read is the
// same: the stretch, the source, the coefficients, and the host's version of
// the samples (which moves with every command, notification, source change
// and change of recorded data).
#pragma once

#include <cstdint>

#include "computed/resp_volume_settings.h"
#include "computed/volume_integration.h"

namespace spiro {

struct VolumeCarryKey {
  std::uint32_t samplesVersion;
  std::int16_t startBlock;
  std::int16_t sourceChannel;
  bool sourceIsComputed;
  VolumeIntegrationCoefficients coefficients;
};

struct CarriedVolumeState {
  VolumeCarryKey key;
  std::int16_t block;  // the state follows this block's last sample; 0: nothing carried
  VolumeRunningState state;
};

// The key of an integration with these settings (coefficients derived for
// the block being computed) over the stretch from startBlock.
VolumeCarryKey CarryKeyFor(const RespVolumeSettings& settings, std::int16_t startBlock);

// Where integrating towards `block` starts: after the carried block, from its
// state, when the carry holds for the key and lies before `block`; else at
// the key's first block of the stretch, from `restarted`.
struct IntegrationStart {
  std::int16_t block;
  VolumeRunningState state;
};
IntegrationStart StartFor(const CarriedVolumeState& carried, const VolumeCarryKey& key,
                          std::int16_t block, const VolumeRunningState& restarted);

}  // namespace spiro
