// Drawing into pictures and dimmed areas: the port's state around drawing
// that must look the same whatever the window's theme state was.
#pragma once

#include "toolbox/appearance.h"
#include "toolbox/mac_types.h"

namespace spiro {

struct DrawingState {
  OSStatus status;            // non-zero when a theme call failed
  ThemeDrawingState theme;    // the saved theme state; null when none is held
  RGBColor background;        // the background colour, kept when status is set
};

// Saves the theme state and normalises it; when the theme cannot be used the
// background is saved and made white instead.
void SaveDrawingState(DrawingState& state);
// Undoes SaveDrawingState; the theme state is given back only once.
void RestoreDrawingState(DrawingState& state);
// Paints the rectangle over in the host's dimming colour, lightening what is
// drawn there; the pen and foreground colour are left as they were.
void DimRect(const Rect& rect);

}  // namespace spiro
