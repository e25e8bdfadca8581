// Making, finding and disposing of menus, and their menu-wide properties.
#include <unordered_set>

#include "low_objects.h"
#include "menu_record.h"
#include "toolbox/pascal_string.h"
#include "template_resources.h"
#include "toolbox/resource_templates.h"

namespace toolbox::internal {
namespace {

std::unordered_set<OpaqueMenuRef*>& LiveMenus() {
  static std::unordered_set<OpaqueMenuRef*> menus;
  return menus;
}

constexpr std::size_t kFlaggedItems = 31;  // enable bits 1..31; later items are enabled

MenuRef MakeMenuFromTemplate(const MenuTemplate& t) {
  MenuRef menu = MakeMenu(t.menuID, t.title);
  menu->procID = t.procID;
  menu->enabled = (t.enableFlags & 1u) != 0;
  for (std::size_t i = 0; i < t.items.size(); ++i) {
    const MenuItemTemplate& item = t.items[i];
    const std::size_t number = i + 1;
    const bool enabled = number > kFlaggedItems || (t.enableFlags >> number & 1u) != 0;
    menu->items.push_back({item.text, item.icon, item.keyEquivalent, item.mark, item.style, enabled});
  }
  return menu;
}

}  // namespace

MenuRef MakeMenu(MenuID id, std::string_view title) {
  auto* menu = NewLowObject<OpaqueMenuRef>();
  menu->id = id;
  menu->title = title;
  LiveMenus().insert(menu);
  return menu;
}

OpaqueMenuRef* LiveMenu(MenuRef menu) { return LiveMenus().count(menu) != 0 ? menu : nullptr; }

MenuItemRecord* LiveMenuItem(MenuRef menu, MenuItemIndex item) {
  OpaqueMenuRef* live = LiveMenu(menu);
  if (live == nullptr || item < 1 || item > live->items.size()) return nullptr;
  return &live->items[item - 1u];
}

}  // namespace toolbox::internal

using toolbox::internal::LiveMenu;

bool toolbox::IsLiveMenu(MenuRef menu) { return LiveMenu(menu) != nullptr; }

MenuRef NewMenu(MenuID menuID, ConstStr255Param menuTitle) {
  return toolbox::internal::MakeMenu(menuID, toolbox::PascalView(menuTitle));
}

MenuRef GetMenu(SInt16 resourceID) {
  const auto parsed = toolbox::internal::LoadTemplate(FourCharCode("MENU"), resourceID, toolbox::ParseMenuTemplate);
  return parsed ? toolbox::internal::MakeMenuFromTemplate(*parsed) : nullptr;
}

void DisposeMenu(MenuRef menu) {
  if (LiveMenu(menu) == nullptr) return;
  toolbox::internal::RemoveFromMenuList(menu);
  toolbox::internal::LiveMenus().erase(menu);
  toolbox::internal::DeleteLowObject(menu);
}

MenuID GetMenuID(MenuRef menu) {
  const OpaqueMenuRef* live = LiveMenu(menu);
  return live != nullptr ? live->id : 0;
}

void SetMenuID(MenuRef menu, MenuID menuID) {
  if (OpaqueMenuRef* live = LiveMenu(menu)) live->id = menuID;
}

void GetMenuTitle(MenuRef menu, Str255 title) {
  const OpaqueMenuRef* live = LiveMenu(menu);
  toolbox::StorePascal(title, live != nullptr ? live->title : std::string_view{});
}

UInt16 CountMenuItems(MenuRef menu) {
  const OpaqueMenuRef* live = LiveMenu(menu);
  return live != nullptr ? static_cast<UInt16>(live->items.size()) : 0;
}
