// An extension's settings record kept between sessions as a named 'ExtS'
// resource of the current resource file, stored big-endian. The extension's
// SwapSettingsByteOrder converts it in both directions.
#pragma once

#include <cstdint>

#include "frame/extension_base.h"
#include "toolbox/mac_types.h"

namespace spiro {

inline constexpr ResType kSettingsResourceType = FourCharCode("ExtS");

// The record in native order, still a resource of the file; null when absent.
Handle LoadNamedSettings(VantorExtensionBase& extension, ConstStr255Param name);
// Replaces the record of that name by a copy of `data` (native order; the
// caller's handle is left untouched). Null data deletes the record.
// Returns the Resource or Memory Manager error, 0 for success.
std::int16_t SaveNamedSettings(VantorExtensionBase& extension, ConstStr255Param name, Handle data);
// A resource of the current file, detached and handed to the extension; null
// after telling the user that it is missing.
Handle GetDetachedResource(ResType type, std::int16_t id);
Handle GetStringList(std::int16_t id);

}  // namespace spiro
