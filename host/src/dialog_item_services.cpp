// Dialog item services: bounds (102), text (106, 107), enabling (109),
// control values (112, 113, 118, 192) and a pop-up's menu (191).
//
// Items are reached by number on a live dialog (dialog_items.h); a stale
// dialog or an item number it lacks changes nothing and reads as empty.
//   102  the item's rectangle, (0,0,0,0) for no item
//   106  text items take the text; buttons, check boxes and radio buttons
//        take it as their title; a pop-up shows its chosen item's text,
//        which its value selects, so it is left alone
//   107  a text item's text; a pop-up's chosen item's text; another
//        control's title
//   112  a check box or radio button is checked (value 1) or cleared (0)
//   113  a pop-up's chosen item (1-based); other items are left alone
//   118, 192  a control's value (a pop-up's: its chosen item), kept within
//        the control's minimum and maximum; 0 for items without one
// 110 has no use that any caller gives it; the host does nothing for it.
#include "dialog_items.h"
#include "host/service_table.h"
#include "vantor/services.h"

namespace host {
namespace {

Rect ItemRectService(void* dialog, std::int16_t item) {
  DialogRef ref = LiveDialog(dialog);
  Rect box{0, 0, 0, 0};
  if (ref != nullptr && item >= 1 && item <= CountDITL(ref)) GetDialogItem(ref, item, nullptr, nullptr, &box);
  return box;
}

void SetItemTextService(void* dialog, std::int16_t item, ConstStr255Param text) {
  if (text == nullptr) return;
  if (Handle handle = ItemTextHandle(dialog, item)) {
    SetDialogItemText(handle, text);
  } else if (ControlRef control = ItemControl(dialog, item);
             control != nullptr && GetControlPopupMenuHandle(control) == nullptr) {
    SetControlTitle(control, text);
  }
}

void GetItemTextService(Str255* out, void* dialog, std::int16_t item) {
  if (out == nullptr) return;
  (*out)[0] = 0;
  if (Handle handle = ItemTextHandle(dialog, item)) {
    GetDialogItemText(handle, *out);
  } else if (ControlRef control = ItemControl(dialog, item)) {
    if (MenuRef menu = GetControlPopupMenuHandle(control)) {
      GetMenuItemText(menu, static_cast<MenuItemIndex>(GetControlValue(control)), *out);
    } else {
      GetControlTitle(control, *out);
    }
  }
}

void EnableItemService(void* dialog, std::int16_t item, bool enable) {
  if (DialogRef ref = LiveDialog(dialog)) toolbox::SetDialogItemEnabled(ref, item, enable);
}

void DialogService110() {}

void SetItemCheckedService(void* dialog, std::int16_t item, bool checked) {
  if (ControlRef control = ItemControl(dialog, item)) SetControlValue(control, checked ? 1 : 0);
}

void SetPopUpValueService(void* dialog, std::int16_t item, std::int16_t value) {
  ControlRef control = ItemControl(dialog, item);
  if (control != nullptr && GetControlPopupMenuHandle(control) != nullptr) SetControlValue(control, value);
}

std::int16_t GetItemValueService(void* dialog, std::int16_t item) {
  ControlRef control = ItemControl(dialog, item);
  return control != nullptr ? GetControlValue(control) : 0;
}

void SetItemValueService(void* dialog, std::int16_t item, std::int16_t value) {
  if (ControlRef control = ItemControl(dialog, item)) SetControlValue(control, value);
}

void* ItemMenuService(void* dialog, std::int16_t item) {
  ControlRef control = ItemControl(dialog, item);
  return control != nullptr ? GetControlPopupMenuHandle(control) : nullptr;
}

}  // namespace

void InstallDialogItemServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<HostGetDialogItemRect>(table, &ItemRectService);
  vantor::SetService<HostSetDialogItemText>(table, &SetItemTextService);
  vantor::SetService<HostGetDialogItemText>(table, &GetItemTextService);
  vantor::SetService<HostEnableDialogItem>(table, &EnableItemService);
  vantor::SetService<HostService110>(table, &DialogService110);
  vantor::SetService<HostSetDialogItemChecked>(table, &SetItemCheckedService);
  vantor::SetService<HostService113>(table, &SetPopUpValueService);
  vantor::SetService<HostGetDialogItemValue>(table, &GetItemValueService);
  vantor::SetService<HostGetDialogItemMenu>(table, &ItemMenuService);
  vantor::SetService<HostSetDialogItemValue>(table, &SetItemValueService);
}

}  // namespace host
