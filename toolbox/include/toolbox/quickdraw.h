// QuickDraw, headless: graphics ports, rectangular regions, the pen, colours,
// text and pictures, with the platform's classic calls and semantics.
//
// Drawing calls do not touch pixels: each appends one operation, with the
// port state it needs, to the current port's display list (display_list.h);
// renderers (render.h) play lists onto PNG, PDF or SVG. A window's list
// restarts when its whole port is erased. While the pen is hidden (HidePen)
// nothing reaches the list. OpenPicture hides the pen, as on the platform, so
// what is drawn while a picture is open goes into the picture (PICT version 2)
// and not onto the port; ClosePicture shows it again.
//
// Coordinates are the port's local ones. Rect (t,l,b,r) covers pixels
// t..b-1 × l..r-1; the pen hangs below and to the right of its location.
// Text sizes are pixels (points at 72 dpi); StringWidth and CharWidth measure
// with the same font files the renderers draw with (fonts.h).
// Single-threaded, like the platform's.
#pragma once

#include <memory>

#include "toolbox/display_list.h"
#include "toolbox/mac_types.h"
#include "toolbox/quickdraw_types.h"

namespace toolbox {
class PictureRecorder;
}

struct OpaqueWindowPtr;
using WindowRef = OpaqueWindowPtr*;
using WindowPtr = WindowRef;

// Just enough of a pixel map for callers that ask a port's depth.
struct PixMap {
  SInt16 pixelSize;
};
using PixMapPtr = PixMap*;
using PixMapHandle = PixMapPtr*;

// A graphics port. Construct it in place (windows live in the low arena);
// it is neither copied nor moved. Fields are the port's state; change them
// through the calls below so pictures see every change.
struct GrafPort {
  GrafPort();
  ~GrafPort();  // a current port being destroyed hands "current" to ScreenPort()
  GrafPort(const GrafPort&) = delete;
  GrafPort& operator=(const GrafPort&) = delete;

  Rect portRect{0, 0, 0, 0};     // local bounds
  Point globalOrigin{0, 0};      // global position of local (0,0): LocalToGlobal adds it
  Rect visRect{0, 0, 0, 0};      // visible region (rectangular); set by the Window Manager
  Rect clipRect{-32768, -32768, 32767, 32767};  // clip region; wide open initially
  Point pnLoc{0, 0};
  Point pnSize{1, 1};
  SInt16 pnMode = patCopy;
  Pattern pnPat{{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}};
  SInt16 pnVis = 0;              // < 0 while hidden (HidePen/ShowPen)
  RGBColor rgbFgColor{0, 0, 0};
  RGBColor rgbBkColor{0xFFFF, 0xFFFF, 0xFFFF};
  SInt16 txFont = systemFont;
  Style txFace = normal;
  SInt16 txMode = srcOr;
  SInt16 txSize = 0;             // 0 = default (12)

  toolbox::DisplayList displayList;
  WindowRef window = nullptr;    // the window this port belongs to, if any
  PixMap pixMap{32};
  PixMapPtr pixMapMaster = &pixMap;
  std::unique_ptr<toolbox::PictureRecorder> picture;  // open picture, if any
};
using GrafPtr = GrafPort*;
using CGrafPtr = GrafPort*;

// A window is a port first. The Window Manager's own window record derives
// from this and keeps the rest of its state there.
struct OpaqueWindowPtr {
  OpaqueWindowPtr() { port.window = this; }
  GrafPort port;
};

// --- Ports -------------------------------------------------------------------
// There is always a current port: ScreenPort() until SetPort picks another.
void SetPort(GrafPtr port);            // null selects ScreenPort()
void GetPort(GrafPtr* port);
Boolean QDSwapPort(CGrafPtr newPort, CGrafPtr* oldPort);  // true when it changed
CGrafPtr GetWindowPort(WindowRef window);
void SetPortWindowPort(WindowRef window);
WindowRef GetWindowFromPort(CGrafPtr port);
CGrafPtr CreateNewPort();              // null (QDError memFullErr) when out of memory
void DisposePort(CGrafPtr port);
Rect* GetPortBounds(CGrafPtr port, Rect* rect);
void SetPortBounds(CGrafPtr port, const Rect* rect);  // also the visible region
RgnHandle GetPortVisibleRegion(CGrafPtr port, RgnHandle visRgn);
void SetPortVisibleRegion(CGrafPtr port, RgnHandle visRgn);
RgnHandle GetPortClipRegion(CGrafPtr port, RgnHandle clipRgn);
void SetPortClipRegion(CGrafPtr port, RgnHandle clipRgn);
Boolean IsPortColor(CGrafPtr port);
PixMapHandle GetPortPixMap(CGrafPtr port);
SInt16 GetPixDepth(PixMapHandle pixMap);
SInt16 GetPortTextFont(CGrafPtr port);
Style GetPortTextFace(CGrafPtr port);
SInt16 GetPortTextSize(CGrafPtr port);
SInt16 GetPortTextMode(CGrafPtr port);
Point* GetPortPenSize(CGrafPtr port, Point* penSize);
SInt32 GetPortPenMode(CGrafPtr port);
Point* GetPortPenLocation(CGrafPtr port, Point* location);
RGBColor* GetPortForeColor(CGrafPtr port, RGBColor* color);
RGBColor* GetPortBackColor(CGrafPtr port, RGBColor* color);
// The last QuickDraw error (memFullErr when a region or picture could not be made).
OSErr QDError();

// --- Regions (rectangles and the empty region) -------------------------------
RgnHandle NewRgn();                    // empty; null (QDError memFullErr) when out of memory
void DisposeRgn(RgnHandle rgn);
void RectRgn(RgnHandle rgn, const Rect* rect);
void SetRectRgn(RgnHandle rgn, SInt16 left, SInt16 top, SInt16 right, SInt16 bottom);
void SetEmptyRgn(RgnHandle rgn);
void CopyRgn(RgnHandle source, RgnHandle destination);
Boolean EmptyRgn(RgnHandle rgn);
Rect* GetRegionBounds(RgnHandle rgn, Rect* bounds);
void OffsetRgn(RgnHandle rgn, SInt16 dh, SInt16 dv);
void SectRgn(RgnHandle a, RgnHandle b, RgnHandle destination);
Boolean PtInRgn(Point pt, RgnHandle rgn);

// --- Clipping ----------------------------------------------------------------
void ClipRect(const Rect* rect);
void GetClip(RgnHandle rgn);
void SetClip(RgnHandle rgn);

// --- Pen and colours ---------------------------------------------------------
void MoveTo(SInt16 h, SInt16 v);
void Move(SInt16 dh, SInt16 dv);
void LineTo(SInt16 h, SInt16 v);
void Line(SInt16 dh, SInt16 dv);
void GetPen(Point* location);
void PenNormal();                      // size 1×1, patCopy, black pattern
void PenMode(SInt16 mode);
void PenSize(SInt16 width, SInt16 height);
void PenPat(const Pattern* pattern);
void GetPenState(PenState* state);
void SetPenState(const PenState* state);
void HidePen();
void ShowPen();
void ForeColor(SInt32 classicColor);
void BackColor(SInt32 classicColor);
void RGBForeColor(const RGBColor* color);
void RGBBackColor(const RGBColor* color);
void GetForeColor(RGBColor* color);
void GetBackColor(RGBColor* color);
Pattern* GetQDGlobalsBlack(Pattern* pattern);
Pattern* GetQDGlobalsWhite(Pattern* pattern);
Pattern* GetQDGlobalsGray(Pattern* pattern);
Pattern* GetQDGlobalsLightGray(Pattern* pattern);
Pattern* GetQDGlobalsDarkGray(Pattern* pattern);

// --- Shapes ------------------------------------------------------------------
void FrameRect(const Rect* rect);
void PaintRect(const Rect* rect);
void EraseRect(const Rect* rect);
void InvertRect(const Rect* rect);
void FillRect(const Rect* rect, const Pattern* pattern);
void FrameOval(const Rect* rect);
void PaintOval(const Rect* rect);
void EraseOval(const Rect* rect);
void InvertOval(const Rect* rect);
void FillOval(const Rect* rect, const Pattern* pattern);
// Corners are quarters of an oval ovalWidth × ovalHeight (cut to the rectangle).
void FrameRoundRect(const Rect* rect, SInt16 ovalWidth, SInt16 ovalHeight);
void PaintRoundRect(const Rect* rect, SInt16 ovalWidth, SInt16 ovalHeight);
void EraseRoundRect(const Rect* rect, SInt16 ovalWidth, SInt16 ovalHeight);
void InvertRoundRect(const Rect* rect, SInt16 ovalWidth, SInt16 ovalHeight);
void FillRoundRect(const Rect* rect, SInt16 ovalWidth, SInt16 ovalHeight, const Pattern* pattern);

// --- Text --------------------------------------------------------------------
void TextFont(SInt16 font);
void TextSize(SInt16 size);
void TextFace(StyleParameter face);
void TextMode(SInt16 mode);
// Draw at the pen location (the baseline's left end) and advance the pen.
void DrawString(ConstStr255Param text);
void DrawText(const void* textBuf, SInt16 firstByte, SInt16 byteCount);
void DrawChar(SInt16 ch);
SInt16 StringWidth(ConstStr255Param text);
SInt16 TextWidth(const void* textBuf, SInt16 firstByte, SInt16 byteCount);
SInt16 CharWidth(SInt16 ch);
void GetFontInfo(FontInfo* info);

// --- Points and rectangles ---------------------------------------------------
void LocalToGlobal(Point* pt);
void GlobalToLocal(Point* pt);
void SetPt(Point* pt, SInt16 h, SInt16 v);
void SetRect(Rect* rect, SInt16 left, SInt16 top, SInt16 right, SInt16 bottom);
void OffsetRect(Rect* rect, SInt16 dh, SInt16 dv);
void InsetRect(Rect* rect, SInt16 dh, SInt16 dv);  // an inverted result becomes (0,0,0,0)
Boolean SectRect(const Rect* a, const Rect* b, Rect* destination);
void UnionRect(const Rect* a, const Rect* b, Rect* destination);
Boolean PtInRect(Point pt, const Rect* rect);
Boolean EmptyRect(const Rect* rect);
Boolean EqualRect(const Rect* a, const Rect* b);
// Hex digit pairs into bytes; stops at the first character that is not a hex digit.
void StuffHex(void* thingPtr, ConstStr255Param hexText);

// --- Pictures ----------------------------------------------------------------
// Opens a picture on the current port; null (QDError set) when out of memory
// or when one is open already. ClosePicture ends the one open on the current
// port; the PicHandle is a Memory Manager handle holding PICT version 2 bytes.
PicHandle OpenPicture(const Rect* picFrame);
void ClosePicture();
void KillPicture(PicHandle picture);
// Plays the picture into the current port, its frame mapped onto destination
// and clipped to it (and to the port's clip).
// A damaged picture draws nothing (QDError paramErr).
void DrawPicture(PicHandle picture, const Rect* destination);
Rect* QDGetPictureBounds(PicHandle picture, Rect* bounds);

namespace toolbox {

// The port current when no other is: a 1024×768 desktop.
GrafPtr ScreenPort();
void SetPortGlobalOrigin(CGrafPtr port, Point globalOrigin);
void ClearDisplayList(CGrafPtr port);
// Appends an image (0xAARRGGBB pixels, row-major) scaled into rect: how icons
// and other pixel data enter a port.
void DrawImage(const Rect& rect, SInt16 width, SInt16 height, const std::uint32_t* pixels);

}  // namespace toolbox
