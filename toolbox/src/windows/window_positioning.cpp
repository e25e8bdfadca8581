// Automatic positioning: bits 11..13 of the word say how (5 centre, 6 alert
// position, 7 stagger), bits 14..15 over what (0 the main screen, 1 the
// parent window's screen, 2 the parent window, taken to be the front window).
#include "window_positioning.h"

#include "window_record.h"

namespace toolbox::internal {
namespace {

enum Method : int { kCenter = 5, kAlertPosition = 6, kStagger = 7 };
enum Area : int { kMainScreen = 0, kParentScreen = 1, kParentWindow = 2 };
constexpr SInt16 kStaggerOffset = 10;

Rect ScreenBelowMenuBar() {
  Rect r = DesktopBounds();
  r.top = static_cast<SInt16>(r.top + GetMBarHeight());
  return r;
}

Rect AreaFor(int area) {
  if (area != kParentWindow) return ScreenBelowMenuBar();
  Rect parent{};
  if (GetWindowBounds(FrontWindow(), kWindowContentRgn, &parent) != noErr) return ScreenBelowMenuBar();
  return parent;
}

// The structure's new top-left within the area.
Point Place(int method, const Rect& area, SInt16 width, SInt16 height) {
  const int left = area.left + (area.right - area.left - width) / 2;
  switch (method) {
    case kCenter:
      return Point{static_cast<SInt16>(area.top + (area.bottom - area.top - height) / 2), static_cast<SInt16>(left)};
    case kAlertPosition:
      return Point{static_cast<SInt16>(area.top + (area.bottom - area.top - height) / 3), static_cast<SInt16>(left)};
    default:
      return Point{static_cast<SInt16>(area.top + kStaggerOffset), static_cast<SInt16>(area.left + kStaggerOffset)};
  }
}

}  // namespace

Rect PositionedContent(const WindowTemplate& t) {
  if (!t.positioning) return t.bounds;
  const int method = (*t.positioning >> 11) & 7;
  const int area = (*t.positioning >> 14) & 3;
  if (method < kCenter || area > kParentWindow) return t.bounds;
  const Rect structure = StructureOf(t.bounds, t.procID);
  const Point topLeft = Place(method, AreaFor(area), static_cast<SInt16>(structure.right - structure.left),
                              static_cast<SInt16>(structure.bottom - structure.top));
  const SInt16 dh = static_cast<SInt16>(topLeft.h - structure.left);
  const SInt16 dv = static_cast<SInt16>(topLeft.v - structure.top);
  Rect content = t.bounds;
  OffsetRect(&content, dh, dv);
  return content;
}

}  // namespace toolbox::internal
