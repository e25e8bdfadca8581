// The volume function's object-level operations, over its per-channel
// record: creation, commands, notifications, the flow-source test and what it
// tells the host about its channel. RespVolume forwards to these.
#pragma once

#include <cstdint>

#include "computed/resp_volume_settings.h"
#include "computed/volume_local_data.h"
#include "toolbox/mac_types.h"

namespace spiro {

namespace volume {

inline constexpr std::int16_t kStringListId = 8500;
inline constexpr std::int16_t kNameEntry = 1;
inline constexpr std::int16_t kDescriptionEntry = 19;
inline constexpr unsigned char kOutOfMemoryText[] = "\x20Spirometry Volume: Out of memory";
// The flow function's identity when the volume function knows it has none.
inline constexpr std::int16_t kNoFlowFunction = -1;

// Local codes of the volume function's commands besides 8192 and 8193.
enum SettingsCommand : std::uint16_t {
  kSetNegativeFlowCorrection = 8194,  // u8
  kUnusedCommand8195 = 8195,
  kSetCorrectionFactor = 8196,     // f64, held to 0.9 .. 2.0
  kSetThresholdIndex = 8197,       // i16
  kSetCustomThreshold = 8198,      // f64 litres
  kSetResetAtPositiveFlow = 8199,  // u8
};

// Null after the out-of-memory alert.
LocalDataType** NewLocalData(std::int16_t channel);

RespVolumeSettings DefaultSettings(std::int16_t channel);
// Applies one command to the settings of the record.
void ApplyCommand(RespVolumeSettings& settings, const void* record, const LocalDataType& local);
void PerformCommand(const void* record, LocalDataType** local);
// Asks the host for the window extension's and the flow function's
// identities while they are unresolved.
void ResolveSiblingIdentifiers(LocalDataType& record);

bool EditSettings(std::int16_t channel, LocalDataType** local);
void HandleNotification(std::int16_t code, std::uint32_t value, LocalDataType** local);

// The source carries flow in the block: it is computed by the flow function,
// or its units are a flow's (litres or millilitres per second or minute).
bool IsFlowSource(const RespVolumeSettings& settings, std::int16_t flowId, std::int16_t block);
bool HasDataForBlock(std::int16_t block, LocalDataType** local);
void GetChannelInfo(void* infoOut, LocalDataType** local);
void GetChannelUnits(std::int16_t block, void* unitsOut, LocalDataType** local);

}  // namespace volume

}  // namespace spiro
