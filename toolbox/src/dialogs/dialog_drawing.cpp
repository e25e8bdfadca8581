// Drawing a dialog: its items in order, each from the same drawing state,
// static text with ParamText's substitutions, and the default button's ring.
#include <array>
#include <string>

#include "appearance_port_state.h"
#include "dialog_record.h"
#include "toolbox/pascal_string.h"
#include "toolbox/render.h"
#include "toolbox/resources.h"
#include "toolbox/textedit.h"

using toolbox::internal::DialogItem;

namespace {

constexpr int kIconSize = 32;
constexpr std::size_t kIconBytes = kIconSize * kIconSize / 8;
constexpr std::uint32_t kBlackPixel = 0xFF000000;
constexpr std::uint32_t kWhitePixel = 0xFFFFFFFF;
constexpr SInt16 kEditFrameOutset = 3;
constexpr SInt16 kDefaultRingOutset = 4;
constexpr SInt16 kDefaultRingWidth = 3;
constexpr SInt16 kDefaultRingCorner = 16;

std::array<std::string, 4>& Params() {
  static std::array<std::string, 4> params;
  return params;
}

// "^0".."^3" replaced by the ParamText texts.
std::string Substituted(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '^' && i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '3') {
      out += Params()[static_cast<std::size_t>(text[++i] - '0')];
    } else {
      out += text[i];
    }
  }
  return out;
}

void DrawTextItem(const DialogItem& item, bool substitute) {
  const std::string text =
      substitute ? Substituted(toolbox::internal::ItemText(item)) : toolbox::internal::ItemText(item);
  TETextBox(text.data(), static_cast<SInt32>(text.size()), &item.rect, teFlushDefault);
}

void DrawEditText(const DialogItem& item) {
  Rect frame = item.rect;
  InsetRect(&frame, -kEditFrameOutset, -kEditFrameOutset);
  FrameRect(&frame);
  DrawTextItem(item, false);
}

// A 32×32 one-bit 'ICON', black on white.
void DrawIcon(const DialogItem& item) {
  Handle icon = GetResource(FourCharCode("ICON"), item.resourceID);
  if (icon == nullptr || *icon == nullptr || GetHandleSize(icon) < static_cast<Size>(kIconBytes)) return;
  std::array<std::uint32_t, kIconSize * kIconSize> pixels{};
  const auto* bits = reinterpret_cast<const unsigned char*>(*icon);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    pixels[i] = (bits[i / 8] >> (7 - i % 8) & 1) != 0 ? kBlackPixel : kWhitePixel;
  }
  toolbox::DrawImage(item.rect, kIconSize, kIconSize, pixels.data());
}

void DrawPictureItem(const DialogItem& item) {
  Handle picture = GetResource(FourCharCode("PICT"), item.resourceID);
  if (picture != nullptr) DrawPicture(reinterpret_cast<PicHandle>(picture), &item.rect);
}

void DrawItem(DialogRef dialog, DialogItemIndex index, const DialogItem& item) {
  switch (item.kind) {
    case kStaticTextDialogItem: DrawTextItem(item, true); break;
    case kEditTextDialogItem: DrawEditText(item); break;
    case kIconDialogItem: DrawIcon(item); break;
    case kPictureDialogItem: DrawPictureItem(item); break;
    case kUserDialogItem: InvokeUserItemUPP(dialog, index, item.procedure); break;
    default: Draw1Control(item.control); break;
  }
}

void DrawDefaultRing(OpaqueDialogPtr& d) {
  const DialogItem* item = toolbox::internal::LiveDialogItem(&d, d.defaultItem);
  if (item == nullptr || !item->visible || item->kind != kButtonDialogItem) return;
  Rect ring = item->rect;
  InsetRect(&ring, -kDefaultRingOutset, -kDefaultRingOutset);
  PenNormal();
  PenSize(kDefaultRingWidth, kDefaultRingWidth);
  FrameRoundRect(&ring, kDefaultRingCorner, kDefaultRingCorner);
}

}  // namespace

void ParamText(ConstStr255Param param0, ConstStr255Param param1, ConstStr255Param param2, ConstStr255Param param3) {
  const std::array<ConstStr255Param, 4> given{param0, param1, param2, param3};
  for (std::size_t i = 0; i < given.size(); ++i) Params()[i] = toolbox::PascalView(given[i]);
}

void DrawDialog(DialogRef theDialog) {
  OpaqueDialogPtr* d = toolbox::internal::LiveDialog(theDialog);
  if (d == nullptr) return;
  const toolbox::internal::DrawingInPort drawing(d->port);
  EraseRect(&d->port.portRect);
  const auto start = toolbox::internal::CaptureDrawingState(d->port);
  // A user item's procedure may dispose of items or the dialog: count afresh.
  for (DialogItemIndex i = 1; i <= CountDITL(theDialog); ++i) {
    const DialogItem item = *toolbox::internal::LiveDialogItem(theDialog, i);
    if (!item.visible) continue;
    toolbox::internal::ApplyDrawingState(start);
    DrawItem(theDialog, i, item);
  }
  if (toolbox::internal::LiveDialog(theDialog) == nullptr) return;
  toolbox::internal::ApplyDrawingState(start);
  DrawDefaultRing(*d);
}

void UpdateDialog(DialogRef theDialog, RgnHandle /*updateRgn*/) { DrawDialog(theDialog); }

bool toolbox::WriteDialogPng(DialogRef dialog, const std::string& path, std::string* error) {
  if (!IsLiveDialog(dialog)) {
    if (error != nullptr) *error = "not a dialog";
    return false;
  }
  DrawDialog(dialog);
  return WritePortPng(GetDialogPort(dialog), path, error);
}
