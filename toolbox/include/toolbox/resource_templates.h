// The stored forms of window, dialog, item list, menu and control templates
// ('WIND', 'DLOG', 'DITL', 'MENU', 'CNTL'), parsed into plain records.
//
// Resource data come from files and from callers, so every parser checks each
// field against the data before reading it and refuses (none) a template whose
// lengths or counts run past its data; nothing is read outside the input.
// Texts stay MacRoman.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "toolbox/mac_types.h"

namespace toolbox {

struct WindowTemplate {
  Rect bounds{};  // global content rectangle
  SInt16 procID = 0;
  bool visible = false;
  bool goAway = false;
  SInt32 refCon = 0;
  std::string title;
  std::optional<UInt16> positioning;  // present in newer templates
};

struct DialogTemplate {
  WindowTemplate window;
  SInt16 itemListID = 0;
};

struct DialogItemTemplate {
  Rect rect{};
  UInt8 kind = 0;  // the item kinds of dialogs.h, without kItemDisableBit
  bool enabled = true;
  std::string text;       // buttons, check boxes, radio buttons, static and edit text
  SInt16 resourceID = 0;  // resource controls, icons, pictures
};

struct MenuItemTemplate {
  std::string text;
  UInt8 icon = 0;
  UInt8 keyEquivalent = 0;  // 0x1B: the mark is a submenu's id
  UInt8 mark = 0;
  UInt8 style = 0;
};

struct MenuTemplate {
  SInt16 menuID = 0;
  SInt16 procID = 0;
  UInt32 enableFlags = 0;  // bit 0 the whole menu, bit n item n (items past 31 are enabled)
  std::string title;
  std::vector<MenuItemTemplate> items;
};

struct ControlTemplate {
  Rect bounds{};
  SInt16 value = 0;
  bool visible = false;
  SInt16 maximum = 0;
  SInt16 minimum = 0;
  SInt16 procID = 0;
  SInt32 refCon = 0;
  std::string title;
};

std::optional<WindowTemplate> ParseWindowTemplate(std::span<const unsigned char> data);
std::optional<DialogTemplate> ParseDialogTemplate(std::span<const unsigned char> data);
// Refuses a list whose items run past its data and items of unknown kinds or
// with too little data for their kind.
std::optional<std::vector<DialogItemTemplate>> ParseDialogItemList(std::span<const unsigned char> data);
// Refuses a menu whose title or items run past its data or that lacks the
// zero byte ending its items.
std::optional<MenuTemplate> ParseMenuTemplate(std::span<const unsigned char> data);
std::optional<ControlTemplate> ParseControlTemplate(std::span<const unsigned char> data);

}  // namespace toolbox
