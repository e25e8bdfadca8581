#include "computed/flow_coefficients.h"

#include <limits>

#include "util/handle_record.h"

namespace spiro {

bool ResolveSpirometerModel(RespFlowSettings& settings) {
  if (settings.SpirometerModel != kCustomSpirometerModel) return true;
  if (settings.customScale > std::numeric_limits<double>::max()) {
    settings.SpirometerModel = kDefaultSpirometerModel;
    return true;
  }
  return false;
}

void SetFlowCoefficients(RespFlowSettings& settings, const FlowHeadCoefficients& coefficients) {
  settings.scale = coefficients.scale;
  settings.nonlinearity = coefficients.nonlinearity;
  settings.offset = settings.zeroOffset;
  const bool lineariseActive = settings.linearise != 0 && settings.nonlinearity != 0.0;
  settings.correctionActive =
      (lineariseActive || settings.offset != 0.0 || settings.driftCorrection != 0) ? 1 : 0;
}

void UpdateFlowCoefficients(RespFlowSettings& settings) {
  if (ResolveSpirometerModel(settings)) {
    SetFlowCoefficients(settings, SpirometerModelCoefficients(settings.SpirometerModel));
  } else {
    SetFlowCoefficients(settings, {settings.customScale, settings.customNonlinearity});
  }
}

void UpdateFlowCoefficients(Handle settings) {
  auto record = LoadHandleRecord<RespFlowSettings>(settings);
  UpdateFlowCoefficients(record);
  StoreHandleRecord(settings, record);
}

}  // namespace spiro
