// The volume function's record for one computed channel, in a handle the
// host keeps and passes back with every message. Private to the bundle: the
// settings handle is a native 8-byte handle.
#pragma once

#include <cstddef>
#include <cstdint>

#include "computed/local_data_state.h"
#include "computed/volume_carried_state.h"
#include "toolbox/mac_types.h"

namespace spiro {

namespace volume {

// The resource whose presence in the document's file at creation turns the
// reset at positive flow off for good.
inline constexpr std::int16_t kResetBlockingDialogId = 8502;

struct LocalDataType {
  std::int16_t channel;        // the channel holding the function (1-based)
  std::int16_t state;          // LocalDataState
  std::int16_t respiratoryId;  // host identity of the window extension, or unresolved
  std::int16_t flowId;         // host identity of the flow function, unresolved, or -1
  Handle settings;             // RespVolumeSettings; null until the first command
  std::int16_t channelCount;   // channels of the document at creation
  std::uint8_t resetBlocked;   // 'DLOG' kResetBlockingDialogId was present at creation
  CarriedVolumeState carried{};  // the last block computation's end state
};

static_assert(offsetof(LocalDataType, state) == 2);
static_assert(offsetof(LocalDataType, respiratoryId) == 4);
static_assert(offsetof(LocalDataType, flowId) == 6);
static_assert(offsetof(LocalDataType, settings) == 8);
static_assert(offsetof(LocalDataType, channelCount) == 16);
static_assert(offsetof(LocalDataType, resetBlocked) == 18);

}  // namespace volume

}  // namespace spiro
