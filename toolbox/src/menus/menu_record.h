// The Menu Manager's menu objects and the registry of live ones.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "toolbox/menus.h"

struct MenuItemRecord {
  std::string text;  // MacRoman
  UInt8 icon = 0;
  UInt8 keyEquivalent = 0;
  UInt8 mark = 0;
  Style style = 0;
  bool enabled = true;
};

// Lives in the low arena: its address may travel in the host's 32-bit fields.
struct OpaqueMenuRef {
  MenuID id = 0;
  SInt16 procID = 0;
  std::string title;
  bool enabled = true;
  std::vector<MenuItemRecord> items;
};

namespace toolbox::internal {

MenuRef MakeMenu(MenuID id, std::string_view title);
// The menu when it is live, null otherwise.
OpaqueMenuRef* LiveMenu(MenuRef menu);
// The item (1-based) of a live menu, null when either is missing.
MenuItemRecord* LiveMenuItem(MenuRef menu, MenuItemIndex item);
// Parses item text with metacharacters into items.
std::vector<MenuItemRecord> ParseMenuItems(std::string_view data);
// Takes the menu out of the menu list (before it is disposed).
void RemoveFromMenuList(MenuRef menu);

}  // namespace toolbox::internal
