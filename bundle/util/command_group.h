// Toolbar groups and their buttons, added to the host for an extension.
#pragma once

#include <cstdint>

#include "frame/extension_base.h"
#include "toolbox/mac_types.h"

namespace spiro {

// A new group titled title; the host's number for it.
std::int16_t NewCommandGroup(const VantorExtensionBase& extension, ConstStr255Param title,
                             std::int16_t a);
// A button in the group that submits the command key; imageFile names a PNG
// among the bundle's resources (NUL-terminated UTF-8).
void AddCommandWithIcon(const VantorExtensionBase& extension, std::int16_t group,
                        std::int16_t key, const char* imageFile, ConstStr255Param title);

}  // namespace spiro
