// Regions (rectangles and the empty region) and the port's clip and visible
// regions. A region is a Memory Manager handle holding a MacRegion, so
// NewRgn fails like any allocation; every access re-reads the handle.
#include "quickdraw_internal.h"
#include "toolbox/memory.h"

namespace {

constexpr Rect kEmptyRect{0, 0, 0, 0};

// An empty rectangle is stored as (0,0,0,0), so equal regions compare equal.
Rect Normalised(const Rect& r) { return (r.bottom <= r.top || r.right <= r.left) ? kEmptyRect : r; }

bool IsRegion(RgnHandle rgn) {
  return rgn != nullptr && *rgn != nullptr &&
         GetHandleSize(reinterpret_cast<Handle>(rgn)) >= static_cast<Size>(sizeof(MacRegion));
}

void StoreBounds(RgnHandle rgn, const Rect& r) {
  if (!IsRegion(rgn)) return;
  (**rgn).rgnSize = sizeof(MacRegion);
  (**rgn).rgnBBox = Normalised(r);
}

Rect BoundsOf(RgnHandle rgn) { return IsRegion(rgn) ? (**rgn).rgnBBox : kEmptyRect; }

}  // namespace

RgnHandle NewRgn() {
  Handle h = NewHandleClear(static_cast<Size>(sizeof(MacRegion)));
  if (h == nullptr) {
    toolbox::internal::SetQDError(memFullErr);
    return nullptr;
  }
  toolbox::internal::SetQDError(noErr);
  auto rgn = reinterpret_cast<RgnHandle>(h);
  StoreBounds(rgn, kEmptyRect);
  return rgn;
}

void DisposeRgn(RgnHandle rgn) {
  if (rgn != nullptr) DisposeHandle(reinterpret_cast<Handle>(rgn));
}

void RectRgn(RgnHandle rgn, const Rect* rect) {
  if (rect != nullptr) StoreBounds(rgn, *rect);
}

void SetRectRgn(RgnHandle rgn, SInt16 left, SInt16 top, SInt16 right, SInt16 bottom) {
  StoreBounds(rgn, Rect{top, left, bottom, right});
}

void SetEmptyRgn(RgnHandle rgn) { StoreBounds(rgn, kEmptyRect); }

void CopyRgn(RgnHandle source, RgnHandle destination) { StoreBounds(destination, BoundsOf(source)); }

Boolean EmptyRgn(RgnHandle rgn) {
  const Rect r = BoundsOf(rgn);
  return EmptyRect(&r);
}

Rect* GetRegionBounds(RgnHandle rgn, Rect* bounds) {
  if (bounds != nullptr) *bounds = BoundsOf(rgn);
  return bounds;
}

void OffsetRgn(RgnHandle rgn, SInt16 dh, SInt16 dv) {
  Rect r = BoundsOf(rgn);
  if (EmptyRect(&r)) return;
  OffsetRect(&r, dh, dv);
  StoreBounds(rgn, r);
}

void SectRgn(RgnHandle a, RgnHandle b, RgnHandle destination) {
  const Rect ra = BoundsOf(a);
  const Rect rb = BoundsOf(b);
  Rect section;
  SectRect(&ra, &rb, &section);
  StoreBounds(destination, section);
}

Boolean PtInRgn(Point pt, RgnHandle rgn) {
  const Rect r = BoundsOf(rgn);
  return PtInRect(pt, &r);
}

RgnHandle GetPortVisibleRegion(CGrafPtr port, RgnHandle visRgn) {
  if (port != nullptr) StoreBounds(visRgn, port->visRect);
  return visRgn;
}

void SetPortVisibleRegion(CGrafPtr port, RgnHandle visRgn) {
  if (port != nullptr && IsRegion(visRgn)) port->visRect = BoundsOf(visRgn);
}

RgnHandle GetPortClipRegion(CGrafPtr port, RgnHandle clipRgn) {
  if (port != nullptr) StoreBounds(clipRgn, port->clipRect);
  return clipRgn;
}

void SetPortClipRegion(CGrafPtr port, RgnHandle clipRgn) {
  if (port != nullptr && IsRegion(clipRgn)) port->clipRect = BoundsOf(clipRgn);
}

void ClipRect(const Rect* rect) {
  if (rect != nullptr) toolbox::internal::CurrentPort().clipRect = Normalised(*rect);
}

void GetClip(RgnHandle rgn) { GetPortClipRegion(&toolbox::internal::CurrentPort(), rgn); }

void SetClip(RgnHandle rgn) { SetPortClipRegion(&toolbox::internal::CurrentPort(), rgn); }
