// The menu items and toolbar buttons extensions add to the host (services
// 631, 634, 636, 164, 165), kept so that the host, the command line and tests
// can list them and see which item is checked.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace host {

struct ExtensionMenuItem {
  std::string menu;          // the text before the first colon
  std::string text;          // after it; empty for a separator
  std::int16_t flags = 0;
  std::uint16_t key = 0;     // the command the item submits
  bool separator = false;
  bool checked = false;
};

struct ToolbarButton {
  std::uint16_t key = 0;
  std::string image;         // a file among the bundle's resources
  std::string label;
};

struct ToolbarGroup {
  std::string title;
  std::vector<ToolbarButton> buttons;
};

// In the order they were added.
std::vector<ExtensionMenuItem> ExtensionMenuItems();
const std::vector<ToolbarGroup>& ToolbarGroups();
// The key of the first item with this text (the part after the menu's
// colon), as the user would find it in the menu; none when no item has it.
std::optional<std::uint16_t> MenuItemKey(const std::string& text);
// Drops every item and group (the host's, when it unloads the bundle).
void ForgetExtensionMenus();

}  // namespace host
