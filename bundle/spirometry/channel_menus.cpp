#include "spirometry/channel_menus.h"

#include "extension/resource_text_helpers.h"
#include "frame/host_services_host.h"
#include "frame/host_services_menus.h"
#include "spirometry/analysis_channels.h"

namespace spiro {

namespace spirometry {

void PrepareChannelMenu(MenuRef& menu, std::int16_t& ownItems, const VantorExtensionBase& extension) {
  if (menu != nullptr) return;
  HostBeginExtensionResources(extension.hostRef);
  menu = GetDetachedMenu(kChannelMenuId);
  if (menu != nullptr) {
    ownItems = static_cast<std::int16_t>(CountMenuItems(menu));
    HostService567(menu, static_cast<std::int16_t>(ownItems + 1), 0, 0);
  }
  HostEndExtensionResources(extension.hostRef);
}

void UpdateChannelMenus(LocalDataType& record, std::int16_t block,
                        const VantorExtensionBase& extension) {
  PrepareChannelMenu(record.flowMenu, record.flowMenuOwnItems, extension);
  PrepareChannelMenu(record.volumeMenu, record.volumeMenuOwnItems, extension);
  for (std::int16_t c = 1; c <= record.channelCount; ++c) {
    const auto enable = [](MenuRef menu, std::int16_t item, bool on) {
      if (menu == nullptr) return;
      if (on) {
        EnableMenuItem(menu, static_cast<MenuItemIndex>(item));
      } else {
        DisableMenuItem(menu, static_cast<MenuItemIndex>(item));
      }
    };
    enable(record.flowMenu, static_cast<std::int16_t>(record.flowMenuOwnItems + c),
           IsFlowChannel(c, block, record));
    enable(record.volumeMenu, static_cast<std::int16_t>(record.volumeMenuOwnItems + c),
           IsVolumeChannel(c, block, record));
  }
}

}  // namespace spirometry

}  // namespace spiro
