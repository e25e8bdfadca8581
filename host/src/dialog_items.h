// A dialog and its items as extensions name them through the service table:
// the dialog as a void* (what HostGetNewDialog handed out) and items by
// number. Anything that is not a live dialog or item comes back null, so a
// service given a stale dialog or a wrong item number does nothing.
#pragma once

#include "toolbox/controls.h"
#include "toolbox/dialogs.h"

namespace host {

inline DialogRef LiveDialog(void* dialog) {
  auto* ref = static_cast<DialogRef>(dialog);
  return toolbox::IsLiveDialog(ref) ? ref : nullptr;
}

// The control of a control item (button, check box, radio button, pop-up).
inline ControlRef ItemControl(void* dialog, DialogItemIndex item) {
  DialogRef ref = LiveDialog(dialog);
  ControlRef control = nullptr;
  if (ref == nullptr || GetDialogItemAsControl(ref, item, &control) != noErr) return nullptr;
  return control;
}

// The text handle of a static or edit text item.
inline Handle ItemTextHandle(void* dialog, DialogItemIndex item) {
  DialogRef ref = LiveDialog(dialog);
  if (ref == nullptr || item < 1 || item > CountDITL(ref)) return nullptr;
  DialogItemType type = 0;
  Handle handle = nullptr;
  GetDialogItem(ref, item, &type, &handle, nullptr);
  const DialogItemType kind = type & ~kItemDisableBit;
  return kind == kStaticTextDialogItem || kind == kEditTextDialogItem ? handle : nullptr;
}

}  // namespace host
