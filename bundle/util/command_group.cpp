#include "util/command_group.h"

#include "frame/host_services_menus.h"

namespace spiro {

std::int16_t NewCommandGroup(const VantorExtensionBase&, ConstStr255Param title, std::int16_t a) {
  return HostService165(title, a);
}

void AddCommandWithIcon(const VantorExtensionBase& extension, std::int16_t group,
                        std::int16_t key, const char* imageFile, ConstStr255Param title) {
  HostService164(group, static_cast<std::uint16_t>(key), imageFile, title, extension.hostRef);
}

}  // namespace spiro
