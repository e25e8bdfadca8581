// Drawing controls into their window's port, in the system font: framed
// push buttons, check boxes and radio buttons with their titles, pop-up
// buttons showing the chosen item, and a plain frame for other kinds.
// Inactive controls are drawn in grey.
#include "appearance_port_state.h"
#include "control_record.h"
#include "window_record.h"

using toolbox::internal::ControlKind;

namespace {

constexpr SInt16 kMarkSize = 12;  // check box and radio button
constexpr SInt16 kButtonCorner = 10;
constexpr SInt16 kTitleGap = 4;
constexpr SInt16 kTriangleWidth = 9;
constexpr RGBColor kBlack{0, 0, 0};
constexpr RGBColor kInactiveGrey{0x8888, 0x8888, 0x8888};

void DrawTextAt(const std::string& text, SInt16 h, SInt16 v) {
  MoveTo(h, v);
  DrawText(text.data(), 0, static_cast<SInt16>(text.size()));
}

SInt16 WidthOf(const std::string& text) { return TextWidth(text.data(), 0, static_cast<SInt16>(text.size())); }

// The baseline that centres a line of the current font vertically in r.
SInt16 Baseline(const Rect& r) {
  FontInfo info{};
  GetFontInfo(&info);
  return static_cast<SInt16>((r.top + r.bottom + info.ascent - info.descent) / 2);
}

Rect MarkBox(const Rect& bounds) {
  const auto top = static_cast<SInt16>((bounds.top + bounds.bottom - kMarkSize) / 2);
  return Rect{top, bounds.left, static_cast<SInt16>(top + kMarkSize), static_cast<SInt16>(bounds.left + kMarkSize)};
}

void DrawPushButton(const OpaqueControlRef& c) {
  EraseRoundRect(&c.bounds, kButtonCorner, kButtonCorner);
  FrameRoundRect(&c.bounds, kButtonCorner, kButtonCorner);
  const SInt16 width = WidthOf(c.title);
  DrawTextAt(c.title, static_cast<SInt16>((c.bounds.left + c.bounds.right - width) / 2), Baseline(c.bounds));
  if (c.hilite == kControlButtonPart) InvertRoundRect(&c.bounds, kButtonCorner, kButtonCorner);
}

void DrawCheckBox(const OpaqueControlRef& c) {
  const Rect box = MarkBox(c.bounds);
  EraseRect(&box);
  FrameRect(&box);
  if (c.value == kControlCheckBoxCheckedValue) {
    MoveTo(box.left, box.top);
    LineTo(static_cast<SInt16>(box.right - 1), static_cast<SInt16>(box.bottom - 1));
    MoveTo(box.left, static_cast<SInt16>(box.bottom - 1));
    LineTo(static_cast<SInt16>(box.right - 1), box.top);
  } else if (c.value == kControlCheckBoxMixedValue) {
    const auto middle = static_cast<SInt16>((box.top + box.bottom) / 2);
    MoveTo(static_cast<SInt16>(box.left + 3), middle);
    LineTo(static_cast<SInt16>(box.right - 4), middle);
  }
  DrawTextAt(c.title, static_cast<SInt16>(box.right + kTitleGap), Baseline(c.bounds));
}

void DrawRadioButton(const OpaqueControlRef& c) {
  const Rect box = MarkBox(c.bounds);
  EraseOval(&box);
  FrameOval(&box);
  if (c.value != 0) {
    Rect dot = box;
    InsetRect(&dot, 3, 3);
    PaintOval(&dot);
  }
  DrawTextAt(c.title, static_cast<SInt16>(box.right + kTitleGap), Baseline(c.bounds));
}

void DrawTriangle(const Rect& button) {
  const auto left = static_cast<SInt16>(button.right - kTriangleWidth - 6);
  const auto top = static_cast<SInt16>((button.top + button.bottom) / 2 - 2);
  for (SInt16 row = 0; row < 5; ++row) {
    MoveTo(static_cast<SInt16>(left + row), static_cast<SInt16>(top + row));
    LineTo(static_cast<SInt16>(left + kTriangleWidth - 1 - row), static_cast<SInt16>(top + row));
  }
}

void DrawPopUp(const OpaqueControlRef& c) {
  EraseRect(&c.bounds);
  Rect button = c.bounds;
  if (!c.title.empty() && c.popupTitleWidth > 0) {
    button.left = static_cast<SInt16>(c.bounds.left + c.popupTitleWidth);
    DrawTextAt(c.title, static_cast<SInt16>(button.left - kTitleGap - WidthOf(c.title)), Baseline(c.bounds));
  }
  FrameRect(&button);
  Str255 item;
  GetMenuItemText(c.popupMenu, static_cast<MenuItemIndex>(c.value), item);
  MoveTo(static_cast<SInt16>(button.left + 6), Baseline(button));
  DrawString(item);
  DrawTriangle(button);
}

void DrawOther(const OpaqueControlRef& c) {
  EraseRect(&c.bounds);
  FrameRect(&c.bounds);
  DrawTextAt(c.title, static_cast<SInt16>(c.bounds.left + kTitleGap), Baseline(c.bounds));
}

}  // namespace

namespace toolbox::internal {

void DrawControl(const OpaqueControlRef& c) {
  if (!c.visible || c.kind == ControlKind::kRoot) return;
  PenNormal();
  TextFont(systemFont);
  TextSize(12);
  TextFace(normal);
  TextMode(srcOr);
  RGBForeColor(c.hilite == kControlInactivePart ? &kInactiveGrey : &kBlack);
  switch (c.kind) {
    case ControlKind::kPushButton: DrawPushButton(c); break;
    case ControlKind::kCheckBox: DrawCheckBox(c); break;
    case ControlKind::kRadioButton: DrawRadioButton(c); break;
    case ControlKind::kPopUp: DrawPopUp(c); break;
    case ControlKind::kOther:
    case ControlKind::kRoot: DrawOther(c); break;
  }
}

}  // namespace toolbox::internal

void DrawControls(WindowRef theWindow) {
  toolbox::internal::WindowRecord* w = toolbox::internal::LiveWindow(theWindow);
  if (w == nullptr) return;
  const toolbox::internal::DrawingInPort drawing(w->port);
  for (ControlRef c : w->controls) toolbox::internal::DrawControl(*c);
}

void Draw1Control(ControlRef theControl) {
  const OpaqueControlRef* c = toolbox::internal::LiveControl(theControl);
  toolbox::internal::WindowRecord* w = c != nullptr ? toolbox::internal::LiveWindow(c->owner) : nullptr;
  if (w == nullptr) return;
  const toolbox::internal::DrawingInPort drawing(w->port);
  toolbox::internal::DrawControl(*c);
}
