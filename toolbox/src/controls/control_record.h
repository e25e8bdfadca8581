// The Control Manager's control objects.
#pragma once

#include <string>

#include "toolbox/controls.h"

namespace toolbox::internal {

enum class ControlKind { kRoot, kPushButton, kCheckBox, kRadioButton, kPopUp, kOther };

ControlKind KindOfProc(SInt16 procID);

}  // namespace toolbox::internal

// Lives in the low arena: its address may travel in the host's 32-bit fields.
struct OpaqueControlRef {
  WindowRef owner = nullptr;
  toolbox::internal::ControlKind kind = toolbox::internal::ControlKind::kOther;
  SInt16 procID = 0;
  Rect bounds{};      // local to the owner's port
  std::string title;  // MacRoman
  SInt16 value = 0;
  SInt16 minimum = 0;
  SInt16 maximum = 0;
  SInt32 refCon = 0;
  bool visible = true;
  UInt8 hilite = 0;             // 0 active, 255 inactive, otherwise the highlighted part
  MenuRef popupMenu = nullptr;  // owned
  SInt16 popupTitleWidth = 0;   // pixels left of the pop-up button for the title
};

namespace toolbox::internal {

// The control when it is live, null otherwise.
OpaqueControlRef* LiveControl(ControlRef control);
void DrawControl(const OpaqueControlRef& control);
// Keeps the value within the control's range.
void ClampValue(OpaqueControlRef& control);

}  // namespace toolbox::internal
