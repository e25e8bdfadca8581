// The host's scale objects (axes, services 363-387 and 404): a vertical or
// horizontal axis over a raw range, labelled in a channel's units.
//
// Pixel mapping: pixel = raw × scale + offset. A vertical axis puts the upper
// value at its rectangle's top and the lower at its bottom; a horizontal one
// puts the lower value at its left and the upper at its right. The title
// strip (the title width given at placement) lies along the outer edge: the
// left edge of a vertical axis, the bottom of a horizontal one. Tick marks
// start at the inner edge, where the plot lies.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "toolbox/mac_types.h"
#include "toolbox/menus.h"
#include "vantor/records.h"

namespace host {

// Flag bits (service 373). Bits other extensions may set but this host does
// not act on (4, 8, 32, 64: title placement and range buttons of a host with
// its own axis panel) are kept and read back unchanged.
enum ScaleFlag : std::uint32_t {
  kScaleRangeUnknown = 2,    // no data behind the range: no ticks or labels
  kScaleNoMenuMark = 512,    // drawn for output: no pop-up mark beside the title
  kScaleNotTracking = 1024,  // drawn for output: the cursor finds no part on it
};

struct ScaleObject {
  Rect rect{};
  bool vertical = true;
  std::int16_t titleWidth = 0;
  double upper = 0.9765625;
  double lower = -0.9765625;
  double defaultUpper = 0.9765625;
  double defaultLower = -0.9765625;
  double typedUpper = 0;  // the range the user last typed, raw
  double typedLower = 0;
  bool typed = false;
  vantor::ChannelScaling scaling{};
  bool hasScaling = false;
  std::array<unsigned char, 256> title{};  // Str255, MacRoman
  MenuRef menu = nullptr;
  std::int16_t menuKind = 0;
  std::uint32_t flags = 0;
  std::int16_t labelSize = 9;
  std::int16_t labelFont = 1;
  std::int16_t titleSize = 9;
  std::int16_t titleFont = 1;
  std::int16_t drawScale = 1;
};

// Made in the low arena (their addresses travel in 32-bit fields); null when
// out of memory. Services given an address that is not a live scale object
// ignore it.
ScaleObject* NewScaleObject();
void DisposeScaleObject(void* object);
ScaleObject* LiveScaleObject(void* object);

// Sets the raw range shown. Non-finite values are refused; an empty range is
// widened by 1/1024 each way, so that the pixel mapping stays finite.
void SetScaleRange(ScaleObject& scale, double upper, double lower);

struct PixelMapping {
  double offset = 0;
  double scale = 0;
  double Pixel(double raw) const { return raw * scale + offset; }
  double Raw(double pixel) const { return (pixel - offset) / scale; }
};
PixelMapping MappingOf(const ScaleObject& scale);

// Raw values and channel units, through the scale's channel scaling (or the
// raw values themselves when it has none).
double ToUnits(const ScaleObject& scale, double raw);
double ToRaw(const ScaleObject& scale, double units);

struct ScaleTick {
  double raw = 0;
  double units = 0;
};
struct ScaleTicks {
  std::vector<ScaleTick> ticks;  // inside the range, in increasing units
  int decimals = 0;              // enough to tell neighbouring labels apart
};
// Nice ticks (1-2-5 steps in units) about every `spacing` pixels.
ScaleTicks TicksOf(const ScaleObject& scale, int spacing);

// Draws the axis into the current port (service 385).
void DrawScale(const ScaleObject& scale, bool onScreen);

// Parts of an axis under a point (local coordinates of the current port).
enum ScalePart : std::int16_t { kScaleNoPart = 0, kScaleBody = 1, kScaleTitleMenu = 2 };
ScalePart ScalePartAt(const ScaleObject& scale, Point local);

// A press on the axis, answered from the script (service 386): the result
// that service documents.
std::int16_t TrackScaleClick(ScaleObject& scale, Point local);

}  // namespace host
