// Where drawing calls become operations: the port state is stamped on each,
// the port's display list and any open picture receive it.
#include <utility>

#include "picture_recorder.h"
#include "quickdraw_internal.h"

namespace toolbox::internal {
namespace {

// Erasing everything the port shows makes what came before invisible, so the
// list starts afresh and a window redrawn many times does not grow.
bool ErasesWholePort(const GrafPort& port, const DrawOp& op) {
  if (op.kind != DrawKind::kEraseRect || EmptyRect(&port.portRect)) return false;
  Rect erased;
  if (!SectRect(&op.rect, &op.state.clip, &erased)) return false;
  Rect covered;
  UnionRect(&erased, &port.portRect, &covered);
  return covered == erased;
}

}  // namespace

DrawState CaptureState(const GrafPort& port) {
  DrawState state;
  state.clip = port.clipRect;
  state.penSize = port.pnSize;
  state.penMode = port.pnMode;
  state.penPattern = port.pnPat;
  state.foreColor = port.rgbFgColor;
  state.backColor = port.rgbBkColor;
  state.textFont = port.txFont;
  state.textSize = port.txSize;
  state.textFace = port.txFace;
  state.textMode = port.txMode;
  return state;
}

void RecordOp(DrawOp op) {
  op.state = CaptureState(CurrentPort());
  AppendOp(std::move(op));
}

void AppendOp(DrawOp op) {
  GrafPort& port = CurrentPort();
  if (port.picture != nullptr) port.picture->Record(op);
  if (port.pnVis < 0) return;
  if (ErasesWholePort(port, op)) port.displayList.ops.clear();
  port.displayList.ops.push_back(std::move(op));
}

}  // namespace toolbox::internal

namespace toolbox {

bool IsRectShape(DrawKind kind) {
  return kind >= DrawKind::kFrameRect && kind <= DrawKind::kFillRect;
}

bool IsOvalShape(DrawKind kind) {
  return kind >= DrawKind::kFrameOval && kind <= DrawKind::kFillOval;
}

bool IsRoundRectShape(DrawKind kind) {
  return kind >= DrawKind::kFrameRoundRect && kind <= DrawKind::kFillRoundRect;
}

bool IsShape(DrawKind kind) { return IsRectShape(kind) || IsOvalShape(kind) || IsRoundRectShape(kind); }

DrawKind ShapeVerb(DrawKind kind) {
  const DrawKind first = IsOvalShape(kind) ? DrawKind::kFrameOval
                         : IsRoundRectShape(kind) ? DrawKind::kFrameRoundRect
                                                  : DrawKind::kFrameRect;
  return static_cast<DrawKind>(static_cast<int>(DrawKind::kFrameRect) + static_cast<int>(kind) - static_cast<int>(first));
}

}  // namespace toolbox
