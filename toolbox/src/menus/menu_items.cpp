// Adding, removing and changing the items of a menu.
#include <algorithm>

#include "menu_record.h"
#include "toolbox/pascal_string.h"

using toolbox::internal::LiveMenu;
using toolbox::internal::LiveMenuItem;
using toolbox::PascalView;

namespace {

constexpr std::size_t kMaxItems = 32767;

// Inserts items after `afterItem` (0: at the start; past the end: at the end).
void InsertItems(MenuRef menu, std::vector<MenuItemRecord> added, std::size_t afterItem) {
  OpaqueMenuRef* live = LiveMenu(menu);
  if (live == nullptr) return;
  auto& items = live->items;
  added.resize(std::min(added.size(), kMaxItems - std::min(kMaxItems, items.size())));
  const std::size_t at = std::min(afterItem, items.size());
  items.insert(items.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
}

}  // namespace

void AppendMenu(MenuRef menu, ConstStr255Param data) {
  InsertItems(menu, toolbox::internal::ParseMenuItems(PascalView(data)), kMaxItems);
}

void InsertMenuItem(MenuRef menu, ConstStr255Param itemString, MenuItemIndex afterItem) {
  InsertItems(menu, toolbox::internal::ParseMenuItems(PascalView(itemString)), afterItem);
}

OSStatus AppendMenuItemText(MenuRef menu, ConstStr255Param inString) {
  if (LiveMenu(menu) == nullptr || inString == nullptr) return paramErr;
  MenuItemRecord item;
  item.text = PascalView(inString);
  InsertItems(menu, {item}, kMaxItems);
  return noErr;
}

void DeleteMenuItem(MenuRef menu, MenuItemIndex item) {
  if (LiveMenuItem(menu, item) == nullptr) return;
  auto& items = menu->items;
  items.erase(items.begin() + (item - 1));
}

void SetMenuItemText(MenuRef menu, MenuItemIndex item, ConstStr255Param itemString) {
  if (MenuItemRecord* record = LiveMenuItem(menu, item)) record->text = PascalView(itemString);
}

void GetMenuItemText(MenuRef menu, MenuItemIndex item, Str255 itemString) {
  const MenuItemRecord* record = LiveMenuItem(menu, item);
  toolbox::StorePascal(itemString, record != nullptr ? record->text : std::string_view{});
}

namespace {

void SetEnabled(MenuRef menu, MenuItemIndex item, bool enabled) {
  if (item == 0) {
    if (OpaqueMenuRef* live = LiveMenu(menu)) live->enabled = enabled;
  } else if (MenuItemRecord* record = LiveMenuItem(menu, item)) {
    record->enabled = enabled;
  }
}

}  // namespace

void EnableMenuItem(MenuRef menu, MenuItemIndex item) { SetEnabled(menu, item, true); }
void DisableMenuItem(MenuRef menu, MenuItemIndex item) { SetEnabled(menu, item, false); }

bool IsMenuItemEnabled(MenuRef menu, MenuItemIndex item) {
  if (item == 0) {
    const OpaqueMenuRef* live = LiveMenu(menu);
    return live != nullptr && live->enabled;
  }
  const MenuItemRecord* record = LiveMenuItem(menu, item);
  return record != nullptr && record->enabled;
}

void CheckMenuItem(MenuRef menu, MenuItemIndex item, bool checked) {
  SetItemMark(menu, item, checked ? checkMark : noMark);
}

void SetItemMark(MenuRef menu, MenuItemIndex item, CharParameter markChar) {
  MenuItemRecord* record = LiveMenuItem(menu, item);
  // The mark of an item with a submenu holds the submenu's id.
  if (record != nullptr && record->keyEquivalent != hMenuCmd) record->mark = static_cast<UInt8>(markChar);
}

void GetItemMark(MenuRef menu, MenuItemIndex item, CharParameter* markChar) {
  const MenuItemRecord* record = LiveMenuItem(menu, item);
  *markChar = record != nullptr ? record->mark : UInt8{noMark};
}

void SetItemStyle(MenuRef menu, MenuItemIndex item, StyleParameter chStyle) {
  if (MenuItemRecord* record = LiveMenuItem(menu, item)) record->style = static_cast<Style>(chStyle);
}

void GetItemStyle(MenuRef menu, MenuItemIndex item, Style* chStyle) {
  const MenuItemRecord* record = LiveMenuItem(menu, item);
  *chStyle = record != nullptr ? record->style : Style{normal};
}

void GetItemCmd(MenuRef menu, MenuItemIndex item, CharParameter* cmdChar) {
  const MenuItemRecord* record = LiveMenuItem(menu, item);
  *cmdChar = record != nullptr ? record->keyEquivalent : 0;
}

void GetItemIcon(MenuRef menu, MenuItemIndex item, SInt16* iconIndex) {
  const MenuItemRecord* record = LiveMenuItem(menu, item);
  *iconIndex = record != nullptr ? record->icon : 0;
}
