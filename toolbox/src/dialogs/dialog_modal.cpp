// ModalDialog over the script queue. Each action becomes the event a user
// would have made (a mouse-down at the item's centre, a key-down) and is
// offered to the filter first; what the filter leaves is handled as the
// platform's dialogs do. Actions that hit nothing (a disabled item, a click
// outside every item) are consumed and the next one is taken.
#include <algorithm>
#include <optional>

#include "dialog_record.h"
#include "toolbox/script.h"

using toolbox::ScriptAction;
using toolbox::ScriptActionKind;
using toolbox::internal::DialogItem;
using toolbox::internal::LiveDialogItem;

namespace {

using Hit = std::optional<DialogItemIndex>;

DialogRef DialogToRun() {
  if (DialogRef front = GetDialogFromWindow(FrontWindow())) return front;
  for (WindowRef w = GetWindowList(); w != nullptr; w = GetNextWindow(w)) {
    if (DialogRef d = GetDialogFromWindow(w)) return d;
  }
  return nullptr;
}

DialogItemIndex CancelAnswer(DialogRef d) {
  const DialogItemIndex cancel = GetDialogCancelItem(d);
  return cancel > 0 ? cancel : DialogItemIndex{kStdCancelItemIndex};
}

EventRecord MakeEvent(DialogRef d, EventKind what, UInt32 message, Point local) {
  // A filter may have left another port current: events carry global points.
  SetPortWindowPort(GetDialogWindow(d));
  LocalToGlobal(&local);
  return EventRecord{what, message, TickCount(), local, 0};
}

Hit Filtered(DialogRef d, EventRecord event, ModalFilterUPP filter) {
  DialogItemIndex hit = 0;
  if (filter != nullptr && InvokeModalFilterUPP(d, &event, &hit, filter)) return hit;
  return std::nullopt;
}

// What a click on the item does when no filter took it.
Hit ClickItem(DialogRef d, DialogItemIndex index) {
  const DialogItem* item = LiveDialogItem(d, index);
  if (item == nullptr || !item->visible || !toolbox::internal::IsItemEnabled(*item)) return std::nullopt;
  if (item->kind >= kButtonDialogItem && item->kind <= kResourceControlDialogItem) {
    if (item->control == nullptr ||
        TrackControl(item->control, toolbox::internal::ItemCentre(*item), nullptr) == kControlNoPart) {
      return std::nullopt;
    }
  } else if (item->kind == kEditTextDialogItem) {
    SelectDialogItemText(d, index, 32767, 32767);
  }
  return index;
}

// Types text over the focused edit item's selection.
Hit TypeIntoFocus(DialogRef d, const std::string& typed) {
  OpaqueDialogPtr* dialog = toolbox::internal::LiveDialog(d);
  DialogItem* item = LiveDialogItem(d, dialog->focusItem);
  if (item == nullptr || !item->visible || !toolbox::internal::IsItemEnabled(*item)) return std::nullopt;
  std::string text = toolbox::internal::ItemText(*item);
  // The text may have changed under the selection (a caller resizing the
  // item's handle): keep the selection inside it.
  const auto start = std::min(static_cast<std::size_t>(dialog->selectionStart), text.size());
  const auto end = std::clamp(static_cast<std::size_t>(dialog->selectionEnd), start, text.size());
  text.replace(start, end - start, typed);
  text.resize(std::min<std::size_t>(text.size(), 255));
  if (!toolbox::internal::StoreText(item->text, text)) return std::nullopt;
  dialog->selectionStart = dialog->selectionEnd = static_cast<SInt16>(std::min(start + typed.size(), text.size()));
  return dialog->focusItem;
}

Hit PressKey(DialogRef d, unsigned char key, ModalFilterUPP filter) {
  if (const Hit taken = Filtered(d, MakeEvent(d, keyDown, key, Point{0, 0}), filter)) return taken;
  if (key == kReturnCharCode || key == kEnterCharCode) {
    const DialogItemIndex item = GetDialogDefaultItem(d);
    return toolbox::IsDialogItemEnabled(d, item) ? Hit{item} : std::nullopt;
  }
  if (key == kEscapeCharCode) return CancelAnswer(d);
  if (key == kTabCharCode) return std::nullopt;
  return TypeIntoFocus(d, std::string(1, static_cast<char>(key)));
}

Hit TypeText(DialogRef d, DialogItemIndex index, const std::string& text) {
  const DialogItem* item = LiveDialogItem(d, index);
  if (item == nullptr || item->kind != kEditTextDialogItem) return std::nullopt;
  SelectDialogItemText(d, index, 0, 32767);
  return TypeIntoFocus(d, text);
}

Hit Perform(DialogRef d, const ScriptAction& action, ModalFilterUPP filter) {
  switch (action.kind) {
    case ScriptActionKind::kItemHit: {
      const DialogItem* item = LiveDialogItem(d, action.item);
      if (item == nullptr) return std::nullopt;
      if (const Hit taken = Filtered(d, MakeEvent(d, mouseDown, 0, toolbox::internal::ItemCentre(*item)), filter))
        return taken;
      return ClickItem(d, action.item);
    }
    case ScriptActionKind::kClick: {
      if (const Hit taken = Filtered(d, MakeEvent(d, mouseDown, 0, action.point), filter)) return taken;
      return ClickItem(d, static_cast<DialogItemIndex>(FindDialogItem(d, action.point) + 1));
    }
    case ScriptActionKind::kKey:
      return PressKey(d, static_cast<unsigned char>(action.text.empty() ? 0 : action.text[0]), filter);
    case ScriptActionKind::kTypeText: return TypeText(d, action.item, action.text);
    default: return std::nullopt;
  }
}

}  // namespace

void ModalDialog(ModalFilterUPP modalFilter, DialogItemIndex* itemHit) {
  if (itemHit == nullptr) return;
  const DialogRef d = DialogToRun();
  if (d == nullptr) {
    *itemHit = kStdCancelItemIndex;
    return;
  }
  WindowRef window = GetDialogWindow(d);
  SetPortWindowPort(window);
  if (toolbox::WindowNeedsUpdate(window)) {
    BeginUpdate(window);
    DrawDialog(d);
    EndUpdate(window);
  }
  for (;;) {
    const auto action = toolbox::TakeScriptAction(
        {ScriptActionKind::kItemHit, ScriptActionKind::kClick, ScriptActionKind::kKey, ScriptActionKind::kTypeText});
    if (!action) {
      *itemHit = CancelAnswer(d);
      return;
    }
    const Hit hit = Perform(d, *action, modalFilter);
    if (!toolbox::IsLiveDialog(d)) {  // a filter disposed of it
      *itemHit = hit.value_or(DialogItemIndex{kStdCancelItemIndex});
      return;
    }
    if (hit) {
      Rect all{};
      InvalWindowRect(window, GetWindowPortBounds(window, &all));
      *itemHit = *hit;
      return;
    }
  }
}
