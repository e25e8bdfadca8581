// Graphics ports: construction, the current port, and the port's accessors.
#include <new>

#include "picture_recorder.h"
#include "quickdraw_internal.h"
#include "toolbox/memory.h"

namespace {

GrafPtr gCurrentPort = nullptr;
OSErr gQDError = noErr;

constexpr Rect kScreenBounds{0, 0, 768, 1024};

}  // namespace

GrafPort::GrafPort() = default;

GrafPort::~GrafPort() {
  if (gCurrentPort == this) gCurrentPort = nullptr;
}

namespace toolbox {

GrafPtr ScreenPort() {
  static GrafPort* screen = [] {
    auto* port = new (LowAlloc(sizeof(GrafPort))) GrafPort;
    port->portRect = kScreenBounds;
    port->visRect = kScreenBounds;
    return port;
  }();
  return screen;
}

void SetPortGlobalOrigin(CGrafPtr port, Point globalOrigin) {
  if (port != nullptr) port->globalOrigin = globalOrigin;
}

void ClearDisplayList(CGrafPtr port) {
  if (port != nullptr) port->displayList.ops.clear();
}

namespace internal {

GrafPort& CurrentPort() { return gCurrentPort != nullptr ? *gCurrentPort : *ScreenPort(); }

void SetQDError(OSErr err) { gQDError = err; }

}  // namespace internal
}  // namespace toolbox

using toolbox::internal::CurrentPort;

void SetPort(GrafPtr port) { gCurrentPort = port; }

void GetPort(GrafPtr* port) {
  if (port != nullptr) *port = &CurrentPort();
}

Boolean QDSwapPort(CGrafPtr newPort, CGrafPtr* oldPort) {
  GrafPtr previous = &CurrentPort();
  if (oldPort != nullptr) *oldPort = previous;
  SetPort(newPort);
  return &CurrentPort() != previous;
}

CGrafPtr GetWindowPort(WindowRef window) { return window != nullptr ? &window->port : nullptr; }

void SetPortWindowPort(WindowRef window) {
  if (window != nullptr) SetPort(&window->port);
}

WindowRef GetWindowFromPort(CGrafPtr port) { return port != nullptr ? port->window : nullptr; }

CGrafPtr CreateNewPort() {
  void* memory = NewPtrClear(static_cast<Size>(sizeof(GrafPort)));
  if (memory == nullptr) {
    toolbox::internal::SetQDError(memFullErr);
    return nullptr;
  }
  toolbox::internal::SetQDError(noErr);
  return new (memory) GrafPort;
}

void DisposePort(CGrafPtr port) {
  if (port == nullptr) return;
  port->~GrafPort();
  DisposePtr(reinterpret_cast<Ptr>(port));
}

Rect* GetPortBounds(CGrafPtr port, Rect* rect) {
  if (port != nullptr && rect != nullptr) *rect = port->portRect;
  return rect;
}

void SetPortBounds(CGrafPtr port, const Rect* rect) {
  if (port == nullptr || rect == nullptr) return;
  port->portRect = *rect;
  port->visRect = *rect;
}

Boolean IsPortColor(CGrafPtr port) { return port != nullptr; }

PixMapHandle GetPortPixMap(CGrafPtr port) { return port != nullptr ? &port->pixMapMaster : nullptr; }

SInt16 GetPixDepth(PixMapHandle pixMap) {
  return pixMap != nullptr && *pixMap != nullptr ? (**pixMap).pixelSize : 0;
}

SInt16 GetPortTextFont(CGrafPtr port) { return port != nullptr ? port->txFont : 0; }
Style GetPortTextFace(CGrafPtr port) { return port != nullptr ? port->txFace : Style{normal}; }
SInt16 GetPortTextSize(CGrafPtr port) { return port != nullptr ? port->txSize : 0; }
SInt16 GetPortTextMode(CGrafPtr port) { return port != nullptr ? port->txMode : 0; }

Point* GetPortPenSize(CGrafPtr port, Point* penSize) {
  if (port != nullptr && penSize != nullptr) *penSize = port->pnSize;
  return penSize;
}

SInt32 GetPortPenMode(CGrafPtr port) { return port != nullptr ? port->pnMode : 0; }

Point* GetPortPenLocation(CGrafPtr port, Point* location) {
  if (port != nullptr && location != nullptr) *location = port->pnLoc;
  return location;
}

RGBColor* GetPortForeColor(CGrafPtr port, RGBColor* color) {
  if (port != nullptr && color != nullptr) *color = port->rgbFgColor;
  return color;
}

RGBColor* GetPortBackColor(CGrafPtr port, RGBColor* color) {
  if (port != nullptr && color != nullptr) *color = port->rgbBkColor;
  return color;
}

OSErr QDError() { return gQDError; }
