// The Dialog Manager's dialog record: a window with items.
#pragma once

#include <vector>

#include "toolbox/dialogs.h"
#include "toolbox/memory.h"
#include "window_record.h"

namespace toolbox::internal {

struct DialogItem {
  DialogItemType kind = kUserDialogItem;  // without kItemDisableBit
  bool enabled = true;
  bool visible = true;
  Rect rect{};
  Handle text = nullptr;            // static and edit text
  ControlRef control = nullptr;     // buttons, check boxes, radio buttons, resource controls
  UserItemUPP procedure = nullptr;  // user items
  SInt16 resourceID = 0;            // icons and pictures
};

}  // namespace toolbox::internal

struct OpaqueDialogPtr : toolbox::internal::WindowRecord {
  OpaqueDialogPtr() = default;
  ~OpaqueDialogPtr() override;

  std::vector<toolbox::internal::DialogItem> items;
  DialogItemIndex defaultItem = kStdOkItemIndex;
  DialogItemIndex cancelItem = kStdCancelItemIndex;
  DialogItemIndex focusItem = 0;  // the edit text item with the keyboard focus
  SInt16 selectionStart = 0;
  SInt16 selectionEnd = 0;
};

namespace toolbox::internal {

// The dialog when it is live, null otherwise.
OpaqueDialogPtr* LiveDialog(DialogRef dialog);
// The item (1-based) of a live dialog, null when either is missing.
DialogItem* LiveDialogItem(DialogRef dialog, DialogItemIndex itemNo);
// Every live dialog, for finding which one holds a text handle.
std::vector<OpaqueDialogPtr*> LiveDialogs();

// A text item's text (MacRoman); empty for other items.
std::string ItemText(const DialogItem& item);
// Replaces a text handle's contents; false when memory runs out.
bool StoreText(Handle text, std::string_view value);
bool IsTextItem(const DialogItem& item);
bool IsItemEnabled(const DialogItem& item);
// The centre of the item's rectangle, local.
Point ItemCentre(const DialogItem& item);

}  // namespace toolbox::internal
