// Scale objects (axes): making, configuring and reading them (363-384, 404);
// drawing (385) is in scale_drawing.cpp, clicks and the cursor (386, 387) in
// scale_interaction.cpp. The object itself: scale_object.h.
//
//   383 (rect, upper, lower, vertical, side)  a new axis placed in rect over
//       the raw range; side is kept with the placement (both values draw the
//       ticks towards the plot). Null when out of memory.
//   363/364  sets / reads the raw range shown.
//   365 (scale, 2, upper, lower)  the range the axis returns to ("default
//       range" in its title menu); 2 is the one range kind kept.
//   367 (scale, 2, first, second)  the range the user last typed for the
//       axis (raw), or the range shown when none was typed.
//   368 (scale, menu, 1)  the channel menu popped up from the axis title;
//       371 keeps the menu's kind.
//   373 (scale, bits, on)  flag bits (ScaleFlag).
//   375 (scale, rect, vertical, title width)  placement; 377 the drawing
//       scale (1 on screen, more for pictures and pages: sizes, strokes and
//       margins multiply by it).
//   379 labels in the units of a copy of the channel scaling; 380 the title.
//   382 (scale, label size, label font, title size, title font).
//   384 disposes of the axis.
//   404 (scale, upper, lower, offset, scale)  the range and the pixel mapping
//       (pixel = raw × scale + offset); a null output is skipped.
// Every service ignores an address that is not a live axis.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "host/service_table.h"
#include "scale_object.h"
#include "toolbox/pascal_string.h"
#include "toolbox/events.h"
#include "toolbox/quickdraw.h"
#include "vantor/services.h"

namespace host {
namespace {

constexpr std::int16_t kKeptRangeKind = 2;
constexpr std::int16_t kMaxDrawScale = 16;

void Store(double* out, double value) {
  if (out != nullptr) *out = value;
}

void* NewScaleService(const Rect* rect, double upper, double lower, std::int16_t vertical, std::int16_t) {
  ScaleObject* scale = NewScaleObject();
  if (scale == nullptr) return nullptr;
  if (rect != nullptr) scale->rect = *rect;
  scale->vertical = vertical != 0;
  SetScaleRange(*scale, upper, lower);
  scale->defaultUpper = scale->upper;
  scale->defaultLower = scale->lower;
  return scale;
}

void SetRangeService(void* object, double upper, double lower) {
  if (ScaleObject* scale = LiveScaleObject(object)) SetScaleRange(*scale, upper, lower);
}

void GetRangeService(void* object, double* upper, double* lower) {
  if (ScaleObject* scale = LiveScaleObject(object)) {
    Store(upper, scale->upper);
    Store(lower, scale->lower);
  }
}

void SetDefaultRangeService(void* object, std::int16_t kind, double upper, double lower) {
  ScaleObject* scale = LiveScaleObject(object);
  if (scale == nullptr || kind != kKeptRangeKind || !std::isfinite(upper) || !std::isfinite(lower)) return;
  scale->defaultUpper = upper;
  scale->defaultLower = lower;
}

void TypedRangeService(void* object, std::int16_t, double* first, double* second) {
  if (ScaleObject* scale = LiveScaleObject(object)) {
    Store(first, scale->typed ? scale->typedUpper : scale->upper);
    Store(second, scale->typed ? scale->typedLower : scale->lower);
  }
}

void SetMenuService(void* object, void* menu, std::int16_t) {
  if (ScaleObject* scale = LiveScaleObject(object)) scale->menu = static_cast<MenuRef>(menu);
}

void SetMenuKindService(void* object, std::int16_t kind) {
  if (ScaleObject* scale = LiveScaleObject(object)) scale->menuKind = kind;
}

void SetFlagBitsService(void* object, std::int32_t bits, bool on) {
  ScaleObject* scale = LiveScaleObject(object);
  if (scale == nullptr) return;
  const auto mask = static_cast<std::uint32_t>(bits);
  scale->flags = on ? (scale->flags | mask) : (scale->flags & ~mask);
}

void PlaceService(void* object, const Rect* rect, std::int16_t vertical, std::int16_t titleWidth) {
  ScaleObject* scale = LiveScaleObject(object);
  if (scale == nullptr || rect == nullptr) return;
  scale->rect = *rect;
  scale->vertical = vertical != 0;
  scale->titleWidth = std::max<std::int16_t>(titleWidth, 0);
}

void SetDrawScaleService(void* object, std::int16_t drawScale) {
  if (ScaleObject* scale = LiveScaleObject(object)) scale->drawScale = std::clamp<std::int16_t>(drawScale, 1, kMaxDrawScale);
}

void SetScalingService(void* object, const vantor::ChannelScaling* scaling) {
  ScaleObject* scale = LiveScaleObject(object);
  if (scale == nullptr) return;
  scale->hasScaling = scaling != nullptr;
  if (scaling != nullptr) std::memcpy(&scale->scaling, scaling, sizeof scale->scaling);
}

void SetTitleService(void* object, ConstStr255Param title) {
  if (ScaleObject* scale = LiveScaleObject(object)) {
    toolbox::StorePascal(scale->title.data(), title != nullptr ? toolbox::PascalView(title) : std::string_view{});
  }
}

void SetFontsService(void* object, std::int16_t labelSize, std::int16_t labelFont, std::int16_t titleSize,
                     std::int16_t titleFont) {
  ScaleObject* scale = LiveScaleObject(object);
  if (scale == nullptr) return;
  scale->labelSize = std::max<std::int16_t>(labelSize, 1);
  scale->labelFont = labelFont;
  scale->titleSize = std::max<std::int16_t>(titleSize, 1);
  scale->titleFont = titleFont;
}

void DisposeService(void* object) { DisposeScaleObject(object); }

void DrawService(void* object, bool onScreen) {
  if (ScaleObject* scale = LiveScaleObject(object)) DrawScale(*scale, onScreen);
}

std::int16_t ClickService(void* object, void* event) {
  ScaleObject* scale = LiveScaleObject(object);
  if (scale == nullptr || event == nullptr) return 0;
  EventRecord record{};
  std::memcpy(&record, event, sizeof record);
  Point local = record.where;
  GlobalToLocal(&local);
  return TrackScaleClick(*scale, local);
}

std::int16_t CursorPartService(Point point, void* object) {
  ScaleObject* scale = LiveScaleObject(object);
  return scale != nullptr ? ScalePartAt(*scale, point) : kScaleNoPart;
}

void MappingService(void* object, double* upper, double* lower, double* offset, double* perRaw) {
  ScaleObject* scale = LiveScaleObject(object);
  if (scale == nullptr) return;
  const PixelMapping mapping = MappingOf(*scale);
  Store(upper, scale->upper);
  Store(lower, scale->lower);
  Store(offset, mapping.offset);
  Store(perRaw, mapping.scale);
}

}  // namespace

void InstallScaleServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<HostScaleSetRange363>(table, &SetRangeService);
  vantor::SetService<HostScaleGet364>(table, &GetRangeService);
  vantor::SetService<HostScaleSet365>(table, &SetDefaultRangeService);
  vantor::SetService<HostService367>(table, &TypedRangeService);
  vantor::SetService<HostScaleSet368>(table, &SetMenuService);
  vantor::SetService<HostScaleSet371>(table, &SetMenuKindService);
  vantor::SetService<HostSetFlagBits>(table, &SetFlagBitsService);
  vantor::SetService<HostScaleSet375>(table, &PlaceService);
  vantor::SetService<HostScaleSet377>(table, &SetDrawScaleService);
  vantor::SetService<HostScaleSet379>(table, &SetScalingService);
  vantor::SetService<HostScaleSet380>(table, &SetTitleService);
  vantor::SetService<HostScaleSetFonts382>(table, &SetFontsService);
  vantor::SetService<HostNewScale>(table, &NewScaleService);
  vantor::SetService<HostDisposeObject384>(table, &DisposeService);
  vantor::SetService<HostScaleDraw385>(table, &DrawService);
  vantor::SetService<HostService386>(table, &ClickService);
  vantor::SetService<HostService387>(table, &CursorPartService);
  vantor::SetService<HostService404>(table, &MappingService);
}

}  // namespace host
