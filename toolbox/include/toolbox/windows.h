// Window Manager: windows from 'WIND' resources or built at run time, each a
// graphics port (quickdraw.h) placed on a 1024×768 desktop below a 20-pixel
// menu bar, with a frame drawn by its definition procedure (title bar, close
// and zoom boxes, grow box), a title, a reference value, visibility and
// highlighting, a place in the front-to-back window list, an update region,
// resize limits and zoom states, and a Carbon event target.
//
// Every change of a window's bounds (MoveWindow, SizeWindow, SetWindowBounds,
// DragWindow, ZoomWindow) sends kEventWindowBoundsChanged to the window's
// target with the window, the attributes (size and/or origin changed, plus
// user drag or resize when the user did it) and the original, previous and
// current content bounds.
//
// Windows live in the low arena (their addresses fit the host's 32-bit
// fields). Calls given a disposed or foreign WindowRef do nothing; getters
// then answer empty values. Interaction (dragging, growing, zoom targets)
// comes from the script queue (script.h).
#pragma once

#include <cstdint>

#include "toolbox/mac_types.h"
#include "toolbox/quickdraw.h"

// Carbon's size (CGSize with 32-bit CGFloat).
struct HISize {
  float width;
  float height;
};

using WindowRegionCode = UInt16;
enum : WindowRegionCode {
  kWindowTitleBarRgn = 0,
  kWindowTitleTextRgn = 1,
  kWindowCloseBoxRgn = 2,
  kWindowZoomBoxRgn = 3,
  kWindowDragRgn = 5,
  kWindowGrowRgn = 6,
  kWindowStructureRgn = 32,
  kWindowContentRgn = 33,
  kWindowUpdateRgn = 34,
  kWindowGlobalPortRgn = 40,
};

// Window definition procedures (WDEF id << 4 | variation).
enum : SInt16 {
  documentProc = 0,
  dBoxProc = 1,
  plainDBox = 2,
  altDBoxProc = 3,
  noGrowDocProc = 4,
  movableDBoxProc = 5,
  zoomDocProc = 8,
  zoomNoGrow = 12,
  rDocProc = 16,
};

// FindWindow parts.
enum : SInt16 {
  inDesk = 0,
  inNoWindow = 0,
  inMenuBar = 1,
  inSysWindow = 2,
  inContent = 3,
  inDrag = 4,
  inGrow = 5,
  inGoAway = 6,
  inZoomIn = 7,
  inZoomOut = 8,
};

// Window kinds.
enum : SInt16 {
  kDialogWindowKind = 2,
  kApplicationWindowKind = 8,
};

// MacErrors.h values.
enum : OSStatus {
  errInvalidWindowRef = -5600,
  errWindowRegionCodeInvalid = -30593,
};

// `behind` of NewCWindow and GetNewCWindow: in front of every window.
inline WindowRef const kWindowInFront = reinterpret_cast<WindowRef>(static_cast<std::intptr_t>(-1));

// boundsRect is the global content rectangle. wStorage is accepted for the
// platform's signature and ignored: the Window Manager always allocates the
// window. behind: kWindowInFront, null (behind all) or a window. Null when
// memory runs out (MemError memFullErr). A visible window starts with its
// whole content to update.
WindowRef NewCWindow(void* wStorage, const Rect* boundsRect, ConstStr255Param title, bool visible, SInt16 procID,
                     WindowRef behind, bool goAwayFlag, SInt32 refCon);
// Null when the 'WIND' resource is missing or malformed, or memory runs out.
WindowRef GetNewCWindow(SInt16 windowID, void* wStorage, WindowRef behind);
// Also disposes of the window's controls and removes its event handlers.
void DisposeWindow(WindowRef window);
bool IsValidWindowPtr(WindowRef window);

void ShowWindow(WindowRef window);
void HideWindow(WindowRef window);
void ShowHide(WindowRef window, bool showFlag);
bool IsWindowVisible(WindowRef window);
// Brings the window to the front and highlights it, unhighlighting the
// window that was in front.
void SelectWindow(WindowRef window);
void BringToFront(WindowRef window);
// null: behind every window.
void SendBehind(WindowRef window, WindowRef behindWindow);
void HiliteWindow(WindowRef window, bool fHilite);
bool IsWindowHilited(WindowRef window);
// The frontmost visible window (there are no floating windows).
WindowRef FrontWindow();
WindowRef FrontNonFloatingWindow();
// The window list front to back, visible windows or not.
WindowRef GetWindowList();
WindowRef GetNextWindow(WindowRef window);

void SetWTitle(WindowRef window, ConstStr255Param title);
void GetWTitle(WindowRef window, Str255 title);
SInt32 GetWRefCon(WindowRef window);
void SetWRefCon(WindowRef window, SInt32 data);
SInt16 GetWindowKind(WindowRef window);
void SetWindowKind(WindowRef window, SInt16 kind);

// Global rectangles of the window's regions; errWindowRegionCodeInvalid for
// a region the window lacks (a grow box on a window without one) or does not
// know, errInvalidWindowRef for a bad window.
OSStatus GetWindowBounds(WindowRef window, WindowRegionCode regionCode, Rect* globalBounds);
// Structure or content only.
OSStatus SetWindowBounds(WindowRef window, WindowRegionCode regionCode, const Rect* globalBounds);
Rect* GetWindowPortBounds(WindowRef window, Rect* bounds);
// Moves the content's top-left to (hGlobal, vGlobal).
void MoveWindow(WindowRef window, SInt16 hGlobal, SInt16 vGlobal, bool front);
// Content size; negative sizes become 0. With fUpdate the whole new content
// is added to the update region when the size changed.
void SizeWindow(WindowRef window, SInt16 w, SInt16 h, bool fUpdate);

// Structure sizes; null leaves that limit as it is. Initially a 64×64
// content at least and 32767×32767 at most.
OSStatus SetWindowResizeLimits(WindowRef window, const HISize* inMinLimits, const HISize* inMaxLimits);
OSStatus GetWindowResizeLimits(WindowRef window, HISize* outMinLimits, HISize* outMaxLimits);

// Takes a kDragTarget action: moves the window there (selecting it), keeping
// the dragged point inside boundsRect. No action: nothing moves.
void DragWindow(WindowRef window, Point startPt, const Rect* boundsRect);
// Takes a kGrowTarget action and answers the new content size, height in the
// high word and width in the low word, clamped to sizeConstraints (top:
// minimum height, left: minimum width, bottom and right: maxima) or, when
// that is null, to the resize limits. 0 when there is no action or the size
// would not change. The window keeps its size: the caller applies it.
SInt32 GrowWindow(WindowRef window, Point startPt, const Rect* sizeConstraints);
// inZoomOut: to the standard state (the rectangle of a kZoomTarget action
// when one is in front of the script, else the standard state set for the
// window, else the desktop below the menu bar less the frame, within the
// maximum size), remembering the user state. inZoomIn: back to the user state.
void ZoomWindow(WindowRef window, SInt16 partCode, bool front);
OSStatus SetWindowStandardState(WindowRef window, const Rect* inStandardState);
OSStatus GetWindowStandardState(WindowRef window, Rect* outStandardState);
OSStatus GetWindowUserState(WindowRef window, Rect* outUserState);

// Update region (kept as its bounding rectangle), in local coordinates.
OSStatus InvalWindowRect(WindowRef window, const Rect* bounds);
OSStatus InvalWindowRgn(WindowRef window, RgnHandle region);
// Empties the update region when the rectangle covers it.
OSStatus ValidWindowRect(WindowRef window, const Rect* bounds);
// Takes the update region for drawing (the region empties).
void BeginUpdate(WindowRef window);
void EndUpdate(WindowRef window);

// Draws the grow box in the bottom-right corner of the content (with the
// scroll-bar lines of a document window) into the window's port.
void DrawGrowIcon(WindowRef window);

// The part of the frontmost visible window at a global point.
SInt16 FindWindow(Point thePoint, WindowRef* window);
SInt16 GetMBarHeight();

namespace toolbox {

// The update region's bounding rectangle; (0,0,0,0) when there is none.
Rect WindowUpdateRect(WindowRef window);
bool WindowNeedsUpdate(WindowRef window);
// The desktop's global bounds, menu bar included.
Rect DesktopBounds();

}  // namespace toolbox
