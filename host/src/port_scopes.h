// Port state a host drawing service changes for its own drawing and gives
// back: the clip and the pen with the foreground colour.
#pragma once

#include "toolbox/quickdraw.h"

namespace host {

// Narrows the current port's clip to rect ∩ the clip for the scope.
class ClipScope {
 public:
  explicit ClipScope(const Rect& rect) {
    GetPort(&port_);
    saved_ = port_->clipRect;
    Rect narrowed{};
    SectRect(&saved_, &rect, &narrowed);
    ClipRect(&narrowed);
  }
  ~ClipScope() { ClipRect(&saved_); }
  ClipScope(const ClipScope&) = delete;
  ClipScope& operator=(const ClipScope&) = delete;

 private:
  GrafPtr port_ = nullptr;
  Rect saved_{};
};

// Keeps the pen (location, size, mode, pattern) and the foreground colour.
class PenScope {
 public:
  PenScope() {
    GetPenState(&pen_);
    GetForeColor(&fore_);
  }
  ~PenScope() {
    SetPenState(&pen_);
    RGBForeColor(&fore_);
  }
  PenScope(const PenScope&) = delete;
  PenScope& operator=(const PenScope&) = delete;

 private:
  PenState pen_{};
  RGBColor fore_{};
};

}  // namespace host
