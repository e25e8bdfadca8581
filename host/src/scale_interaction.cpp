// The user and an axis (services 386, 387), answered from the script queue.
//
// Parts: the title strip of an axis with a channel menu pops the menu up;
// anywhere else on the axis a press drags. A drag (the script's drag action:
// the local point where the button is let go) starting in the middle half of
// the axis moves the range with the pointer; one starting in the quarter at
// either end stretches that end while the far end stays put, so the value
// pressed ends under the pointer either way.
//
// 386 answers: 0 the press was not on the axis; −1 it was tracked (a drag,
// perhaps changing the range, or a dismissed menu); from the menu, 1 when the
// user typed a range (two typed texts from the script: item 1 the upper, item
// 2 the lower value, in the axis's units; read back with 367), 2 for the
// default range (shown at once) and n ≥ 3 for item n.
// 387 answers the part under the cursor: 0, 1 (drag) or 2 (menu); an axis
// drawn for output (flag 1024) has none.
#include <cmath>
#include <optional>

#include "number_text.h"
#include "scale_object.h"
#include "toolbox/quickdraw.h"
#include "toolbox/script.h"

namespace host {
namespace {

constexpr std::int16_t kDragged = -1;
constexpr std::int16_t kRangeTyped = 1;
constexpr std::int16_t kDefaultRange = 2;

bool InTitleStrip(const ScaleObject& scale, Point p) {
  return scale.vertical ? p.h < scale.rect.left + scale.titleWidth : p.v >= scale.rect.bottom - scale.titleWidth;
}

std::optional<double> TypedValue(SInt16 item) {
  const auto action = toolbox::TakeScriptAction({toolbox::ScriptActionKind::kTypeText});
  if (!action || action->item != item) return std::nullopt;
  const TypedNumber<double> number = ReadDecimal(action->text);
  if (!number.whole || !std::isfinite(number.value)) return std::nullopt;
  return number.value;
}

std::int16_t AskRange(ScaleObject& scale) {
  const std::optional<double> upper = TypedValue(1);
  const std::optional<double> lower = upper ? TypedValue(2) : std::nullopt;
  if (!lower || *upper == *lower) return kDragged;
  scale.typedUpper = ToRaw(scale, *upper);
  scale.typedLower = ToRaw(scale, *lower);
  scale.typed = true;
  return kRangeTyped;
}

std::int16_t PopUpTitleMenu(ScaleObject& scale) {
  Point corner{scale.rect.top, scale.rect.left};
  LocalToGlobal(&corner);
  const SInt32 choice = PopUpMenuSelect(scale.menu, corner.v, corner.h, 0);
  const auto item = static_cast<std::int16_t>(choice & 0xFFFF);
  if (item <= 0) return kDragged;
  if (item == kRangeTyped) return AskRange(scale);
  if (item == kDefaultRange) SetScaleRange(scale, scale.defaultUpper, scale.defaultLower);
  return item;
}

// The range that shows the edges of the axis under the new mapping.
void ShowMapping(ScaleObject& scale, const PixelMapping& mapping) {
  if (!std::isfinite(mapping.scale) || !std::isfinite(mapping.offset) || mapping.scale == 0) return;
  const Rect& r = scale.rect;
  const double upperEdge = scale.vertical ? r.top : r.right;
  const double lowerEdge = scale.vertical ? r.bottom : r.left;
  SetScaleRange(scale, mapping.Raw(upperEdge), mapping.Raw(lowerEdge));
}

void Drag(ScaleObject& scale, Point press) {
  const auto action = toolbox::TakeScriptAction({toolbox::ScriptActionKind::kDragTarget});
  if (!action) return;
  const Rect& r = scale.rect;
  const double from = scale.vertical ? press.v : press.h;
  const double to = scale.vertical ? action->point.v : action->point.h;
  const PixelMapping old = MappingOf(scale);
  const double start = scale.vertical ? r.top : r.left;
  const double length = scale.vertical ? r.bottom - r.top : r.right - r.left;
  const double along = (from - start) / length;
  if (along >= 0.25 && along <= 0.75) {
    ShowMapping(scale, {old.offset + (to - from), old.scale});
    return;
  }
  // The far edge keeps its value and its pixel.
  const double fixedPixel = along < 0.25 ? start + length : start;
  const double fixedRaw = old.Raw(fixedPixel);
  const double pressedRaw = old.Raw(from);
  if (pressedRaw == fixedRaw) return;
  const double perRaw = (to - fixedPixel) / (pressedRaw - fixedRaw);
  if (perRaw * old.scale <= 0) return;  // dragged past the far edge: no flipped axis
  ShowMapping(scale, {fixedPixel - fixedRaw * perRaw, perRaw});
}

}  // namespace

ScalePart ScalePartAt(const ScaleObject& scale, Point local) {
  if ((scale.flags & kScaleNotTracking) != 0 || !PtInRect(local, &scale.rect)) return kScaleNoPart;
  return scale.menu != nullptr && InTitleStrip(scale, local) ? kScaleTitleMenu : kScaleBody;
}

std::int16_t TrackScaleClick(ScaleObject& scale, Point local) {
  if (!PtInRect(local, &scale.rect)) return 0;
  if (scale.menu != nullptr && InTitleStrip(scale, local)) return PopUpTitleMenu(scale);
  Drag(scale, local);
  return kDragged;
}

}  // namespace host
