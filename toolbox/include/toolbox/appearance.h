// Appearance Manager, the part about the current port's drawing state:
// saving and restoring it (pen, text font, size, face and mode, colours,
// clip), putting it into the normal state the theme draws with, and the
// theme's text colours.
#pragma once

#include "toolbox/mac_types.h"
#include "toolbox/quickdraw.h"

struct OpaqueThemeDrawingState;
using ThemeDrawingState = OpaqueThemeDrawingState*;
using ThemeTextColor = SInt16;

enum : ThemeTextColor {
  kThemeTextColorDialogActive = 1,
  kThemeTextColorDialogInactive = 2,
  kThemeTextColorAlertActive = 3,
  kThemeTextColorAlertInactive = 4,
  kThemeTextColorModelessDialogActive = 5,
  kThemeTextColorModelessDialogInactive = 6,
  kThemeTextColorWindowHeaderActive = 7,
  kThemeTextColorWindowHeaderInactive = 8,
  kThemeTextColorBlack = -1,
  kThemeTextColorWhite = -2,
};

// Captures the current port's drawing state into a new state object (a
// Memory Manager pointer, so it fails with memFullErr like any allocation).
OSStatus GetThemeDrawingState(ThemeDrawingState* outState);
// Puts the state back into the current port; disposes of it when asked.
// paramErr for a state that is not live.
OSStatus SetThemeDrawingState(ThemeDrawingState inState, bool inDisposeNow);
OSStatus DisposeThemeDrawingState(ThemeDrawingState inState);
// Normal pen, black on white, text mode srcOr.
OSStatus NormalizeThemeDrawingState();
// Active colours (odd values and black) are black; inactive ones (even
// values) grey, or black on a device without colour or below 4 bits; white
// is white. paramErr for other values.
OSStatus GetThemeTextColor(ThemeTextColor inColor, SInt16 inDepth, bool inIsColorDevice, RGBColor* outColor);
// Makes that colour the current port's foreground colour.
OSStatus SetThemeTextColor(ThemeTextColor inColor, SInt16 inDepth, bool inIsColorDevice);
