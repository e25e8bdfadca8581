#include "extension/drawing_state.h"

#include "frame/host_services_drawing.h"
#include "toolbox/quickdraw.h"

namespace spiro {

void SaveDrawingState(DrawingState& state) {
  state.theme = nullptr;
  state.status = GetThemeDrawingState(&state.theme);
  if (state.status == noErr) state.status = NormalizeThemeDrawingState();
  if (state.status != noErr) {
    GetBackColor(&state.background);
    BackColor(whiteColor);
  }
}

void RestoreDrawingState(DrawingState& state) {
  if (state.theme != nullptr) {
    SetThemeDrawingState(state.theme, true);
    state.theme = nullptr;
  }
  if (state.status != noErr) RGBBackColor(&state.background);
}

void DimRect(const Rect& rect) {
  RGBColor foreground;
  GetForeColor(&foreground);
  HostService68();
  PenMode(addMax);
  PaintRect(&rect);
  PenNormal();
  RGBForeColor(&foreground);
}

}  // namespace spiro
