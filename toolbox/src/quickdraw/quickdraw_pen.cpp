// The pen (location, size, mode, pattern) and the port's colours.
#include <array>
#include <utility>

#include "quickdraw_internal.h"

using toolbox::internal::CurrentPort;

namespace {

constexpr Pattern kBlack{{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}};
constexpr Pattern kWhite{{0, 0, 0, 0, 0, 0, 0, 0}};
constexpr Pattern kGray{{0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55}};
constexpr Pattern kLightGray{{0x88, 0x22, 0x88, 0x22, 0x88, 0x22, 0x88, 0x22}};
constexpr Pattern kDarkGray{{0x77, 0xDD, 0x77, 0xDD, 0x77, 0xDD, 0x77, 0xDD}};

// The eight classic colours as the colour screen shows them; any other
// number is taken as black.
RGBColor ClassicToRGB(SInt32 classic) {
  static constexpr std::array<std::pair<SInt32, RGBColor>, 8> kTable{{
      {whiteColor, {0xFFFF, 0xFFFF, 0xFFFF}},
      {blackColor, {0, 0, 0}},
      {yellowColor, {0xFFFF, 0xFFFF, 0}},
      {magentaColor, {0xFFFF, 0, 0xFFFF}},
      {redColor, {0xFFFF, 0, 0}},
      {cyanColor, {0, 0xFFFF, 0xFFFF}},
      {greenColor, {0, 0xFFFF, 0}},
      {blueColor, {0, 0, 0xFFFF}},
  }};
  for (const auto& [number, rgb] : kTable) {
    if (number == classic) return rgb;
  }
  return RGBColor{0, 0, 0};
}

Pattern* CopyPattern(Pattern* destination, const Pattern& source) {
  if (destination != nullptr) *destination = source;
  return destination;
}

}  // namespace

void MoveTo(SInt16 h, SInt16 v) { CurrentPort().pnLoc = Point{v, h}; }

void Move(SInt16 dh, SInt16 dv) {
  GrafPort& port = CurrentPort();
  port.pnLoc.h = toolbox::internal::ClampCoordinate(long{port.pnLoc.h} + dh);
  port.pnLoc.v = toolbox::internal::ClampCoordinate(long{port.pnLoc.v} + dv);
}

void GetPen(Point* location) {
  if (location != nullptr) *location = CurrentPort().pnLoc;
}

void PenNormal() {
  GrafPort& port = CurrentPort();
  port.pnSize = Point{1, 1};
  port.pnMode = patCopy;
  port.pnPat = kBlack;
}

void PenMode(SInt16 mode) { CurrentPort().pnMode = mode; }

void PenSize(SInt16 width, SInt16 height) {
  CurrentPort().pnSize = Point{static_cast<SInt16>(height < 0 ? 0 : height),
                               static_cast<SInt16>(width < 0 ? 0 : width)};
}

void PenPat(const Pattern* pattern) {
  if (pattern != nullptr) CurrentPort().pnPat = *pattern;
}

void GetPenState(PenState* state) {
  if (state == nullptr) return;
  const GrafPort& port = CurrentPort();
  *state = PenState{port.pnLoc, port.pnSize, port.pnMode, port.pnPat};
}

void SetPenState(const PenState* state) {
  if (state == nullptr) return;
  GrafPort& port = CurrentPort();
  port.pnLoc = state->pnLoc;
  port.pnSize = state->pnSize;
  port.pnMode = state->pnMode;
  port.pnPat = state->pnPat;
}

void HidePen() { --CurrentPort().pnVis; }
void ShowPen() { ++CurrentPort().pnVis; }

void ForeColor(SInt32 classicColor) { CurrentPort().rgbFgColor = ClassicToRGB(classicColor); }
void BackColor(SInt32 classicColor) { CurrentPort().rgbBkColor = ClassicToRGB(classicColor); }

void RGBForeColor(const RGBColor* color) {
  if (color != nullptr) CurrentPort().rgbFgColor = *color;
}

void RGBBackColor(const RGBColor* color) {
  if (color != nullptr) CurrentPort().rgbBkColor = *color;
}

void GetForeColor(RGBColor* color) {
  if (color != nullptr) *color = CurrentPort().rgbFgColor;
}

void GetBackColor(RGBColor* color) {
  if (color != nullptr) *color = CurrentPort().rgbBkColor;
}

Pattern* GetQDGlobalsBlack(Pattern* pattern) { return CopyPattern(pattern, kBlack); }
Pattern* GetQDGlobalsWhite(Pattern* pattern) { return CopyPattern(pattern, kWhite); }
Pattern* GetQDGlobalsGray(Pattern* pattern) { return CopyPattern(pattern, kGray); }
Pattern* GetQDGlobalsLightGray(Pattern* pattern) { return CopyPattern(pattern, kLightGray); }
Pattern* GetQDGlobalsDarkGray(Pattern* pattern) { return CopyPattern(pattern, kDarkGray); }
