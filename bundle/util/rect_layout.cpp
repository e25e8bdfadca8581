#include "util/rect_layout.h"

namespace spiro {

namespace {

std::int16_t Narrow(int value) { return static_cast<std::int16_t>(value); }

std::int16_t Pin(std::int16_t value, std::int16_t lo, std::int16_t hi) {
  if (value < lo) return lo;
  if (value > hi) return hi;
  return value;
}

void PinInside(const Rect& bounds, Rect& r) {
  r.top = Pin(r.top, bounds.top, bounds.bottom);
  r.bottom = Pin(r.bottom, bounds.top, bounds.bottom);
  r.left = Pin(r.left, bounds.left, bounds.right);
  r.right = Pin(r.right, bounds.left, bounds.right);
}

}  // namespace

Rect CenterRect(const Rect& r, const Rect& within) {
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  const int left = (within.left + within.right - width) / 2;
  const int top = (within.top + within.bottom - height) / 2;
  return Rect{Narrow(top), Narrow(left), Narrow(top + height), Narrow(left + width)};
}

void ConstrainRect(const Rect& bounds, Rect& r, std::int16_t minWidth, std::int16_t minHeight) {
  PinInside(bounds, r);
  if (Narrow(r.right - r.left) < minWidth) r.right = Narrow(r.left + minWidth);
  if (Narrow(r.bottom - r.top) < minHeight) r.bottom = Narrow(r.top + minHeight);
  PinInside(bounds, r);
  if (Narrow(r.right - r.left) < minWidth) r.left = Narrow(r.right - minWidth);
  if (Narrow(r.bottom - r.top) < minHeight) r.top = Narrow(r.bottom - minHeight);
  PinInside(bounds, r);
}

}  // namespace spiro
