// The volume function's per-block coefficients: litres per sample from the
// source's units and the block's sampling interval, the output scale from the
// output's units, and the correction threshold.
#pragma once

#include <cstdint>

#include "computed/resp_volume_settings.h"
#include "vantor/records.h"

namespace spiro {

inline constexpr std::int16_t kThresholdListId = 8501;

struct VolumeGains {
  double gainPerSample;    // litres per sample value, per sample
  double offsetPerSample;  // litres per sample
  double zeroValue;        // the source value that reads as zero flow
};

// A calibrated source converts with its unit factor, gain and offset, taken
// from millilitres and from per minute as its unit text says; an uncalibrated
// one with its raw factor alone.
VolumeGains DeriveVolumeGains(const vantor::ChannelScaling& source, double samplingInterval);

// Output value per litre for the output's units (per millilitre-unit for "mL").
double OutputScaleOf(const vantor::ChannelScaling& units);

// The threshold row's millilitres (string list 8501, entry 2 x row), in litres.
double ThresholdRowLitres(std::int16_t row);

// correctionThreshold from the table row or the custom value.
void UpdateDeadSpace(RespVolumeSettings& settings);

// Everything above for the block (-1: the block being sampled), then a
// restarted integration.
void UpdateVolumeCoefficients(std::int16_t block, RespVolumeSettings& settings);

}  // namespace spiro
