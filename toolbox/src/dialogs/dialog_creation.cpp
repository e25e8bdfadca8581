// Making dialogs from their templates, disposing of them, and the registry
// of live dialogs.
#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "dialog_record.h"
#include "low_objects.h"
#include "toolbox/pascal_string.h"
#include "template_resources.h"
#include "toolbox/resource_templates.h"
#include "window_positioning.h"

using toolbox::internal::DialogItem;
using toolbox::internal::LiveDialog;

namespace toolbox::internal {
namespace {

std::unordered_set<DialogRef>& Registry() {
  static std::unordered_set<DialogRef> dialogs;
  return dialogs;
}

SInt16 ProcOfKind(DialogItemType kind) {
  if (kind == kCheckBoxDialogItem) return checkBoxProc;
  if (kind == kRadioButtonDialogItem) return radioButProc;
  return pushButProc;
}

ControlRef MakeItemControl(OpaqueDialogPtr& d, const DialogItemTemplate& t) {
  if (t.kind == kResourceControlDialogItem) {
    ControlRef control = GetNewControl(t.resourceID, &d);
    SetControlBounds(control, &t.rect);  // the item's rectangle places the control
    return control;
  }
  Str255 title;
  toolbox::StorePascal(title, t.text);
  return NewControl(&d, &t.rect, title, true, 0, 0, 1, ProcOfKind(t.kind), 0);
}

// False when memory runs out.
bool AddItem(OpaqueDialogPtr& d, const DialogItemTemplate& t) {
  DialogItem item;
  item.kind = t.kind;
  item.enabled = t.enabled;
  item.rect = t.rect;
  item.resourceID = t.resourceID;
  if (t.kind == kStaticTextDialogItem || t.kind == kEditTextDialogItem) {
    item.text = NewHandle(0);
    if (item.text == nullptr || !StoreText(item.text, t.text)) {
      DisposeHandle(item.text);
      return false;
    }
  } else if (t.kind >= kButtonDialogItem && t.kind <= kResourceControlDialogItem) {
    item.control = MakeItemControl(d, t);
  }
  d.items.push_back(item);
  return true;
}

void FocusFirstEditText(OpaqueDialogPtr& d) {
  const auto first = std::find_if(d.items.begin(), d.items.end(),
                                  [](const DialogItem& item) { return item.kind == kEditTextDialogItem; });
  if (first == d.items.end()) return;
  SelectDialogItemText(&d, static_cast<DialogItemIndex>(first - d.items.begin() + 1), 0, 32767);
}

// Builds the dialog's window and items; null (everything undone) when memory runs out.
OpaqueDialogPtr* MakeDialog(const DialogTemplate& t, const std::vector<DialogItemTemplate>& items, WindowRef behind) {
  auto* d = NewLowObject<OpaqueDialogPtr>();
  const WindowTemplate& w = t.window;
  if (!InitWindow(*d, PositionedContent(w), w.title, w.visible, w.procID, behind, w.goAway, w.refCon)) {
    DeleteLowObject(d);
    return nullptr;
  }
  d->kind = kDialogWindowKind;
  Registry().insert(d);
  for (const DialogItemTemplate& item : items) {
    if (!AddItem(*d, item)) {
      DisposeDialog(d);
      SetMemError(memFullErr);
      return nullptr;
    }
  }
  FocusFirstEditText(*d);
  return d;
}

}  // namespace

OpaqueDialogPtr* LiveDialog(DialogRef dialog) { return Registry().count(dialog) != 0 ? dialog : nullptr; }

DialogItem* LiveDialogItem(DialogRef dialog, DialogItemIndex itemNo) {
  OpaqueDialogPtr* d = LiveDialog(dialog);
  if (d == nullptr || itemNo < 1 || static_cast<std::size_t>(itemNo) > d->items.size()) return nullptr;
  return &d->items[static_cast<std::size_t>(itemNo - 1)];
}

std::vector<OpaqueDialogPtr*> LiveDialogs() { return {Registry().begin(), Registry().end()}; }

bool StoreText(Handle text, std::string_view value) {
  // value may lie in a block that moves when this one is resized: copy it first.
  const std::string copy(value);
  SetHandleSize(text, static_cast<Size>(copy.size()));
  if (MemError() != noErr) return false;
  if (!copy.empty()) std::memcpy(*text, copy.data(), copy.size());
  return true;
}

}  // namespace toolbox::internal

OpaqueDialogPtr::~OpaqueDialogPtr() {
  for (const DialogItem& item : items) DisposeHandle(item.text);
  toolbox::internal::Registry().erase(this);
}

DialogRef GetNewDialog(SInt16 dialogID, void* /*dStorage*/, WindowRef behind) {
  using toolbox::internal::LoadTemplate;
  const auto dialog = LoadTemplate(FourCharCode("DLOG"), dialogID, toolbox::ParseDialogTemplate);
  if (!dialog) return nullptr;
  const auto items = LoadTemplate(FourCharCode("DITL"), dialog->itemListID, toolbox::ParseDialogItemList);
  if (!items) return nullptr;
  return toolbox::internal::MakeDialog(*dialog, *items, behind);
}

void DisposeDialog(DialogRef theDialog) {
  if (OpaqueDialogPtr* d = LiveDialog(theDialog)) toolbox::internal::DestroyWindow(d);
}

WindowRef GetDialogWindow(DialogRef dialog) { return LiveDialog(dialog); }

DialogRef GetDialogFromWindow(WindowRef window) {
  toolbox::internal::WindowRecord* w = toolbox::internal::LiveWindow(window);
  if (w == nullptr || w->kind != kDialogWindowKind) return nullptr;
  return LiveDialog(dynamic_cast<OpaqueDialogPtr*>(w));
}

CGrafPtr GetDialogPort(DialogRef dialog) {
  OpaqueDialogPtr* d = LiveDialog(dialog);
  return d != nullptr ? &d->port : nullptr;
}

bool toolbox::IsLiveDialog(DialogRef dialog) { return LiveDialog(dialog) != nullptr; }
