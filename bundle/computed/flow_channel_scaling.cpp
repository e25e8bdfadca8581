#include "computed/flow_channel_scaling.h"

#include <cmath>

#include "frame/host_services_data.h"

namespace spiro {

namespace {

// A calibrated source whose base unit carries this third character, and whose
// calibration gain merely restates its raw factor, differs from the raw
// signal by its offset alone: that offset moves into valueOffset.
constexpr unsigned char kFoldableUnitMarker = 214;
constexpr double kSameFactorTolerance = 1e-6;

bool CalibrationFoldsIntoOffset(const vantor::ChannelScaleInfo& info,
                                const vantor::ChannelScaling& scaling) {
  return scaling.calibrated != 0 && scaling.offset != 0.0 &&
         scaling.info.baseUnitText[3] == kFoldableUnitMarker &&
         std::fabs(1.0 - info.unitFactor * scaling.gain / info.rawFactor) < kSameFactorTolerance;
}

}  // namespace

vantor::ChannelScaleInfo FlowSourceScaleInfo(const RespFlowSettings& settings, std::int16_t block) {
  vantor::ChannelScaleInfo info{};
  if (settings.sourceIsComputed != 0) {
    DataGetChannelRecord477(settings.sourceChannel, block, &info);
  } else {
    DataGetChannelRecord497(settings.sourceChannel, block, &info);
  }
  return info;
}

vantor::ChannelScaling FlowSourceScaling(const RespFlowSettings& settings, std::int16_t block) {
  vantor::ChannelScaling scaling{};
  if (settings.sourceIsComputed != 0) {
    DataGetChannelRecord483(settings.sourceChannel, block, &scaling);
  } else {
    DataGetChannelRecord499(settings.sourceChannel, block, &scaling);
  }
  return scaling;
}

void FoldChannelScaling(RespFlowSettings& settings, const vantor::ChannelScaleInfo& info,
                        const vantor::ChannelScaling& scaling) {
  settings.valueNonlinearity =
      settings.linearise != 0 ? settings.nonlinearity * info.unitFactor : 0.0;
  settings.valueOffset = settings.offset / info.unitFactor;
  settings.unitsConversionPending = scaling.calibrated;
  if (!CalibrationFoldsIntoOffset(info, scaling)) return;
  settings.valueOffset += (scaling.offset * info.unitFactor / info.rawFactor) / info.unitFactor;
  settings.unitsConversionPending = 0;
  settings.correctionActive = 1;
}

void ApplyChannelScaling(std::int16_t block, RespFlowSettings& settings) {
  const vantor::ChannelScaleInfo info = FlowSourceScaleInfo(settings, block);
  const vantor::ChannelScaling scaling = FlowSourceScaling(settings, block);
  FoldChannelScaling(settings, info, scaling);
}

}  // namespace spiro
