// The flow function's record for one computed channel, in a handle the host
// keeps and passes back with every message. Private to the bundle: the
// settings handle is a native 8-byte handle.
#pragma once

#include <cstddef>
#include <cstdint>

#include "computed/local_data_state.h"
#include "toolbox/mac_types.h"

namespace spiro {

namespace flow {

struct LocalDataType {
  std::int16_t channel;       // the channel holding the function (1-based)
  std::int16_t state;         // LocalDataState
  std::uint16_t marker;       // kUnresolvedExtensionId, as the record was always made
  std::int16_t channelCount;  // channels of the document at creation
  Handle settings;            // RespFlowSettings; null until the first command
};

static_assert(offsetof(LocalDataType, state) == 2);
static_assert(offsetof(LocalDataType, marker) == 4);
static_assert(offsetof(LocalDataType, channelCount) == 6);
static_assert(offsetof(LocalDataType, settings) == 8);
static_assert(sizeof(LocalDataType) == 16);

}  // namespace flow

}  // namespace spiro
