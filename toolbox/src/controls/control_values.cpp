// A control's value and range, title, reference value, highlighting,
// visibility, bounds and pop-up menu.
#include "control_record.h"
#include "toolbox/pascal_string.h"

using toolbox::internal::LiveControl;

namespace {

constexpr UInt8 kInactive = kControlInactivePart;

}  // namespace

SInt16 GetControlValue(ControlRef theControl) {
  const OpaqueControlRef* c = LiveControl(theControl);
  return c != nullptr ? c->value : 0;
}

void SetControlValue(ControlRef theControl, SInt16 newValue) {
  if (OpaqueControlRef* c = LiveControl(theControl)) {
    c->value = newValue;
    toolbox::internal::ClampValue(*c);
  }
}

SInt16 GetControlMinimum(ControlRef theControl) {
  const OpaqueControlRef* c = LiveControl(theControl);
  return c != nullptr ? c->minimum : 0;
}

void SetControlMinimum(ControlRef theControl, SInt16 newMinimum) {
  if (OpaqueControlRef* c = LiveControl(theControl)) {
    c->minimum = newMinimum;
    toolbox::internal::ClampValue(*c);
  }
}

SInt16 GetControlMaximum(ControlRef theControl) {
  const OpaqueControlRef* c = LiveControl(theControl);
  return c != nullptr ? c->maximum : 0;
}

void SetControlMaximum(ControlRef theControl, SInt16 newMaximum) {
  if (OpaqueControlRef* c = LiveControl(theControl)) {
    c->maximum = newMaximum;
    toolbox::internal::ClampValue(*c);
  }
}

void GetControlTitle(ControlRef theControl, Str255 title) {
  const OpaqueControlRef* c = LiveControl(theControl);
  toolbox::StorePascal(title, c != nullptr ? c->title : std::string_view{});
}

void SetControlTitle(ControlRef theControl, ConstStr255Param title) {
  if (OpaqueControlRef* c = LiveControl(theControl)) c->title = toolbox::PascalView(title);
}

SInt32 GetControlReference(ControlRef theControl) {
  const OpaqueControlRef* c = LiveControl(theControl);
  return c != nullptr ? c->refCon : 0;
}

void SetControlReference(ControlRef theControl, SInt32 data) {
  if (OpaqueControlRef* c = LiveControl(theControl)) c->refCon = data;
}

WindowRef GetControlOwner(ControlRef theControl) {
  const OpaqueControlRef* c = LiveControl(theControl);
  return c != nullptr ? c->owner : nullptr;
}

void HiliteControl(ControlRef theControl, ControlPartCode hiliteState) {
  if (OpaqueControlRef* c = LiveControl(theControl)) c->hilite = static_cast<UInt8>(hiliteState);
}

bool IsControlActive(ControlRef inControl) {
  const OpaqueControlRef* c = LiveControl(inControl);
  return c != nullptr && c->hilite != kInactive;
}

OSErr ActivateControl(ControlRef inControl) {
  OpaqueControlRef* c = LiveControl(inControl);
  if (c == nullptr) return paramErr;
  c->hilite = 0;
  return noErr;
}

OSErr DeactivateControl(ControlRef inControl) {
  OpaqueControlRef* c = LiveControl(inControl);
  if (c == nullptr) return paramErr;
  c->hilite = kInactive;
  return noErr;
}

bool IsControlVisible(ControlRef inControl) {
  const OpaqueControlRef* c = LiveControl(inControl);
  return c != nullptr && c->visible;
}

void ShowControl(ControlRef theControl) {
  if (OpaqueControlRef* c = LiveControl(theControl)) c->visible = true;
}

void HideControl(ControlRef theControl) {
  if (OpaqueControlRef* c = LiveControl(theControl)) c->visible = false;
}

Rect* GetControlBounds(ControlRef control, Rect* bounds) {
  const OpaqueControlRef* c = LiveControl(control);
  if (bounds != nullptr) *bounds = c != nullptr ? c->bounds : Rect{0, 0, 0, 0};
  return bounds;
}

void SetControlBounds(ControlRef control, const Rect* bounds) {
  OpaqueControlRef* c = LiveControl(control);
  if (c != nullptr && bounds != nullptr) c->bounds = *bounds;
}

MenuRef GetControlPopupMenuHandle(ControlRef control) {
  const OpaqueControlRef* c = LiveControl(control);
  return c != nullptr ? c->popupMenu : nullptr;
}

void SetControlPopupMenuHandle(ControlRef control, MenuRef popupMenu) {
  OpaqueControlRef* c = LiveControl(control);
  if (c == nullptr || c->kind != toolbox::internal::ControlKind::kPopUp || c->popupMenu == popupMenu) return;
  DisposeMenu(c->popupMenu);
  c->popupMenu = toolbox::IsLiveMenu(popupMenu) ? popupMenu : nullptr;
  const auto count = static_cast<SInt16>(CountMenuItems(c->popupMenu));
  c->minimum = count > 0 ? 1 : 0;
  c->maximum = count;
  toolbox::internal::ClampValue(*c);
}
