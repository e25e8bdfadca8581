// QuickDraw's shared internals: the current port, the error word and the one
// place where drawing calls become display-list operations.
#pragma once

#include "toolbox/display_list.h"
#include "toolbox/quickdraw.h"

namespace toolbox::internal {

GrafPort& CurrentPort();
void SetQDError(OSErr err);

// The port's present state as an operation carries it.
DrawState CaptureState(const GrafPort& port);

// Stamps the operation with the current port's state and appends it to the
// port's display list and to the picture open on the port, if any.
void RecordOp(DrawOp op);

// Appends an operation that already carries its state (a picture being
// played). While the pen is hidden only an open picture receives it.
void AppendOp(DrawOp op);

// Clamps to the 16-bit coordinate range (sums of two coordinates may leave it).
SInt16 ClampCoordinate(long value);

}  // namespace toolbox::internal
