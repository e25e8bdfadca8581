// Making and disposing of controls, the root control, and the registry of
// live controls.
#include <algorithm>
#include <unordered_set>

#include "control_record.h"
#include "low_objects.h"
#include "toolbox/pascal_string.h"
#include "template_resources.h"
#include "toolbox/resource_templates.h"
#include "window_record.h"

using toolbox::internal::ControlKind;
using toolbox::internal::LiveControl;
using toolbox::internal::LiveWindow;
using toolbox::internal::WindowRecord;

namespace toolbox::internal {
namespace {

std::unordered_set<ControlRef>& LiveControls() {
  static std::unordered_set<ControlRef> controls;
  return controls;
}

// The platform's pop-up convention: the minimum names the 'MENU'; the control
// then ranges over the menu's items, starting at the first.
void SetUpPopUp(OpaqueControlRef& c) {
  c.popupTitleWidth = c.maximum;
  c.popupMenu = GetMenu(c.minimum);
  const SInt16 count = static_cast<SInt16>(CountMenuItems(c.popupMenu));
  c.minimum = count > 0 ? 1 : 0;
  c.maximum = count;
  c.value = c.minimum;
}

ControlRef MakeControl(WindowRecord& owner, ControlKind kind) {
  auto* c = NewLowObject<OpaqueControlRef>();
  c->owner = &owner;
  c->kind = kind;
  LiveControls().insert(c);
  return c;
}

void DestroyControl(ControlRef c) {
  DisposeMenu(c->popupMenu);
  LiveControls().erase(c);
  DeleteLowObject(c);
}

}  // namespace

ControlKind KindOfProc(SInt16 procID) {
  switch (procID) {
    case kControlPushButtonProc: return ControlKind::kPushButton;
    case kControlCheckBoxProc: return ControlKind::kCheckBox;
    case kControlRadioButtonProc: return ControlKind::kRadioButton;
    default: break;
  }
  if (procID >= 0 && procID < 16) {  // the classic button definition; useWFont changes nothing here
    switch (procID & 7) {
      case pushButProc: return ControlKind::kPushButton;
      case checkBoxProc: return ControlKind::kCheckBox;
      case radioButProc: return ControlKind::kRadioButton;
      default: break;
    }
  }
  if (procID / 16 == popupMenuProc / 16 || procID / 16 == kControlPopupButtonProc / 16) return ControlKind::kPopUp;
  return ControlKind::kOther;
}

OpaqueControlRef* LiveControl(ControlRef control) { return LiveControls().count(control) != 0 ? control : nullptr; }

void ClampValue(OpaqueControlRef& c) { c.value = std::max(c.minimum, std::min(c.value, c.maximum)); }

}  // namespace toolbox::internal

OSErr CreateRootControl(WindowRef inWindow, ControlRef* outControl) {
  WindowRecord* w = LiveWindow(inWindow);
  if (w == nullptr) return paramErr;
  if (w->rootControl != nullptr) {
    if (outControl != nullptr) *outControl = w->rootControl;
    return errRootAlreadyExists;
  }
  w->rootControl = toolbox::internal::MakeControl(*w, ControlKind::kRoot);
  w->rootControl->procID = kControlUserPaneProc;
  w->rootControl->bounds = w->port.portRect;
  if (outControl != nullptr) *outControl = w->rootControl;
  return noErr;
}

OSErr GetRootControl(WindowRef inWindow, ControlRef* outControl) {
  const WindowRecord* w = LiveWindow(inWindow);
  if (outControl != nullptr) *outControl = w != nullptr ? w->rootControl : nullptr;
  if (w == nullptr) return paramErr;
  return w->rootControl != nullptr ? OSErr{noErr} : OSErr{errNoRootControl};
}

ControlRef NewControl(WindowRef owningWindow, const Rect* boundsRect, ConstStr255Param controlTitle,
                      bool initiallyVisible, SInt16 initialValue, SInt16 minimumValue, SInt16 maximumValue,
                      SInt16 procID, SInt32 controlReference) {
  WindowRecord* w = LiveWindow(owningWindow);
  if (w == nullptr || boundsRect == nullptr) return nullptr;
  ControlRef c = toolbox::internal::MakeControl(*w, toolbox::internal::KindOfProc(procID));
  c->procID = procID;
  c->bounds = *boundsRect;
  c->title = toolbox::PascalView(controlTitle);
  c->visible = initiallyVisible;
  c->value = initialValue;
  c->minimum = minimumValue;
  c->maximum = maximumValue;
  c->refCon = controlReference;
  if (c->kind == ControlKind::kPopUp) toolbox::internal::SetUpPopUp(*c);
  toolbox::internal::ClampValue(*c);
  w->controls.push_back(c);
  return c;
}

ControlRef GetNewControl(SInt16 resourceID, WindowRef owningWindow) {
  const auto t = toolbox::internal::LoadTemplate(FourCharCode("CNTL"), resourceID, toolbox::ParseControlTemplate);
  if (!t || LiveWindow(owningWindow) == nullptr) return nullptr;
  Str255 title;
  toolbox::StorePascal(title, t->title);
  return NewControl(owningWindow, &t->bounds, title, t->visible, t->value, t->minimum, t->maximum, t->procID,
                    t->refCon);
}

void DisposeControl(ControlRef theControl) {
  OpaqueControlRef* c = LiveControl(theControl);
  if (c == nullptr) return;
  WindowRecord* w = LiveWindow(c->owner);
  if (w != nullptr && w->rootControl == c) {
    // The root embeds every other control: they go with it.
    KillControls(w);
    return;
  }
  if (w != nullptr) w->controls.erase(std::remove(w->controls.begin(), w->controls.end(), c), w->controls.end());
  toolbox::internal::DestroyControl(c);
}

void KillControls(WindowRef theWindow) {
  WindowRecord* w = LiveWindow(theWindow);
  if (w == nullptr) return;
  for (ControlRef c : w->controls) toolbox::internal::DestroyControl(c);
  w->controls.clear();
  if (w->rootControl != nullptr) toolbox::internal::DestroyControl(w->rootControl);
  w->rootControl = nullptr;
}

bool toolbox::IsLiveControl(ControlRef control) { return LiveControl(control) != nullptr; }
