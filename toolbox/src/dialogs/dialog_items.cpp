// Dialog items: kinds, rectangles, handles, texts, the keyboard focus and
// selection, visibility, enabled state, and the default and cancel items.
#include <algorithm>

#include "dialog_record.h"
#include "toolbox/pascal_string.h"

using toolbox::internal::DialogItem;
using toolbox::internal::LiveDialog;
using toolbox::internal::LiveDialogItem;

namespace toolbox::internal {

bool IsTextItem(const DialogItem& item) {
  return item.kind == kStaticTextDialogItem || item.kind == kEditTextDialogItem;
}

bool IsItemEnabled(const DialogItem& item) {
  return item.enabled && (item.control == nullptr || IsControlActive(item.control));
}

std::string ItemText(const DialogItem& item) {
  if (item.text == nullptr || *item.text == nullptr) return {};
  return std::string(*item.text, static_cast<std::size_t>(GetHandleSize(item.text)));
}

Point ItemCentre(const DialogItem& item) {
  return Point{static_cast<SInt16>((item.rect.top + item.rect.bottom) / 2),
               static_cast<SInt16>((item.rect.left + item.rect.right) / 2)};
}

}  // namespace toolbox::internal

namespace {

// The dialog holding a text handle and the item, when some live dialog does.
std::pair<OpaqueDialogPtr*, DialogItem*> OwnerOfText(Handle text) {
  for (OpaqueDialogPtr* d : toolbox::internal::LiveDialogs()) {
    for (DialogItem& item : d->items) {
      if (item.text == text) return {d, &item};
    }
  }
  return {nullptr, nullptr};
}

}  // namespace

DialogItemIndex CountDITL(DialogRef theDialog) {
  const OpaqueDialogPtr* d = LiveDialog(theDialog);
  return d != nullptr ? static_cast<DialogItemIndex>(d->items.size()) : 0;
}

void GetDialogItem(DialogRef theDialog, DialogItemIndex itemNo, DialogItemType* itemType, Handle* item, Rect* box) {
  const DialogItem* found = LiveDialogItem(theDialog, itemNo);
  if (itemType != nullptr) {
    *itemType =
        found == nullptr ? 0 : static_cast<DialogItemType>(found->kind | (found->enabled ? 0 : kItemDisableBit));
  }
  if (item != nullptr) {
    *item = nullptr;
    if (found != nullptr && found->control != nullptr) *item = reinterpret_cast<Handle>(found->control);
    if (found != nullptr && found->text != nullptr) *item = found->text;
    if (found != nullptr && found->kind == kUserDialogItem) *item = reinterpret_cast<Handle>(found->procedure);
  }
  if (box != nullptr) *box = found != nullptr ? found->rect : Rect{0, 0, 0, 0};
}

void SetDialogItem(DialogRef theDialog, DialogItemIndex itemNo, DialogItemType itemType, Handle item, const Rect* box) {
  DialogItem* found = LiveDialogItem(theDialog, itemNo);
  if (found == nullptr) return;
  found->enabled = (itemType & kItemDisableBit) == 0;
  if (box != nullptr) {
    found->rect = *box;
    SetControlBounds(found->control, box);
  }
  if (found->kind == kUserDialogItem) found->procedure = reinterpret_cast<UserItemUPP>(item);
  InvalWindowRect(GetDialogWindow(theDialog), &found->rect);
}

void GetDialogItemText(Handle item, Str255 text) {
  const auto control = reinterpret_cast<ControlRef>(item);
  if (toolbox::IsLiveControl(control)) {
    GetControlTitle(control, text);
  } else if (toolbox::IsLiveHandle(item) && *item != nullptr) {
    toolbox::StorePascal(text, {*item, static_cast<std::size_t>(GetHandleSize(item))});
  } else {
    text[0] = 0;
  }
}

void SetDialogItemText(Handle item, ConstStr255Param text) {
  const auto control = reinterpret_cast<ControlRef>(item);
  if (toolbox::IsLiveControl(control)) {
    SetControlTitle(control, text);
    Rect bounds{};
    InvalWindowRect(GetControlOwner(control), GetControlBounds(control, &bounds));
    return;
  }
  if (!toolbox::IsLiveHandle(item)) return;
  toolbox::internal::StoreText(item, toolbox::PascalView(text));
  const auto [dialog, textItem] = OwnerOfText(item);
  if (dialog == nullptr) return;
  const auto length = static_cast<SInt16>(GetHandleSize(item));
  if (dialog->focusItem > 0 && &dialog->items[static_cast<std::size_t>(dialog->focusItem - 1)] == textItem) {
    dialog->selectionStart = dialog->selectionEnd = length;
  }
  InvalWindowRect(dialog, &textItem->rect);
}

void SelectDialogItemText(DialogRef theDialog, DialogItemIndex itemNo, SInt16 strtSel, SInt16 endSel) {
  OpaqueDialogPtr* d = LiveDialog(theDialog);
  const DialogItem* item = LiveDialogItem(theDialog, itemNo);
  if (item == nullptr || item->kind != kEditTextDialogItem) return;
  const auto length = static_cast<SInt16>(GetHandleSize(item->text));
  d->focusItem = itemNo;
  d->selectionStart = std::clamp<SInt16>(strtSel, 0, length);
  d->selectionEnd = std::clamp<SInt16>(endSel, d->selectionStart, length);
}

DialogItemIndex GetDialogKeyboardFocusItem(DialogRef dialog) {
  const OpaqueDialogPtr* d = LiveDialog(dialog);
  return d != nullptr ? d->focusItem : 0;
}

OSErr GetDialogItemAsControl(DialogRef inDialog, SInt16 inItemNo, ControlRef* outControl) {
  const DialogItem* item = LiveDialogItem(inDialog, inItemNo);
  if (outControl != nullptr) *outControl = item != nullptr ? item->control : nullptr;
  if (item == nullptr) return paramErr;
  return item->control != nullptr ? OSErr{noErr} : OSErr{errItemNotControl};
}

DialogItemIndexZeroBased FindDialogItem(DialogRef theDialog, Point thePt) {
  const OpaqueDialogPtr* d = LiveDialog(theDialog);
  if (d == nullptr) return -1;
  const auto found = std::find_if(d->items.begin(), d->items.end(), [thePt](const DialogItem& item) {
    return item.visible && PtInRect(thePt, &item.rect);
  });
  return found == d->items.end() ? DialogItemIndexZeroBased{-1}
                                 : static_cast<DialogItemIndexZeroBased>(found - d->items.begin());
}

namespace {

void SetItemVisible(DialogRef theDialog, DialogItemIndex itemNo, bool visible) {
  DialogItem* item = LiveDialogItem(theDialog, itemNo);
  if (item == nullptr || item->visible == visible) return;
  item->visible = visible;
  if (visible) {
    ShowControl(item->control);
  } else {
    HideControl(item->control);
  }
  InvalWindowRect(GetDialogWindow(theDialog), &item->rect);
}

}  // namespace

void HideDialogItem(DialogRef theDialog, DialogItemIndex itemNo) { SetItemVisible(theDialog, itemNo, false); }
void ShowDialogItem(DialogRef theDialog, DialogItemIndex itemNo) { SetItemVisible(theDialog, itemNo, true); }

OSErr SetDialogDefaultItem(DialogRef theDialog, DialogItemIndex newItem) {
  OpaqueDialogPtr* d = LiveDialog(theDialog);
  if (d == nullptr) return paramErr;
  d->defaultItem = newItem;
  return noErr;
}

OSErr SetDialogCancelItem(DialogRef theDialog, DialogItemIndex newItem) {
  OpaqueDialogPtr* d = LiveDialog(theDialog);
  if (d == nullptr) return paramErr;
  d->cancelItem = newItem;
  return noErr;
}

DialogItemIndex GetDialogDefaultItem(DialogRef theDialog) {
  const OpaqueDialogPtr* d = LiveDialog(theDialog);
  return d != nullptr ? d->defaultItem : 0;
}

DialogItemIndex GetDialogCancelItem(DialogRef theDialog) {
  const OpaqueDialogPtr* d = LiveDialog(theDialog);
  return d != nullptr ? d->cancelItem : 0;
}

void toolbox::SetDialogItemEnabled(DialogRef dialog, DialogItemIndex itemNo, bool enabled) {
  DialogItem* item = LiveDialogItem(dialog, itemNo);
  if (item == nullptr) return;
  item->enabled = enabled;
  if (item->control != nullptr) {
    if (enabled) {
      ActivateControl(item->control);
    } else {
      DeactivateControl(item->control);
    }
  }
  InvalWindowRect(GetDialogWindow(dialog), &item->rect);
}

bool toolbox::IsDialogItemEnabled(DialogRef dialog, DialogItemIndex itemNo) {
  const DialogItem* item = LiveDialogItem(dialog, itemNo);
  return item != nullptr && toolbox::internal::IsItemEnabled(*item);
}
