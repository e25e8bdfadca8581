// Finding the control under a point and tracking a click in it.
#include "control_record.h"
#include "toolbox/script.h"
#include "window_record.h"

using toolbox::internal::ControlKind;
using toolbox::internal::LiveControl;

namespace {

ControlPartCode PartOf(const OpaqueControlRef& c) {
  switch (c.kind) {
    case ControlKind::kPushButton: return kControlButtonPart;
    case ControlKind::kCheckBox: return kControlCheckBoxPart;
    case ControlKind::kRadioButton: return kControlRadioButtonPart;
    case ControlKind::kPopUp: return kControlMenuPart;
    case ControlKind::kOther: return kControlIndicatorPart;
    case ControlKind::kRoot: break;
  }
  return kControlNoPart;
}

SInt32 ChoosePopUpItem(OpaqueControlRef& c) {
  if (c.popupMenu == nullptr) return 0;
  Rect global = c.bounds;
  OffsetRect(&global, c.owner->port.globalOrigin.h, c.owner->port.globalOrigin.v);
  return PopUpMenuSelect(c.popupMenu, global.top, global.left, c.value);
}

}  // namespace

ControlPartCode TestControl(ControlRef theControl, Point testPoint) {
  const OpaqueControlRef* c = LiveControl(theControl);
  if (c == nullptr || !c->visible || c->hilite == kControlInactivePart || !PtInRect(testPoint, &c->bounds)) {
    return kControlNoPart;
  }
  return PartOf(*c);
}

ControlPartCode FindControl(Point testPoint, WindowRef theWindow, ControlRef* theControl) {
  if (theControl != nullptr) *theControl = nullptr;
  const toolbox::internal::WindowRecord* w = toolbox::internal::LiveWindow(theWindow);
  if (w == nullptr || !w->visible) return kControlNoPart;
  // Later controls are drawn over earlier ones, so they are asked first.
  for (auto c = w->controls.rbegin(); c != w->controls.rend(); ++c) {
    const ControlPartCode part = TestControl(*c, testPoint);
    if (part == kControlNoPart) continue;
    if (theControl != nullptr) *theControl = *c;
    return part;
  }
  return kControlNoPart;
}

ControlPartCode TrackControl(ControlRef theControl, Point startPoint, void* /*actionProc*/) {
  OpaqueControlRef* c = LiveControl(theControl);
  const ControlPartCode part = TestControl(theControl, startPoint);
  if (c == nullptr || part == kControlNoPart || c->kind != ControlKind::kPopUp) return part;
  const SInt32 choice = ChoosePopUpItem(*c);
  if (choice == 0) return kControlNoPart;
  c->value = static_cast<SInt16>(choice & 0xFFFF);
  toolbox::internal::ClampValue(*c);
  return kControlMenuPart;
}
