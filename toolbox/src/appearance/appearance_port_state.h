// The drawing state of a port (pen, text, colours, clip) captured and put
// back: what theme drawing states hold, and what the Toolbox's own drawing
// (controls, dialogs, window frames) leaves as it found it.
#pragma once

#include "toolbox/quickdraw.h"

namespace toolbox::internal {

struct PortDrawingState {
  PenState pen{};
  SInt16 textFont = 0;
  SInt16 textSize = 0;
  Style textFace = 0;
  SInt16 textMode = 0;
  RGBColor foreColor{};
  RGBColor backColor{};
  Rect clip{};
};

PortDrawingState CaptureDrawingState(const GrafPort& port);
// Into the current port, through QuickDraw so that an open picture sees it.
void ApplyDrawingState(const PortDrawingState& state);

// Draws into a window's port for the scope's lifetime: makes the port
// current and, on leaving, puts back its drawing state and the previous port.
class DrawingInPort {
 public:
  explicit DrawingInPort(GrafPort& port);
  ~DrawingInPort();
  DrawingInPort(const DrawingInPort&) = delete;
  DrawingInPort& operator=(const DrawingInPort&) = delete;

 private:
  GrafPtr previous_ = nullptr;
  PortDrawingState saved_;
};

}  // namespace toolbox::internal
