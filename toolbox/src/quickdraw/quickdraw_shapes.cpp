// Lines, rectangles, ovals and images: each call appends one operation.
#include <utility>

#include "quickdraw_internal.h"

using toolbox::DrawKind;
using toolbox::DrawOp;
using toolbox::internal::CurrentPort;
using toolbox::internal::RecordOp;

namespace {

void RecordShape(DrawKind kind, const Rect* rect, const Pattern* fill = nullptr, Point ovalSize = {}) {
  if (rect == nullptr) return;
  DrawOp op;
  op.kind = kind;
  op.rect = *rect;
  op.ovalSize = ovalSize;
  if (fill != nullptr) op.fillPattern = *fill;
  RecordOp(std::move(op));
}

}  // namespace

void LineTo(SInt16 h, SInt16 v) {
  GrafPort& port = CurrentPort();
  DrawOp op;
  op.kind = DrawKind::kLine;
  op.from = port.pnLoc;
  op.to = Point{v, h};
  port.pnLoc = op.to;
  RecordOp(std::move(op));
}

void Line(SInt16 dh, SInt16 dv) {
  const Point at = CurrentPort().pnLoc;
  LineTo(toolbox::internal::ClampCoordinate(long{at.h} + dh),
         toolbox::internal::ClampCoordinate(long{at.v} + dv));
}

void FrameRect(const Rect* rect) { RecordShape(DrawKind::kFrameRect, rect); }
void PaintRect(const Rect* rect) { RecordShape(DrawKind::kPaintRect, rect); }
void EraseRect(const Rect* rect) { RecordShape(DrawKind::kEraseRect, rect); }
void InvertRect(const Rect* rect) { RecordShape(DrawKind::kInvertRect, rect); }

void FillRect(const Rect* rect, const Pattern* pattern) {
  if (pattern != nullptr) RecordShape(DrawKind::kFillRect, rect, pattern);
}

void FrameOval(const Rect* rect) { RecordShape(DrawKind::kFrameOval, rect); }
void PaintOval(const Rect* rect) { RecordShape(DrawKind::kPaintOval, rect); }
void EraseOval(const Rect* rect) { RecordShape(DrawKind::kEraseOval, rect); }
void InvertOval(const Rect* rect) { RecordShape(DrawKind::kInvertOval, rect); }

void FillOval(const Rect* rect, const Pattern* pattern) {
  if (pattern != nullptr) RecordShape(DrawKind::kFillOval, rect, pattern);
}

void FrameRoundRect(const Rect* rect, SInt16 ovalWidth, SInt16 ovalHeight) {
  RecordShape(DrawKind::kFrameRoundRect, rect, nullptr, Point{ovalHeight, ovalWidth});
}
void PaintRoundRect(const Rect* rect, SInt16 ovalWidth, SInt16 ovalHeight) {
  RecordShape(DrawKind::kPaintRoundRect, rect, nullptr, Point{ovalHeight, ovalWidth});
}
void EraseRoundRect(const Rect* rect, SInt16 ovalWidth, SInt16 ovalHeight) {
  RecordShape(DrawKind::kEraseRoundRect, rect, nullptr, Point{ovalHeight, ovalWidth});
}
void InvertRoundRect(const Rect* rect, SInt16 ovalWidth, SInt16 ovalHeight) {
  RecordShape(DrawKind::kInvertRoundRect, rect, nullptr, Point{ovalHeight, ovalWidth});
}
void FillRoundRect(const Rect* rect, SInt16 ovalWidth, SInt16 ovalHeight, const Pattern* pattern) {
  if (pattern != nullptr) RecordShape(DrawKind::kFillRoundRect, rect, pattern, Point{ovalHeight, ovalWidth});
}

namespace toolbox {

void DrawImage(const Rect& rect, SInt16 width, SInt16 height, const std::uint32_t* pixels) {
  if (width <= 0 || height <= 0 || pixels == nullptr) return;
  DrawOp op;
  op.kind = DrawKind::kImage;
  op.rect = rect;
  op.imageWidth = width;
  op.imageHeight = height;
  op.imagePixels.assign(pixels, pixels + static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  RecordOp(std::move(op));
}

}  // namespace toolbox
