#include "computed/volume_units.h"

#include "computed/unit_text.h"
#include "frame/host_services_data.h"
#include "frame/host_services_host.h"
#include "frame/host_services_scales.h"
#include "frame/shared_constants.h"

namespace spiro {

namespace {

constexpr std::int16_t kFullScaleRounding = 2048;
constexpr double kGainDivisor = 10.0;
constexpr std::int16_t kVolumeDecimals = 3;
// HostService333(5, 1, ...): the host's standard scale info for a computed channel.
constexpr std::int16_t kComputedScaleKind = 5;
constexpr std::int16_t kComputedScaleVariant = 1;

}  // namespace

vantor::ChannelScaling VolumeSourceScaling(const RespVolumeSettings& settings, std::int16_t block) {
  vantor::ChannelScaling scaling{};
  if (settings.sourceIsComputed != 0) {
    DataGetChannelRecord485(settings.sourceChannel, block, &scaling);
  } else {
    DataGetChannelRecord501(settings.sourceChannel, block, &scaling);
  }
  return scaling;
}

void FillComputedScaleInfo(vantor::ChannelScaleInfo& info) {
  HostService333(kComputedScaleKind, kComputedScaleVariant, &info);
}

void MakeVolumeUnits(vantor::ChannelScaling& record) {
  const double perValue =
      record.calibrated != 0 ? record.info.unitFactor * record.gain : record.info.rawFactor;
  const double roundedFullScale = HostService84(perValue * kThousandOver1024, kFullScaleRounding);
  FillComputedScaleInfo(record.info);
  const bool millilitres = UnitTextStartsWith(record.unitText, 'm');
  record.calibrated = 1;
  record.offset = 0.0;
  record.gain = roundedFullScale / kGainDivisor;
  SetUnitText(record.unitText, millilitres ? kMillilitreText : kLitreText);
  record.decimals = kVolumeDecimals;
}

vantor::ChannelScaling PerSecondScaling(const vantor::ChannelScaling& source) {
  vantor::ChannelScaling copy = source;
  if (copy.calibrated != 0 && UnitTextContains(copy.unitText, kPerMinuteText)) {
    copy.gain /= kSecondsPerMinute;
  }
  return copy;
}

vantor::ChannelScaling VolumeUnitsOfSource(const vantor::ChannelScaling& source) {
  vantor::ChannelScaling units = PerSecondScaling(source);
  MakeVolumeUnits(units);
  return units;
}

}  // namespace spiro
