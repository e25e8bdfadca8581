// The flow function's object-level operations, over its per-channel record:
// creation, commands, notifications and what it tells the host about its
// channel. RespFlowExtension forwards to these.
#pragma once

#include <cstdint>

#include "computed/flow_local_data.h"
#include "computed/resp_flow_settings.h"
#include "toolbox/mac_types.h"

namespace spiro {

namespace flow {

inline constexpr std::int16_t kStringListId = 8300;
inline constexpr std::int16_t kNameEntry = 1;
inline constexpr std::int16_t kDescriptionEntry = 23;
inline constexpr unsigned char kOutOfMemoryText[] = "\x1eSpirometry Flow: Out of memory";

// Local codes of the flow function's commands besides 8192 and 8193.
enum SettingsCommand : std::uint16_t {
  kSetLinearise = 8194,           // u8
  kSetModel = 8195,               // i16: > 0 a model, otherwise custom
  kSetCustomScale = 8196,         // f64
  kSetCustomNonlinearity = 8197,  // f64
  kSetZeroOffset = 8198,          // f64
  kSetSpareFlag = 8199,           // u8
  kSetDriftCorrection = 8200,     // u8
};

// Null after the out-of-memory alert.
LocalDataType** NewLocalData(std::int16_t channel);

// The settings of a channel that has none yet.
RespFlowSettings DefaultSettings(std::int16_t channel);
// Applies one command to the settings; true when the coefficients must be
// derived again. channelCount bounds the source channel.
bool ApplyCommand(RespFlowSettings& settings, const void* record, std::int16_t channelCount);
void PerformCommand(const void* record, LocalDataType** local);

// The settings dialog for the channel; true when the user accepted changes.
// The dialog is not built yet, so nothing is ever accepted.
bool EditSettings(std::int16_t channel, LocalDataType** local);

void HandleNotification(std::int16_t code, std::uint32_t value, LocalDataType** local);

bool HasDataForBlock(std::int16_t block, LocalDataType** local);
void GetChannelInfo(std::int16_t block, void* infoOut, LocalDataType** local);
void GetChannelUnits(std::int16_t block, void* unitsOut, LocalDataType** local);

}  // namespace flow

}  // namespace spiro
