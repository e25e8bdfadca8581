// Point and rectangle arithmetic, coordinate conversion and StuffHex.
#include <algorithm>
#include <optional>

#include "quickdraw_internal.h"

namespace toolbox::internal {

SInt16 ClampCoordinate(long value) {
  return static_cast<SInt16>(std::clamp<long>(value, -32768, 32767));
}

}  // namespace toolbox::internal

using toolbox::internal::ClampCoordinate;

void LocalToGlobal(Point* pt) {
  if (pt == nullptr) return;
  const Point origin = toolbox::internal::CurrentPort().globalOrigin;
  pt->h = ClampCoordinate(long{pt->h} + origin.h);
  pt->v = ClampCoordinate(long{pt->v} + origin.v);
}

void GlobalToLocal(Point* pt) {
  if (pt == nullptr) return;
  const Point origin = toolbox::internal::CurrentPort().globalOrigin;
  pt->h = ClampCoordinate(long{pt->h} - origin.h);
  pt->v = ClampCoordinate(long{pt->v} - origin.v);
}

void SetPt(Point* pt, SInt16 h, SInt16 v) {
  if (pt != nullptr) *pt = Point{v, h};
}

void SetRect(Rect* rect, SInt16 left, SInt16 top, SInt16 right, SInt16 bottom) {
  if (rect != nullptr) *rect = Rect{top, left, bottom, right};
}

void OffsetRect(Rect* rect, SInt16 dh, SInt16 dv) {
  if (rect == nullptr) return;
  rect->left = ClampCoordinate(long{rect->left} + dh);
  rect->right = ClampCoordinate(long{rect->right} + dh);
  rect->top = ClampCoordinate(long{rect->top} + dv);
  rect->bottom = ClampCoordinate(long{rect->bottom} + dv);
}

void InsetRect(Rect* rect, SInt16 dh, SInt16 dv) {
  if (rect == nullptr) return;
  Rect r{ClampCoordinate(long{rect->top} + dv), ClampCoordinate(long{rect->left} + dh),
         ClampCoordinate(long{rect->bottom} - dv), ClampCoordinate(long{rect->right} - dh)};
  *rect = EmptyRect(&r) ? Rect{0, 0, 0, 0} : r;
}

Boolean SectRect(const Rect* a, const Rect* b, Rect* destination) {
  if (a == nullptr || b == nullptr) return false;
  const Rect r{std::max(a->top, b->top), std::max(a->left, b->left), std::min(a->bottom, b->bottom),
               std::min(a->right, b->right)};
  const bool overlaps = !EmptyRect(&r);
  if (destination != nullptr) *destination = overlaps ? r : Rect{0, 0, 0, 0};
  return overlaps;
}

void UnionRect(const Rect* a, const Rect* b, Rect* destination) {
  if (a == nullptr || b == nullptr || destination == nullptr) return;
  *destination = Rect{std::min(a->top, b->top), std::min(a->left, b->left), std::max(a->bottom, b->bottom),
                      std::max(a->right, b->right)};
}

Boolean PtInRect(Point pt, const Rect* rect) {
  return rect != nullptr && pt.v >= rect->top && pt.v < rect->bottom && pt.h >= rect->left &&
         pt.h < rect->right;
}

Boolean EmptyRect(const Rect* rect) {
  return rect == nullptr || rect->bottom <= rect->top || rect->right <= rect->left;
}

Boolean EqualRect(const Rect* a, const Rect* b) { return a != nullptr && b != nullptr && *a == *b; }

namespace {

std::optional<unsigned char> HexDigit(unsigned char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned char>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<unsigned char>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<unsigned char>(c - 'A' + 10);
  return std::nullopt;
}

}  // namespace

void StuffHex(void* thingPtr, ConstStr255Param hexText) {
  if (thingPtr == nullptr || hexText == nullptr) return;
  auto* out = static_cast<unsigned char*>(thingPtr);
  for (int i = 1; i + 1 <= hexText[0]; i += 2) {
    const auto high = HexDigit(hexText[i]);
    const auto low = HexDigit(hexText[i + 1]);
    if (!high || !low) return;
    *out++ = static_cast<unsigned char>((*high << 4) | *low);
  }
}
