#include "host/channel_units.h"

#include "toolbox/pascal_string.h"

namespace host {

double ValueInUnits(const vantor::ChannelScaling& scaling, double sampleValue) {
  if (scaling.calibrated != 0) {
    return sampleValue * scaling.info.unitFactor * scaling.gain + scaling.offset;
  }
  return sampleValue * scaling.info.rawFactor;
}

std::string_view UnitTextOf(const vantor::ChannelScaling& scaling) {
  const std::string_view unit = toolbox::PascalView(scaling.unitText, sizeof scaling.unitText);
  if (scaling.calibrated != 0) return unit;
  const std::string_view base = toolbox::PascalView(scaling.info.baseUnitText, sizeof scaling.info.baseUnitText);
  return base.empty() ? unit : base;
}

}  // namespace host
