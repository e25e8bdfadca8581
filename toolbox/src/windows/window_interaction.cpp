// What the user does to a window's frame: dragging, growing and zooming,
// with the targets taken from the script queue.
#include <algorithm>
#include <cmath>

#include "toolbox/script.h"
#include "window_record.h"

using toolbox::ScriptActionKind;
using toolbox::TakeScriptAction;
using toolbox::internal::ContentBounds;
using toolbox::internal::LiveWindow;
using toolbox::internal::WindowRecord;

namespace {

constexpr SInt16 kStandardStateMargin = 3;

struct SizeRange {
  int minWidth, minHeight, maxWidth, maxHeight;
};

int ToInt(float v) { return static_cast<int>(std::lround(std::min(v, 32767.0f))); }

// Content sizes from the resize limits (which are structure sizes).
SizeRange LimitsOf(const WindowRecord& w) {
  const auto f = toolbox::internal::FrameInsetsOf(w.procID);
  const int dw = f.left + f.right, dh = f.top + f.bottom;
  return {std::max(0, ToInt(w.minimumSize.width) - dw), std::max(0, ToInt(w.minimumSize.height) - dh),
          std::max(0, ToInt(w.maximumSize.width) - dw), std::max(0, ToInt(w.maximumSize.height) - dh)};
}

Rect DefaultStandardState(const WindowRecord& w) {
  const auto f = toolbox::internal::FrameInsetsOf(w.procID);
  const Rect desktop = toolbox::DesktopBounds();
  const SizeRange limits = LimitsOf(w);
  Rect r{static_cast<SInt16>(desktop.top + GetMBarHeight() + f.top + kStandardStateMargin),
         static_cast<SInt16>(desktop.left + f.left + kStandardStateMargin),
         static_cast<SInt16>(desktop.bottom - f.bottom - kStandardStateMargin),
         static_cast<SInt16>(desktop.right - f.right - kStandardStateMargin)};
  r.right = static_cast<SInt16>(std::min<int>(r.right, r.left + limits.maxWidth));
  r.bottom = static_cast<SInt16>(std::min<int>(r.bottom, r.top + limits.maxHeight));
  return r;
}

Rect StandardStateFor(const WindowRecord& w) {
  if (const auto target = TakeScriptAction({ScriptActionKind::kZoomTarget})) return target->rect;
  return w.hasStandardState ? w.standardState : DefaultStandardState(w);
}

}  // namespace

void DragWindow(WindowRef window, Point startPt, const Rect* boundsRect) {
  WindowRecord* w = LiveWindow(window);
  if (w == nullptr) return;
  const auto target = TakeScriptAction({ScriptActionKind::kDragTarget});
  if (!target) return;
  const Rect content = ContentBounds(*w);
  Point dragged{static_cast<SInt16>(startPt.v + target->point.v - content.top),
                static_cast<SInt16>(startPt.h + target->point.h - content.left)};
  if (boundsRect != nullptr && !EmptyRect(boundsRect)) {
    dragged.v = std::clamp<SInt16>(dragged.v, boundsRect->top, static_cast<SInt16>(boundsRect->bottom - 1));
    dragged.h = std::clamp<SInt16>(dragged.h, boundsRect->left, static_cast<SInt16>(boundsRect->right - 1));
  }
  Rect moved = content;
  OffsetRect(&moved, static_cast<SInt16>(dragged.h - startPt.h), static_cast<SInt16>(dragged.v - startPt.v));
  SelectWindow(window);
  toolbox::internal::SetContentBounds(*w, moved, kWindowBoundsChangeUserDrag, false);
}

SInt32 GrowWindow(WindowRef window, Point /*startPt*/, const Rect* sizeConstraints) {
  const WindowRecord* w = LiveWindow(window);
  if (w == nullptr) return 0;
  const auto target = TakeScriptAction({ScriptActionKind::kGrowTarget});
  if (!target) return 0;
  const SizeRange range = sizeConstraints != nullptr ? SizeRange{sizeConstraints->left, sizeConstraints->top,
                                                                 sizeConstraints->right, sizeConstraints->bottom}
                                                     : LimitsOf(*w);
  // Clamped against the maximum first so that a minimum above it wins, as a
  // user dragging the grow box could never go below the minimum.
  const int width = std::max(std::min<int>(target->point.h, range.maxWidth), range.minWidth);
  const int height = std::max(std::min<int>(target->point.v, range.maxHeight), range.minHeight);
  const Rect& port = w->port.portRect;
  if (width == port.right - port.left && height == port.bottom - port.top) return 0;
  return static_cast<SInt32>((static_cast<UInt32>(height) << 16) | static_cast<UInt32>(width & 0xFFFF));
}

void ZoomWindow(WindowRef window, SInt16 partCode, bool front) {
  WindowRecord* w = LiveWindow(window);
  if (w == nullptr || (partCode != inZoomIn && partCode != inZoomOut)) return;
  Rect target{};
  if (partCode == inZoomOut) {
    w->userState = ContentBounds(*w);
    target = StandardStateFor(*w);
  } else {
    target = w->userState;
  }
  w->zoomedOut = partCode == inZoomOut;
  if (front) SelectWindow(window);
  toolbox::internal::SetContentBounds(*w, target, 0, true);
}

OSStatus SetWindowStandardState(WindowRef window, const Rect* inStandardState) {
  WindowRecord* w = LiveWindow(window);
  if (w == nullptr || inStandardState == nullptr) return errInvalidWindowRef;
  w->standardState = *inStandardState;
  w->hasStandardState = true;
  return noErr;
}

OSStatus GetWindowStandardState(WindowRef window, Rect* outStandardState) {
  const WindowRecord* w = LiveWindow(window);
  if (w == nullptr || outStandardState == nullptr) return errInvalidWindowRef;
  *outStandardState = w->hasStandardState ? w->standardState : DefaultStandardState(*w);
  return noErr;
}

OSStatus GetWindowUserState(WindowRef window, Rect* outUserState) {
  const WindowRecord* w = LiveWindow(window);
  if (w == nullptr || outUserState == nullptr) return errInvalidWindowRef;
  *outUserState = w->zoomedOut ? w->userState : ContentBounds(*w);
  return noErr;
}
