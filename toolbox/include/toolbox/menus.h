// Menu Manager: menus from 'MENU' resources or built at run time, their items
// (text, icon, key equivalent, mark, style, enabled state), the menu list
// (the menu bar and the pop-up and submenu list) and pop-up menu selection.
//
// Menus are objects of the Toolbox, not resource handles: GetMenu makes a new
// menu from the resource each time, and DetachResource or ReleaseResource on
// a MenuRef is refused by the Resource Manager without harm. Calls given a
// disposed or foreign MenuRef, or an item number the menu lacks, do nothing
// (getters answer empty values). Texts are MacRoman.
//
// Nothing is drawn: PopUpMenuSelect takes the user's choice from the script
// queue (script.h); an exhausted script chooses nothing.
#pragma once

#include "toolbox/mac_types.h"
#include "toolbox/quickdraw_types.h"

struct OpaqueMenuRef;
using MenuRef = OpaqueMenuRef*;
using MenuHandle = MenuRef;
using MenuID = SInt16;
using MenuItemIndex = UInt16;
using CharParameter = SInt16;

enum : MenuID {
  hierMenu = -1,  // InsertMenu's beforeID for the pop-up and submenu list
};

// Item marks and key equivalents with a meaning of their own.
enum : UInt8 {
  noMark = 0,
  checkMark = 0x12,
  hMenuCmd = 0x1B,  // key equivalent of an item with a submenu
};

MenuRef NewMenu(MenuID menuID, ConstStr255Param menuTitle);
// Null when the resource is missing or malformed (a title or item running
// past the data, no terminating byte).
MenuRef GetMenu(SInt16 resourceID);
void DisposeMenu(MenuRef menu);

MenuID GetMenuID(MenuRef menu);
void SetMenuID(MenuRef menu, MenuID menuID);
void GetMenuTitle(MenuRef menu, Str255 title);
UInt16 CountMenuItems(MenuRef menu);

// Items from text with the platform's metacharacters: ';' or return separate
// items, '^' icon, '!' mark, '<' style (B I U O S), '/' key equivalent, '('
// disabled; an item "-" (or starting "(-") is a disabled separator.
void AppendMenu(MenuRef menu, ConstStr255Param data);
void InsertMenuItem(MenuRef menu, ConstStr255Param itemString, MenuItemIndex afterItem);
// One item with exactly this text (no metacharacters); paramErr for a bad menu.
OSStatus AppendMenuItemText(MenuRef menu, ConstStr255Param inString);
void DeleteMenuItem(MenuRef menu, MenuItemIndex item);

void SetMenuItemText(MenuRef menu, MenuItemIndex item, ConstStr255Param itemString);
void GetMenuItemText(MenuRef menu, MenuItemIndex item, Str255 itemString);
// Item 0 is the whole menu.
void EnableMenuItem(MenuRef menu, MenuItemIndex item);
void DisableMenuItem(MenuRef menu, MenuItemIndex item);
bool IsMenuItemEnabled(MenuRef menu, MenuItemIndex item);
void CheckMenuItem(MenuRef menu, MenuItemIndex item, bool checked);
void SetItemMark(MenuRef menu, MenuItemIndex item, CharParameter markChar);
void GetItemMark(MenuRef menu, MenuItemIndex item, CharParameter* markChar);
void SetItemStyle(MenuRef menu, MenuItemIndex item, StyleParameter chStyle);
void GetItemStyle(MenuRef menu, MenuItemIndex item, Style* chStyle);
void GetItemCmd(MenuRef menu, MenuItemIndex item, CharParameter* cmdChar);
void GetItemIcon(MenuRef menu, MenuItemIndex item, SInt16* iconIndex);

// The menu list. beforeID 0 appends to the menu bar, hierMenu (-1) puts the
// menu in the pop-up and submenu list, any other id inserts before that menu
// of the bar (at its end when absent). A menu whose id is in the list
// already is not inserted again.
void InsertMenu(MenuRef menu, MenuID beforeID);
void DeleteMenu(MenuID menuID);
MenuRef GetMenuHandle(MenuID menuID);
void ClearMenuBar();

// The choice as (menu id << 16) | item, or 0 when nothing was chosen: the
// script dismissed the menu, named an item the menu lacks or a disabled item,
// or the menu itself is disabled. top/left (global) and popUpItem only place
// the menu on a screen; they do not change the choice.
SInt32 PopUpMenuSelect(MenuRef menu, SInt16 top, SInt16 left, SInt16 popUpItem);

namespace toolbox {

bool IsMenuInList(MenuRef menu);
// True for a MenuRef that has been made and not disposed.
bool IsLiveMenu(MenuRef menu);

}  // namespace toolbox
