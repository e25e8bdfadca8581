// Texts from an extension's own string lists, loaded between its
// BeginResources and EndResources.
#pragma once

#include <cstdint>

#include "frame/extension_base.h"
#include "toolbox/mac_types.h"

namespace spiro {

// Entry `index` (1-based) of list `listId`; empty when the list has no such
// entry, including indices no list can hold.
void ReadOwnString(const VantorExtensionBase& extension, std::int16_t listId, std::int32_t index,
                   StringPtr text);

}  // namespace spiro
