// The Window Manager's window record and the window list.
#pragma once

#include <string>
#include <vector>

#include "toolbox/carbon_events.h"
#include "toolbox/controls.h"
#include "toolbox/windows.h"

namespace toolbox::internal {

// A window: its port (the OpaqueWindowPtr base) and the Window Manager's own
// state. Polymorphic so that dialogs, which derive from it, are destroyed
// whole by DisposeWindow.
struct WindowRecord : OpaqueWindowPtr {
  WindowRecord() = default;
  virtual ~WindowRecord();
  WindowRecord(const WindowRecord&) = delete;
  WindowRecord& operator=(const WindowRecord&) = delete;

  SInt16 procID = documentProc;
  SInt16 kind = kApplicationWindowKind;
  bool visible = false;
  bool hilited = false;
  bool goAway = false;
  SInt32 refCon = 0;
  std::string title;              // MacRoman
  RgnHandle updateRgn = nullptr;  // local coordinates
  HISize minimumSize{0, 0};       // structure sizes
  HISize maximumSize{32767, 32767};
  Rect userState{};  // global content rectangles
  Rect standardState{};
  bool hasStandardState = false;
  bool zoomedOut = false;
  EventTargetRef eventTarget = nullptr;
  ControlRef rootControl = nullptr;
  std::vector<ControlRef> controls;  // every control but the root, in creation order
};

// The record of a live window, null for anything else.
WindowRecord* LiveWindow(WindowRef window);
// Sets up a constructed record (port, regions, event target, list place);
// false when memory runs out, the record then being unusable.
bool InitWindow(WindowRecord& record, const Rect& content, std::string_view title, bool visible, SInt16 procID,
                WindowRef behind, bool goAway, SInt32 refCon);
// Takes a constructed record out of the list and destroys it.
void DestroyWindow(WindowRecord* record);

// Global content rectangle.
Rect ContentBounds(const WindowRecord& record);
// Moves and sizes the content, updating the port, and sends the bounds
// change with `userAttributes` added. fUpdate adds the whole content to the
// update region when the size changed.
void SetContentBounds(WindowRecord& record, const Rect& content, UInt32 userAttributes, bool fUpdate);

// The update region's bounding rectangle, local; (0,0,0,0) when empty.
Rect LocalUpdateBounds(const WindowRecord& record);

// Frame geometry of a definition procedure, from the content rectangle.
struct FrameInsets {
  SInt16 top, left, bottom, right;
};
FrameInsets FrameInsetsOf(SInt16 procID);
bool HasGrowBox(SInt16 procID);
bool HasZoomBox(SInt16 procID);
bool HasTitleBar(SInt16 procID);
Rect StructureOf(const Rect& content, SInt16 procID);

// The window list, front to back.
std::vector<WindowRecord*>& WindowList();

}  // namespace toolbox::internal
