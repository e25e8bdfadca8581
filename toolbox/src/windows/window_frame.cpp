// Window frames: what each definition procedure draws around the content,
// the global rectangles of a window's regions and which part a point is in.
#include <optional>

#include "toolbox/quickdraw.h"
#include "window_record.h"

namespace toolbox::internal {
namespace {

constexpr SInt16 kTitleBarHeight = 22;
constexpr SInt16 kBoxSize = 12;  // close and zoom boxes
constexpr SInt16 kBoxInset = 8;
constexpr SInt16 kGrowBoxSize = 15;
constexpr SInt16 kMenuBarHeight = 20;
constexpr Rect kDesktop{0, 0, 768, 1024};

int WdefOf(SInt16 procID) { return procID >> 4; }
int VariationOf(SInt16 procID) { return procID & 0xF; }

Rect Expand(const Rect& r, const FrameInsets& f) {
  return Rect{static_cast<SInt16>(r.top - f.top), static_cast<SInt16>(r.left - f.left),
              static_cast<SInt16>(r.bottom + f.bottom), static_cast<SInt16>(r.right + f.right)};
}

Rect TitleBar(const Rect& structure, const Rect& content) {
  return Rect{structure.top, structure.left, content.top, structure.right};
}

Rect CloseBox(const Rect& titleBar) {
  const SInt16 top = static_cast<SInt16>(titleBar.top + (kTitleBarHeight - kBoxSize) / 2);
  return Rect{top, static_cast<SInt16>(titleBar.left + kBoxInset), static_cast<SInt16>(top + kBoxSize),
              static_cast<SInt16>(titleBar.left + kBoxInset + kBoxSize)};
}

Rect ZoomBox(const Rect& titleBar) {
  Rect box = CloseBox(titleBar);
  OffsetRect(&box, static_cast<SInt16>(titleBar.right - titleBar.left - 2 * kBoxInset - kBoxSize), 0);
  return box;
}

// Between the close and zoom boxes.
Rect TitleText(const Rect& titleBar) {
  constexpr SInt16 kBoxArea = 2 * kBoxInset + kBoxSize;
  return Rect{titleBar.top, static_cast<SInt16>(titleBar.left + kBoxArea), titleBar.bottom,
              static_cast<SInt16>(titleBar.right - kBoxArea)};
}

Rect GrowBox(const Rect& content) {
  return Rect{static_cast<SInt16>(content.bottom - kGrowBoxSize), static_cast<SInt16>(content.right - kGrowBoxSize),
              content.bottom, content.right};
}

// The region's global rectangle, or none when the window lacks it.
std::optional<Rect> RegionOf(const WindowRecord& w, WindowRegionCode code) {
  const Rect content = ContentBounds(w);
  const Rect structure = StructureOf(content, w.procID);
  const bool titled = HasTitleBar(w.procID);
  const Rect titleBar = TitleBar(structure, content);
  switch (code) {
    case kWindowStructureRgn: return structure;
    case kWindowContentRgn:
    case kWindowGlobalPortRgn: return content;
    case kWindowUpdateRgn: {
      Rect update = LocalUpdateBounds(w);
      if (!EmptyRect(&update)) OffsetRect(&update, content.left, content.top);
      return update;
    }
    case kWindowTitleBarRgn:
    case kWindowDragRgn:
      if (titled) return titleBar;
      break;
    case kWindowTitleTextRgn:
      if (titled) return TitleText(titleBar);
      break;
    case kWindowCloseBoxRgn:
      if (titled && w.goAway) return CloseBox(titleBar);
      break;
    case kWindowZoomBoxRgn:
      if (titled && HasZoomBox(w.procID)) return ZoomBox(titleBar);
      break;
    case kWindowGrowRgn:
      if (HasGrowBox(w.procID)) return GrowBox(content);
      break;
    default: break;
  }
  return std::nullopt;
}

bool In(const WindowRecord& w, WindowRegionCode code, Point pt) {
  const auto r = RegionOf(w, code);
  return r && PtInRect(pt, &*r);
}

SInt16 PartOf(const WindowRecord& w, Point pt) {
  if (In(w, kWindowCloseBoxRgn, pt)) return inGoAway;
  if (In(w, kWindowZoomBoxRgn, pt)) return w.zoomedOut ? inZoomIn : inZoomOut;
  if (In(w, kWindowTitleBarRgn, pt)) return inDrag;
  if (In(w, kWindowGrowRgn, pt)) return inGrow;
  if (In(w, kWindowContentRgn, pt)) return inContent;
  return HasTitleBar(w.procID) ? inDrag : inContent;
}

}  // namespace

FrameInsets FrameInsetsOf(SInt16 procID) {
  if (WdefOf(procID) == 0) {
    switch (VariationOf(procID)) {
      case dBoxProc: return {8, 8, 8, 8};
      case plainDBox: return {1, 1, 1, 1};
      case altDBoxProc: return {1, 1, 3, 3};
      default: break;
    }
  }
  return {kTitleBarHeight, 1, 1, 1};
}

bool HasGrowBox(SInt16 procID) {
  return WdefOf(procID) == 0 && (VariationOf(procID) == documentProc || VariationOf(procID) == zoomDocProc);
}

bool HasZoomBox(SInt16 procID) {
  return WdefOf(procID) == 0 && (VariationOf(procID) == zoomDocProc || VariationOf(procID) == zoomNoGrow);
}

bool HasTitleBar(SInt16 procID) { return FrameInsetsOf(procID).top == kTitleBarHeight; }

Rect StructureOf(const Rect& content, SInt16 procID) { return Expand(content, FrameInsetsOf(procID)); }

}  // namespace toolbox::internal

using toolbox::internal::LiveWindow;
using toolbox::internal::WindowRecord;

Rect toolbox::DesktopBounds() { return toolbox::internal::kDesktop; }

SInt16 GetMBarHeight() { return toolbox::internal::kMenuBarHeight; }

OSStatus GetWindowBounds(WindowRef window, WindowRegionCode regionCode, Rect* globalBounds) {
  const WindowRecord* w = LiveWindow(window);
  if (w == nullptr || globalBounds == nullptr) return errInvalidWindowRef;
  const auto r = toolbox::internal::RegionOf(*w, regionCode);
  if (!r) return errWindowRegionCodeInvalid;
  *globalBounds = *r;
  return noErr;
}

SInt16 FindWindow(Point thePoint, WindowRef* window) {
  if (window != nullptr) *window = nullptr;
  for (WindowRecord* w : toolbox::internal::WindowList()) {
    if (!w->visible) continue;
    const Rect structure = toolbox::internal::StructureOf(toolbox::internal::ContentBounds(*w), w->procID);
    if (!PtInRect(thePoint, &structure)) continue;
    if (window != nullptr) *window = w;
    return toolbox::internal::PartOf(*w, thePoint);
  }
  return thePoint.v >= 0 && thePoint.v < GetMBarHeight() ? inMenuBar : inDesk;
}
