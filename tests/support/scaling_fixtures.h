// ChannelScaling records for tests of the unit conversions and axes.
#pragma once

#include "vantor/records.h"

inline vantor::ChannelScaling CalibratedScaling(double unitFactor, double gain, double offset) {
  vantor::ChannelScaling scaling{};
  scaling.calibrated = 1;
  scaling.gain = gain;
  scaling.offset = offset;
  scaling.info.unitFactor = unitFactor;
  scaling.info.rawFactor = 1000.0;  // ignored while calibrated
  return scaling;
}

inline vantor::ChannelScaling UncalibratedScaling(double rawFactor) {
  vantor::ChannelScaling scaling{};
  scaling.info.rawFactor = rawFactor;
  scaling.gain = 1000.0;  // ignored while not calibrated
  scaling.offset = 1000.0;
  scaling.info.unitFactor = 1000.0;
  return scaling;
}
