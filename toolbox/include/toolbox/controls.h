// Control Manager: a window's root control and its controls (push buttons,
// check boxes, radio buttons, pop-up buttons, and a plain framed kind for any
// other definition procedure), their values, titles, visibility and
// highlighting, drawing into the window's port, hit testing and tracking.
//
// A pop-up button made from a 'CNTL' resource reads its 'MENU' from the
// control's minimum (the platform's pop-up convention); the control then
// owns the menu, its value is the chosen item (1 initially), its minimum 1
// and its maximum the item count. Tracking a pop-up takes the user's choice
// from the script queue (script.h).
//
// Controls live in the low arena; calls given a disposed or foreign
// ControlRef do nothing (getters answer 0 or empty).
#pragma once

#include "toolbox/mac_types.h"
#include "toolbox/menus.h"
#include "toolbox/quickdraw.h"

struct OpaqueControlRef;
using ControlRef = OpaqueControlRef*;
using ControlHandle = ControlRef;
using ControlPartCode = SInt16;

enum : ControlPartCode {
  kControlNoPart = 0,
  kControlLabelPart = 1,
  kControlMenuPart = 2,
  kControlEditTextPart = 5,
  kControlButtonPart = 10,
  kControlCheckBoxPart = 11,
  kControlRadioButtonPart = 11,
  kControlIndicatorPart = 129,
  kControlDisabledPart = 254,
  kControlInactivePart = 255,
};

// Control definition procedures.
enum : SInt16 {
  pushButProc = 0,
  checkBoxProc = 1,
  radioButProc = 2,
  useWFont = 8,
  scrollBarProc = 16,
  kControlUserPaneProc = 256,
  kControlPushButtonProc = 368,
  kControlCheckBoxProc = 369,
  kControlRadioButtonProc = 370,
  kControlPopupButtonProc = 400,
  popupMenuProc = 1008,
};

enum : SInt16 {
  kControlCheckBoxUncheckedValue = 0,
  kControlCheckBoxCheckedValue = 1,
  kControlCheckBoxMixedValue = 2,
};

// MacErrors.h values.
enum : OSErr {
  errNoRootControl = -30586,
  errRootAlreadyExists = -30587,
};

OSErr CreateRootControl(WindowRef inWindow, ControlRef* outControl);
OSErr GetRootControl(WindowRef inWindow, ControlRef* outControl);

// Null for a bad window or when memory runs out.
ControlRef NewControl(WindowRef owningWindow, const Rect* boundsRect, ConstStr255Param controlTitle,
                      bool initiallyVisible, SInt16 initialValue, SInt16 minimumValue, SInt16 maximumValue,
                      SInt16 procID, SInt32 controlReference);
// Null when the 'CNTL' resource is missing or malformed.
ControlRef GetNewControl(SInt16 resourceID, WindowRef owningWindow);
void DisposeControl(ControlRef theControl);
// Every control of the window, the root included.
void KillControls(WindowRef theWindow);

void DrawControls(WindowRef theWindow);
void Draw1Control(ControlRef theControl);

// testPoint is local to the window. The part of the frontmost visible,
// active control under it; kControlNoPart (and a null control) otherwise.
ControlPartCode FindControl(Point testPoint, WindowRef theWindow, ControlRef* theControl);
ControlPartCode TestControl(ControlRef theControl, Point testPoint);
// The part the user released the mouse in: the part under startPoint for
// buttons, check boxes and radio buttons (their values are the caller's to
// change); for a pop-up button the scripted menu choice, which becomes its
// value (kControlMenuPart), or kControlNoPart when nothing was chosen.
// actionProc is accepted for the platform's signature and not called.
ControlPartCode TrackControl(ControlRef theControl, Point startPoint, void* actionProc);

SInt16 GetControlValue(ControlRef theControl);
// Values are kept within minimum..maximum.
void SetControlValue(ControlRef theControl, SInt16 newValue);
SInt16 GetControlMinimum(ControlRef theControl);
void SetControlMinimum(ControlRef theControl, SInt16 newMinimum);
SInt16 GetControlMaximum(ControlRef theControl);
void SetControlMaximum(ControlRef theControl, SInt16 newMaximum);
void GetControlTitle(ControlRef theControl, Str255 title);
void SetControlTitle(ControlRef theControl, ConstStr255Param title);
SInt32 GetControlReference(ControlRef theControl);
void SetControlReference(ControlRef theControl, SInt32 data);
WindowRef GetControlOwner(ControlRef theControl);

// 0 active, 255 (kControlInactivePart) inactive, a part code highlights it.
void HiliteControl(ControlRef theControl, ControlPartCode hiliteState);
bool IsControlActive(ControlRef inControl);
OSErr ActivateControl(ControlRef inControl);
OSErr DeactivateControl(ControlRef inControl);
bool IsControlVisible(ControlRef inControl);
void ShowControl(ControlRef theControl);
void HideControl(ControlRef theControl);
Rect* GetControlBounds(ControlRef control, Rect* bounds);
void SetControlBounds(ControlRef control, const Rect* bounds);

// The pop-up button's menu (null for other controls). Setting one makes the
// control own it (the previous one is disposed of) and sets the maximum to
// its item count.
MenuRef GetControlPopupMenuHandle(ControlRef control);
void SetControlPopupMenuHandle(ControlRef control, MenuRef popupMenu);

namespace toolbox {

bool IsLiveControl(ControlRef control);

}  // namespace toolbox
