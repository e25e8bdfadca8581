#include "extension/channel_scaling.h"

namespace spiro {

double UnitsPerRaw(const vantor::ChannelScaling& scaling) {
  if (scaling.calibrated != 0) return scaling.info.unitFactor * scaling.gain;
  return scaling.info.rawFactor;
}

double RawToUnits(double value, const vantor::ChannelScaling& scaling) {
  if (scaling.calibrated != 0) {
    return value * scaling.info.unitFactor * scaling.gain + scaling.offset;
  }
  return value * scaling.info.rawFactor;
}

double UnitsToRaw(double value, const vantor::ChannelScaling& scaling) {
  if (scaling.calibrated != 0) {
    return (value - scaling.offset) / (scaling.info.unitFactor * scaling.gain);
  }
  return value / scaling.info.rawFactor;
}

}  // namespace spiro
