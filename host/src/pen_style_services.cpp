// Pen and colour services: pens by kind (170), scaling a rectangle for output
// at a magnification (171) and the colour styles (530, 531; see
// host/draw_styles.h).
//
// 170 (kind, scale) sets the pen's size, pattern and mode for one kind of
// stroke at a drawing scale (1 on screen, more for pictures and pages), and
// leaves the colour alone:
//   0x4000  trace      solid, scale × scale
//   0x8000  dotted     a 50 % checker in mode patOr, at least 2 × 2 so that a
//                      one-point dot always shows some of its pixels
//   0x10000 frame      solid, scale × scale
//   0x20000 dot        solid, 2·scale × 2·scale: a visible dot from a one-point line
//   other              the normal pen at scale × scale
// A scale below 1 counts as 1.
//
// 171 (rect, scale) multiplies the four coordinates by the scale in place,
// holding them to the 16-bit range; a scale below 1 leaves the rectangle.
#include <algorithm>

#include "host/draw_styles.h"
#include "host/service_table.h"
#include "toolbox/quickdraw.h"
#include "vantor/services.h"

namespace host {
namespace {

enum PenKind : std::int32_t {
  kTracePen = 0x4000,
  kDottedPen = 0x8000,
  kFramePen = 0x10000,
  kDotPen = 0x20000,
};

constexpr Pattern kSolid{{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}};
constexpr Pattern kChecker{{0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA}};
constexpr int kMaxPenScale = 64;

void SetPen(int size, const Pattern& pattern, SInt16 mode) {
  PenSize(static_cast<SInt16>(size), static_cast<SInt16>(size));
  PenPat(&pattern);
  PenMode(mode);
}

void PenKindService(std::int32_t kind, std::int16_t scale) {
  const int s = std::clamp<int>(scale, 1, kMaxPenScale);
  switch (kind) {
    case kDottedPen: SetPen(std::max(2, s), kChecker, patOr); break;
    case kDotPen: SetPen(2 * s, kSolid, patCopy); break;
    case kTracePen:
    case kFramePen:
    default: SetPen(s, kSolid, patCopy); break;
  }
}

std::int16_t Scaled(std::int16_t value, int scale) {
  return static_cast<std::int16_t>(std::clamp(value * scale, -32768, 32767));
}

void ScaleRectService(Rect* rect, std::int16_t scale) {
  if (rect == nullptr || scale < 1) return;
  *rect = Rect{Scaled(rect->top, scale), Scaled(rect->left, scale), Scaled(rect->bottom, scale),
               Scaled(rect->right, scale)};
}

void ForegroundStyleService(std::int16_t style) {
  const RGBColor color = DrawStyleColor(style);
  RGBForeColor(&color);
}

void BackgroundStyleService(std::int16_t style) {
  const RGBColor color = DrawStyleColor(style);
  RGBBackColor(&color);
}

}  // namespace

void InstallPenStyleServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<HostService170>(table, &PenKindService);
  vantor::SetService<HostService171>(table, &ScaleRectService);
  vantor::SetService<HostSetDrawStyle530>(table, &ForegroundStyleService);
  vantor::SetService<HostSetDrawStyle531>(table, &BackgroundStyleService);
}

}  // namespace host
