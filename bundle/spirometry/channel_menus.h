// The private channel menus of the flow and volume axes: menu 8100 with one
// item per channel of the document after its own items.
#pragma once

#include <cstdint>

#include "extension/spiro_records.h"
#include "frame/extension_base.h"
#include "toolbox/menus.h"

namespace spiro {

namespace spirometry {

// Loads the menu once, from the extension's resources, and names its
// channel items.
void PrepareChannelMenu(MenuRef& menu, std::int16_t& ownItems, const VantorExtensionBase& extension);
// Prepares both menus and enables exactly the items of the channels that
// qualify in the block.
void UpdateChannelMenus(LocalDataType& record, std::int16_t block,
                        const VantorExtensionBase& extension);

}  // namespace spirometry

}  // namespace spiro
