// Default records of a new block and channel.
#include <cstring>

#include "host/document.h"
#include "toolbox/pascal_string.h"

namespace host {

vantor::ChannelScaling DefaultScaling() {
  vantor::ChannelScaling scaling;
  std::memset(&scaling, 0, sizeof scaling);
  scaling.gain = 1.0;
  toolbox::StorePascalText(scaling.unitText, sizeof scaling.unitText, "V");
  scaling.decimals = 3;
  toolbox::StorePascalText(scaling.info.baseUnitText, sizeof scaling.info.baseUnitText, "V");
  scaling.info.rawFactor = 1.0;
  scaling.info.unitFactor = 1.0;
  scaling.info.rangeTop = 1.0;
  scaling.info.rangeBottom = -1.0;
  return scaling;
}

vantor::BlockTimeFormat TimeFormatFor(double samplingInterval) {
  vantor::BlockTimeFormat format;
  std::memset(&format, 0, sizeof format);
  toolbox::StorePascalText(format.unitText, sizeof format.unitText, "s");
  format.displayInterval = samplingInterval;
  format.samplingInterval = samplingInterval;
  format.displayPrecision = 3;
  return format;
}

}  // namespace host
