// The flow function's settings record. It is saved and exchanged whole
// (command 8192), so its layout is a stored format: 100 bytes, 4-byte
// alignment, every field pinned below. Fields marked derived are recomputed
// from the others and never need to be trusted from storage.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 4)
namespace spiro {

struct RespFlowSettings {
  std::int16_t ownChannel;              // the channel holding the function (1-based)
  std::int16_t sourceChannel;           // the channel converted (1-based)
  std::uint8_t sourceIsComputed;        // read the source's displayed, not recorded, samples
  std::uint8_t spareFlag;               // kept for command 8199; unused by the computation
  std::int16_t SpirometerModel;         // row of string list 8301, or kCustomSpirometerModel
  std::uint8_t linearise;               // apply the flow head's nonlinearity
  std::uint8_t driftCorrection;         // subtract a linear zero drift per block
  double customScale;                   // L/s per base unit; +infinity until set
  double customNonlinearity;            // per base unit
  double zeroOffset;                    // base units, added to every sample
  std::uint8_t correctionActive;        // derived: the transform changes samples
  double scale;                         // derived: L/s per base unit
  double nonlinearity;                  // derived: per base unit
  double offset;                        // derived: copy of zeroOffset
  double valueNonlinearity;             // derived per block: per sample value
  double valueOffset;                   // derived per block: offset in sample values
  std::int16_t liveSourceIsComputed;    // derived at sampling start: read computed ring
  std::uint8_t unitsConversionPending;  // derived per block: calibration not folded in
  double driftSlope;                    // per sample; zero between computations
  double driftIntercept;                // at offset 0; zero between computations
};
#pragma pack(pop)

inline constexpr std::int16_t kCustomSpirometerModel = -1;
inline constexpr std::int16_t kDefaultSpirometerModel = 4;

static_assert(sizeof(RespFlowSettings) == 100);
static_assert(offsetof(RespFlowSettings, ownChannel) == 0);
static_assert(offsetof(RespFlowSettings, sourceChannel) == 2);
static_assert(offsetof(RespFlowSettings, sourceIsComputed) == 4);
static_assert(offsetof(RespFlowSettings, spareFlag) == 5);
static_assert(offsetof(RespFlowSettings, SpirometerModel) == 6);
static_assert(offsetof(RespFlowSettings, linearise) == 8);
static_assert(offsetof(RespFlowSettings, driftCorrection) == 9);
static_assert(offsetof(RespFlowSettings, customScale) == 12);
static_assert(offsetof(RespFlowSettings, customNonlinearity) == 20);
static_assert(offsetof(RespFlowSettings, zeroOffset) == 28);
static_assert(offsetof(RespFlowSettings, correctionActive) == 36);
static_assert(offsetof(RespFlowSettings, scale) == 40);
static_assert(offsetof(RespFlowSettings, nonlinearity) == 48);
static_assert(offsetof(RespFlowSettings, offset) == 56);
static_assert(offsetof(RespFlowSettings, valueNonlinearity) == 64);
static_assert(offsetof(RespFlowSettings, valueOffset) == 72);
static_assert(offsetof(RespFlowSettings, liveSourceIsComputed) == 80);
static_assert(offsetof(RespFlowSettings, unitsConversionPending) == 82);
static_assert(offsetof(RespFlowSettings, driftSlope) == 84);
static_assert(offsetof(RespFlowSettings, driftIntercept) == 92);

}  // namespace spiro
