// Host records that cross the boundary by address. Their layouts are the
// host's stored formats: packed with 68k alignment (2), every field pinned.
#pragma once

#include <cstddef>
#include <cstdint>

#include "vantor/services.h"

namespace vantor {

inline constexpr std::size_t kUnitTextBytes = 26;  // Str of at most 25 characters

#pragma pack(push, 2)

// How a channel's sample values relate to its base unit.
struct ChannelScaleInfo {
  unsigned char baseUnitText[kUnitTextBytes];  // unit of the sample values ("mV")
  unsigned char reserved26[8];
  double rawFactor;     // channel units per sample value when not calibrated
  double unitFactor;    // base units per sample value, before a calibration gain
  double rangeTop;      // 50: set to +infinity by the volume function's output
  double rangeBottom;   // 58: set to -infinity by the volume function's output
  unsigned char reserved66[2];
  std::uint16_t computedFlag;  // 68: set to 1 by the flow function's output
  unsigned char reserved70[2];
};

// How a channel's sample values convert to its units:
// calibrated: value * info.unitFactor * gain + offset; otherwise value * info.rawFactor.
struct ChannelScaling {
  double offset;
  double gain;
  unsigned char unitText[kUnitTextBytes];
  std::int16_t decimals;
  std::uint8_t calibrated;
  std::uint8_t reserved45;
  ChannelScaleInfo info;  // 46
};

// A block's time base.
struct BlockTimeFormat {
  unsigned char unitText[kUnitTextBytes];  // the time unit
  unsigned char reserved26[8];
  double displayInterval;   // 34
  double samplingInterval;  // 42: seconds per sample
  unsigned char reserved50[20];
  std::int16_t displayPrecision;  // 70
};

#pragma pack(pop)

static_assert(sizeof(ChannelScaleInfo) == 72);
static_assert(offsetof(ChannelScaleInfo, rawFactor) == 34);
static_assert(offsetof(ChannelScaleInfo, unitFactor) == 42);
static_assert(offsetof(ChannelScaleInfo, rangeTop) == 50);
static_assert(offsetof(ChannelScaleInfo, rangeBottom) == 58);
static_assert(offsetof(ChannelScaleInfo, computedFlag) == 68);

static_assert(sizeof(ChannelScaling) == 118);
static_assert(offsetof(ChannelScaling, gain) == 8);
static_assert(offsetof(ChannelScaling, unitText) == 16);
static_assert(offsetof(ChannelScaling, decimals) == 42);
static_assert(offsetof(ChannelScaling, calibrated) == 44);
static_assert(offsetof(ChannelScaling, info) == 46);
static_assert(offsetof(ChannelScaling, info) + offsetof(ChannelScaleInfo, rawFactor) == 80);
static_assert(offsetof(ChannelScaling, info) + offsetof(ChannelScaleInfo, unitFactor) == 88);

static_assert(sizeof(BlockTimeFormat) == 72);
static_assert(offsetof(BlockTimeFormat, displayInterval) == 34);
static_assert(offsetof(BlockTimeFormat, samplingInterval) == 42);
static_assert(offsetof(BlockTimeFormat, displayPrecision) == 70);

}  // namespace vantor
