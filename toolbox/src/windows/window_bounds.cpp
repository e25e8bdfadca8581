// Moving and sizing windows, the bounds-changed event that reports it, and
// the resize limits.
#include <algorithm>

#include "window_record.h"

using toolbox::internal::LiveWindow;
using toolbox::internal::WindowRecord;

namespace {

SInt16 Width(const Rect& r) { return static_cast<SInt16>(r.right - r.left); }
SInt16 Height(const Rect& r) { return static_cast<SInt16>(r.bottom - r.top); }

void SetRectParameter(EventRef event, EventParamName name, const Rect& r) {
  SetEventParameter(event, name, typeQDRectangle, sizeof r, &r);
}

void SendBoundsChanged(WindowRecord& w, UInt32 attributes, const Rect& previous, const Rect& current) {
  EventRef event = nullptr;
  if (CreateEvent(nullptr, kEventClassWindow, kEventWindowBoundsChanged, 0, 0, &event) != noErr) return;
  const WindowRef window = &w;
  SetEventParameter(event, kEventParamDirectObject, typeWindowRef, sizeof window, &window);
  SetEventParameter(event, kEventParamAttributes, typeUInt32, sizeof attributes, &attributes);
  SetRectParameter(event, kEventParamOriginalBounds, previous);
  SetRectParameter(event, kEventParamPreviousBounds, previous);
  SetRectParameter(event, kEventParamCurrentBounds, current);
  // A handler may dispose of the window: nothing of it is touched afterwards.
  SendEventToEventTarget(event, w.eventTarget);
  ReleaseEvent(event);
}

void ApplyPortSize(WindowRecord& w, const Rect& content, bool fUpdate) {
  const Rect local{0, 0, Height(content), Width(content)};
  const Rect update = toolbox::internal::LocalUpdateBounds(w);
  SetPortBounds(&w.port, &local);
  if (!w.visible) w.port.visRect = Rect{0, 0, 0, 0};
  Rect kept{};
  if (SectRect(&update, &local, &kept)) {
    RectRgn(w.updateRgn, &kept);
  } else {
    SetEmptyRgn(w.updateRgn);
  }
  if (fUpdate) InvalWindowRect(&w, &local);
}

}  // namespace

namespace toolbox::internal {

void SetContentBounds(WindowRecord& w, const Rect& content, UInt32 userAttributes, bool fUpdate) {
  const Rect previous = ContentBounds(w);
  const bool sizeChanged = Width(previous) != Width(content) || Height(previous) != Height(content);
  const bool originChanged = previous.top != content.top || previous.left != content.left;
  if (!sizeChanged && !originChanged) return;
  if (sizeChanged) ApplyPortSize(w, content, fUpdate);
  SetPortGlobalOrigin(&w.port, Point{content.top, content.left});
  const UInt32 attributes = userAttributes | (sizeChanged ? kWindowBoundsChangeSizeChanged : 0u) |
                            (originChanged ? kWindowBoundsChangeOriginChanged : 0u);
  SendBoundsChanged(w, attributes, previous, content);
}

}  // namespace toolbox::internal

void MoveWindow(WindowRef window, SInt16 hGlobal, SInt16 vGlobal, bool front) {
  WindowRecord* w = LiveWindow(window);
  if (w == nullptr) return;
  Rect content = toolbox::internal::ContentBounds(*w);
  OffsetRect(&content, static_cast<SInt16>(hGlobal - content.left), static_cast<SInt16>(vGlobal - content.top));
  if (front) SelectWindow(window);
  toolbox::internal::SetContentBounds(*w, content, 0, false);
}

void SizeWindow(WindowRef window, SInt16 w, SInt16 h, bool fUpdate) {
  WindowRecord* record = LiveWindow(window);
  if (record == nullptr) return;
  Rect content = toolbox::internal::ContentBounds(*record);
  content.right = static_cast<SInt16>(content.left + std::max<SInt16>(w, 0));
  content.bottom = static_cast<SInt16>(content.top + std::max<SInt16>(h, 0));
  toolbox::internal::SetContentBounds(*record, content, 0, fUpdate);
}

OSStatus SetWindowBounds(WindowRef window, WindowRegionCode regionCode, const Rect* globalBounds) {
  WindowRecord* w = LiveWindow(window);
  if (w == nullptr || globalBounds == nullptr) return errInvalidWindowRef;
  Rect content = *globalBounds;
  if (regionCode == kWindowStructureRgn) {
    const auto f = toolbox::internal::FrameInsetsOf(w->procID);
    content = Rect{static_cast<SInt16>(content.top + f.top), static_cast<SInt16>(content.left + f.left),
                   static_cast<SInt16>(content.bottom - f.bottom), static_cast<SInt16>(content.right - f.right)};
  } else if (regionCode != kWindowContentRgn) {
    return errWindowRegionCodeInvalid;
  }
  content.bottom = std::max(content.bottom, content.top);
  content.right = std::max(content.right, content.left);
  toolbox::internal::SetContentBounds(*w, content, 0, true);
  return noErr;
}

OSStatus SetWindowResizeLimits(WindowRef window, const HISize* inMinLimits, const HISize* inMaxLimits) {
  WindowRecord* w = LiveWindow(window);
  if (w == nullptr) return errInvalidWindowRef;
  if (inMinLimits != nullptr)
    w->minimumSize = {std::max(0.0f, inMinLimits->width), std::max(0.0f, inMinLimits->height)};
  if (inMaxLimits != nullptr)
    w->maximumSize = {std::max(0.0f, inMaxLimits->width), std::max(0.0f, inMaxLimits->height)};
  return noErr;
}

OSStatus GetWindowResizeLimits(WindowRef window, HISize* outMinLimits, HISize* outMaxLimits) {
  const WindowRecord* w = LiveWindow(window);
  if (w == nullptr) return errInvalidWindowRef;
  if (outMinLimits != nullptr) *outMinLimits = w->minimumSize;
  if (outMaxLimits != nullptr) *outMaxLimits = w->maximumSize;
  return noErr;
}
