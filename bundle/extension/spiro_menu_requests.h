// Host menu requests and notifications (message 9).
#pragma once

#include <cstdint>

#include "extension/spiro_records.h"
#include "frame/extension_base.h"

namespace spiro {

namespace spirometry {

inline constexpr std::uint32_t kVersionAnswer = 4277;

void DoSpiroMenuRequest(VantorExtensionBase& extension, std::int16_t code, std::uint32_t data,
                        LocalDataType** local);

}  // namespace spirometry

}  // namespace spiro
