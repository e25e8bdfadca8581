#include "computed/volume_coefficients.h"

#include "computed/own_strings.h"
#include "computed/resp_volume.h"
#include "computed/unit_text.h"
#include "computed/volume_integration.h"
#include "computed/volume_units.h"
#include "frame/host_services_data.h"
#include "frame/host_services_strings.h"
#include "util/pstring.h"

namespace spiro {

VolumeGains DeriveVolumeGains(const vantor::ChannelScaling& source, double samplingInterval) {
  if (source.calibrated == 0) return {samplingInterval * source.info.rawFactor, 0.0, 0.0};
  const double perValue = source.info.unitFactor * source.gain;
  VolumeGains gains{samplingInterval * perValue, samplingInterval * source.offset,
                    (0.0 - source.offset) / perValue};
  if (UnitTextStartsWith(source.unitText, 'm')) {
    gains.gainPerSample /= kMillilitresPerLitre;
    gains.offsetPerSample /= kMillilitresPerLitre;
  }
  if (UnitTextContains(source.unitText, kPerMinuteText)) {
    gains.gainPerSample /= kSecondsPerMinute;
    gains.offsetPerSample /= kSecondsPerMinute;
  }
  return gains;
}

double OutputScaleOf(const vantor::ChannelScaling& units) {
  Str255 text;
  CopyUnitText(units.unitText, text);
  const double perLitre = ComparePStrings(text, kMillilitreText) == 0 ? kMillilitresPerLitre : 1.0;
  return perLitre / (units.info.unitFactor * units.gain);
}

double ThresholdRowLitres(std::int16_t row) {
  Str255 text;
  ReadOwnString(gRespVolume, kThresholdListId, 2 * static_cast<std::int32_t>(row), text);
  return HostStringToDouble(text) / kMillilitresPerLitre;
}

void UpdateDeadSpace(RespVolumeSettings& settings) {
  settings.correctionThreshold = settings.thresholdIndex == kCustomThreshold
                                     ? settings.customThreshold
                                     : ThresholdRowLitres(settings.thresholdIndex);
}

void UpdateVolumeCoefficients(std::int16_t block, RespVolumeSettings& settings) {
  vantor::BlockTimeFormat format{};
  DataGetBlockRecord475(block, &format);
  const vantor::ChannelScaling source = VolumeSourceScaling(settings, block);
  const VolumeGains gains = DeriveVolumeGains(source, format.samplingInterval);
  settings.gainPerSample = gains.gainPerSample;
  settings.offsetPerSample = gains.offsetPerSample;
  settings.zeroValue = gains.zeroValue;
  settings.outputScale = OutputScaleOf(VolumeUnitsOfSource(source));
  UpdateDeadSpace(settings);
  StoreBlockVolumeState(settings, kRestartedVolume);
}

}  // namespace spiro
