// The grow box: the scroll-bar outlines along the right and bottom edges of
// a document window's content and, while the window is highlighted, the
// two overlapping squares of the grow icon in the corner between them.
#include "appearance_port_state.h"
#include "window_record.h"

namespace {

constexpr SInt16 kScrollBarWidth = 16;  // the outline line included

void DrawIcon(const Rect& box) {
  const Rect small{static_cast<SInt16>(box.top + 3), static_cast<SInt16>(box.left + 3),
                   static_cast<SInt16>(box.top + 9), static_cast<SInt16>(box.left + 9)};
  const Rect large{static_cast<SInt16>(box.top + 5), static_cast<SInt16>(box.left + 5),
                   static_cast<SInt16>(box.bottom - 2), static_cast<SInt16>(box.right - 2)};
  EraseRect(&large);
  FrameRect(&large);
  FrameRect(&small);
}

}  // namespace

void DrawGrowIcon(WindowRef window) {
  toolbox::internal::WindowRecord* w = toolbox::internal::LiveWindow(window);
  if (w == nullptr || !toolbox::internal::HasGrowBox(w->procID)) return;
  const toolbox::internal::DrawingInPort drawing(w->port);
  PenNormal();
  ForeColor(blackColor);
  BackColor(whiteColor);
  const Rect& p = w->port.portRect;
  const auto barLeft = static_cast<SInt16>(p.right - kScrollBarWidth);
  const auto barTop = static_cast<SInt16>(p.bottom - kScrollBarWidth);
  MoveTo(barLeft, p.top);
  LineTo(barLeft, static_cast<SInt16>(p.bottom - 1));
  MoveTo(p.left, barTop);
  LineTo(static_cast<SInt16>(p.right - 1), barTop);
  const Rect box{static_cast<SInt16>(barTop + 1), static_cast<SInt16>(barLeft + 1), p.bottom, p.right};
  EraseRect(&box);
  if (w->hilited) DrawIcon(box);
}
