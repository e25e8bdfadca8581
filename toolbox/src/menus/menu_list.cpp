// The menu list (bar and pop-up list) and pop-up menu selection.
#include <algorithm>
#include <vector>

#include "menu_record.h"
#include "toolbox/script.h"

namespace {

struct MenuList {
  std::vector<MenuRef> bar;    // left to right
  std::vector<MenuRef> popUp;  // pop-up menus and submenus
};

MenuList& List() {
  static MenuList list;
  return list;
}

bool Contains(const std::vector<MenuRef>& menus, MenuRef menu) {
  return std::find(menus.begin(), menus.end(), menu) != menus.end();
}

MenuRef FindById(const std::vector<MenuRef>& menus, MenuID id) {
  const auto found = std::find_if(menus.begin(), menus.end(), [id](MenuRef m) { return m->id == id; });
  return found == menus.end() ? nullptr : *found;
}

// The item the scripted choice names, 0 when it names none.
MenuItemIndex ChosenItem(const OpaqueMenuRef& menu, const toolbox::ScriptAction& choice) {
  if (choice.item != 0 || choice.text.empty()) return static_cast<MenuItemIndex>(std::max<SInt16>(choice.item, 0));
  const auto found = std::find_if(menu.items.begin(), menu.items.end(),
                                  [&choice](const MenuItemRecord& item) { return item.text == choice.text; });
  return found == menu.items.end() ? 0 : static_cast<MenuItemIndex>(found - menu.items.begin() + 1);
}

}  // namespace

void toolbox::internal::RemoveFromMenuList(MenuRef menu) {
  for (auto* menus : {&List().bar, &List().popUp})
    menus->erase(std::remove(menus->begin(), menus->end(), menu), menus->end());
}

bool toolbox::IsMenuInList(MenuRef menu) { return Contains(List().bar, menu) || Contains(List().popUp, menu); }

void InsertMenu(MenuRef menu, MenuID beforeID) {
  if (toolbox::internal::LiveMenu(menu) == nullptr || GetMenuHandle(menu->id) != nullptr) return;
  MenuList& list = List();
  if (beforeID == hierMenu) {
    list.popUp.push_back(menu);
    return;
  }
  const auto before =
      std::find_if(list.bar.begin(), list.bar.end(), [beforeID](MenuRef m) { return m->id == beforeID; });
  list.bar.insert(beforeID == 0 ? list.bar.end() : before, menu);
}

void DeleteMenu(MenuID menuID) {
  if (MenuRef menu = GetMenuHandle(menuID)) toolbox::internal::RemoveFromMenuList(menu);
}

MenuRef GetMenuHandle(MenuID menuID) {
  if (MenuRef inBar = FindById(List().bar, menuID)) return inBar;
  return FindById(List().popUp, menuID);
}

void ClearMenuBar() { List().bar.clear(); }

SInt32 PopUpMenuSelect(MenuRef menu, SInt16 /*top*/, SInt16 /*left*/, SInt16 /*popUpItem*/) {
  const OpaqueMenuRef* live = toolbox::internal::LiveMenu(menu);
  if (live == nullptr) return 0;
  const auto choice = toolbox::TakeScriptAction({toolbox::ScriptActionKind::kMenuChoice});
  if (!choice || !live->enabled) return 0;
  const MenuItemIndex item = ChosenItem(*live, *choice);
  if (item == 0 || item > live->items.size() || !live->items[item - 1u].enabled) return 0;
  return static_cast<SInt32>((static_cast<UInt32>(static_cast<UInt16>(live->id)) << 16) | item);
}
