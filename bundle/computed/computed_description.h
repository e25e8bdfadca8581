// The texts a computed function shows the host: its name, and the
// description of a computed channel (a prefix and the source channel's title).
#pragma once

#include <cstddef>
#include <cstdint>

#include "frame/extension_base.h"
#include "toolbox/mac_types.h"

namespace spiro {

// The description record: a flag byte, then the text as a Str255 at 12.
inline constexpr std::size_t kDescriptionFlagAt = 0;
inline constexpr std::size_t kDescriptionTextAt = 12;

// Entry `entry` of the extension's list into nameOut (a Str255 buffer).
void CopyOwnName(const VantorExtensionBase& extension, std::int16_t listId, std::int16_t entry,
                 unsigned char* nameOut);

// Marks the record as described, with entry `entry` of the list followed by
// the source channel's title.
void DescribeSource(void* recordOut, const VantorExtensionBase& extension, std::int16_t listId,
                    std::int16_t entry, std::int16_t sourceChannel);

}  // namespace spiro
