#include "appearance_port_state.h"

namespace toolbox::internal {

PortDrawingState CaptureDrawingState(const GrafPort& port) {
  return PortDrawingState{PenState{port.pnLoc, port.pnSize, port.pnMode, port.pnPat},
                          port.txFont,
                          port.txSize,
                          port.txFace,
                          port.txMode,
                          port.rgbFgColor,
                          port.rgbBkColor,
                          port.clipRect};
}

void ApplyDrawingState(const PortDrawingState& state) {
  SetPenState(&state.pen);
  TextFont(state.textFont);
  TextSize(state.textSize);
  TextFace(state.textFace);
  TextMode(state.textMode);
  RGBForeColor(&state.foreColor);
  RGBBackColor(&state.backColor);
  ClipRect(&state.clip);
}

DrawingInPort::DrawingInPort(GrafPort& port) : saved_(CaptureDrawingState(port)) {
  GetPort(&previous_);
  SetPort(&port);
}

DrawingInPort::~DrawingInPort() {
  ApplyDrawingState(saved_);
  SetPort(previous_);
}

}  // namespace toolbox::internal
