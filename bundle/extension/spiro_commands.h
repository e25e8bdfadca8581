// Commands handed back by the host (message 8): each carries out what the
// user or the extension itself submitted.
#pragma once

#include <cstdint>

#include "extension/spiro_records.h"
#include "frame/extension_base.h"

namespace spiro {

namespace spirometry {

// Local codes the extension submits to itself.
inline constexpr std::uint16_t kShowWindowCommand = 0;
inline constexpr std::uint16_t kMoveWindowCommand = 10;
inline constexpr std::uint16_t kSizeWindowCommand = 11;
inline constexpr std::uint16_t kZoomWindowCommand = 12;
inline constexpr std::uint16_t kOutputCommand = 14;
inline constexpr std::uint16_t kCopyCommand = 17;
inline constexpr std::uint16_t kPrintReportCommand = 22;
inline constexpr std::uint16_t kPlotOptionCommand = 27;
inline constexpr std::uint16_t kChannelCommand = 28;
inline constexpr std::uint16_t kFlowRangeCommand = 29;
inline constexpr std::uint16_t kVolumeRangeCommand = 30;

// command: the host's command record (format, code, first value, values).
void PerformSpiroCommand(const VantorExtensionBase& extension, const void* command,
                         LocalDataType** local);

}  // namespace spirometry

}  // namespace spiro
