// The volume function's settings record. It is saved and exchanged whole
// (command 8192), so its layout is a stored format: 124 bytes, 4-byte
// alignment, every field pinned below.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 4)
namespace spiro {

struct RespVolumeSettings {
  std::int16_t ownChannel;              // the channel holding the function
  std::int16_t sourceChannel;           // the flow channel (1-based); 0 = none chosen
  std::uint8_t sourceIsComputed;        // read the source's displayed samples
  std::uint8_t negativeFlowCorrection;  // divide expiratory flow past the threshold
  double correctionFactor;              // divisor of corrected samples, 0.9 .. 2.0
  std::int16_t thresholdIndex;          // row of string list 8501, or kCustomThreshold
  double customThreshold;               // litres, used when thresholdIndex is custom
  std::uint8_t resetAtPositiveFlow;     // zero the volume when the flow turns positive
  double gainPerSample;                 // derived per block: litres per sample value per sample
  double outputScale;                   // derived per block: output value per litre
  double offsetPerSample;               // derived per block: litres added per sample
  double accumulator;                   // integrated volume, litres
  double reservoir;                     // expired volume since it was last empty, 0 .. threshold
  double correctionThreshold;           // derived: threshold in litres
  double zeroValue;                     // derived per block: source value shown as 0
  double previousFlow;                  // flow of the previous sample; +infinity after a restart
  std::int16_t liveSourceIsComputed;    // live path reads the source's computed ring
  double liveAccumulator;               // as accumulator, for the live path
  double liveReservoir;                 // as reservoir, for the live path
  double livePreviousFlow;              // as previousFlow, for the live path
};
#pragma pack(pop)

inline constexpr std::int16_t kCustomThreshold = -1;
inline constexpr std::int16_t kDefaultThresholdRow = 2;
inline constexpr double kDefaultCorrectionFactor = 1.09;
inline constexpr double kMinCorrectionFactor = 0.9;
inline constexpr double kMaxCorrectionFactor = 2.0;

static_assert(sizeof(RespVolumeSettings) == 124);
static_assert(offsetof(RespVolumeSettings, ownChannel) == 0);
static_assert(offsetof(RespVolumeSettings, sourceChannel) == 2);
static_assert(offsetof(RespVolumeSettings, sourceIsComputed) == 4);
static_assert(offsetof(RespVolumeSettings, negativeFlowCorrection) == 5);
static_assert(offsetof(RespVolumeSettings, correctionFactor) == 8);
static_assert(offsetof(RespVolumeSettings, thresholdIndex) == 16);
static_assert(offsetof(RespVolumeSettings, customThreshold) == 20);
static_assert(offsetof(RespVolumeSettings, resetAtPositiveFlow) == 28);
static_assert(offsetof(RespVolumeSettings, gainPerSample) == 32);
static_assert(offsetof(RespVolumeSettings, outputScale) == 40);
static_assert(offsetof(RespVolumeSettings, offsetPerSample) == 48);
static_assert(offsetof(RespVolumeSettings, accumulator) == 56);
static_assert(offsetof(RespVolumeSettings, reservoir) == 64);
static_assert(offsetof(RespVolumeSettings, correctionThreshold) == 72);
static_assert(offsetof(RespVolumeSettings, zeroValue) == 80);
static_assert(offsetof(RespVolumeSettings, previousFlow) == 88);
static_assert(offsetof(RespVolumeSettings, liveSourceIsComputed) == 96);
static_assert(offsetof(RespVolumeSettings, liveAccumulator) == 100);
static_assert(offsetof(RespVolumeSettings, liveReservoir) == 108);
static_assert(offsetof(RespVolumeSettings, livePreviousFlow) == 116);

}  // namespace spiro
