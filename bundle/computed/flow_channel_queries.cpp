// What the flow function tells the host about its channel: whether a block
// has data to convert, the scale info it inherits from its source, and the
// units of the flow it computes.
#include <cstring>

#include "computed/flow_channel_scaling.h"
#include "computed/flow_coefficients.h"
#include "computed/flow_object.h"
#include "computed/local_records.h"
#include "computed/source_samples.h"
#include "computed/unit_text.h"
#include "frame/host_services_data.h"
#include "frame/host_services_host.h"
#include "frame/shared_constants.h"
#include "util/handle_record.h"
#include "vantor/byte_access.h"

namespace spiro {

namespace flow {
namespace {

constexpr std::int16_t kFlowDecimals = 4;
// 202 is the non-breaking space: litres per second sit apart from the number.
constexpr unsigned char kLitresPerSecondText[] = "\x04\xcaL/s";
constexpr unsigned char kMillilitresPerSecondText[] = "\x04mL/s";

// The source carries a flow head's signal in this block.
bool SourceIsFlowSignal(const RespFlowSettings& settings, std::int16_t block) {
  if (settings.sourceChannel == settings.ownChannel || settings.sourceIsComputed == 0) {
    vantor::ChannelScaleInfo info{};
    DataGetChannelRecord497(settings.sourceChannel, block, &info);
    return IsVoltSignal(info);
  }
  return !HostService508(settings.sourceChannel, block);
}

}  // namespace

bool IsVoltSignal(const vantor::ChannelScaleInfo& info) {
  Str255 unit;
  CopyUnitText(info.baseUnitText, unit);
  return unit[0] == 2 && unit[2] == 'V';
}

bool HasDataForBlock(std::int16_t block, LocalDataType** local) {
  if (local == nullptr) return false;
  const auto record = LoadHandleRecord<LocalDataType>(LocalHandle(local));
  if (record.settings == nullptr) return false;
  const auto settings = LoadHandleRecord<RespFlowSettings>(record.settings);
  if (settings.sourceChannel < 1 || settings.sourceChannel > record.channelCount) return false;
  return SourceHasBlock(settings.sourceChannel, settings.sourceIsComputed != 0, block) &&
         block != 0 && SourceIsFlowSignal(settings, block);
}

void GetChannelInfo(std::int16_t block, void* infoOut, LocalDataType** local) {
  const Handle settingsHandle = SettingsHandleOf(local);
  if (settingsHandle == nullptr || infoOut == nullptr) return;
  const auto settings = LoadHandleRecord<RespFlowSettings>(settingsHandle);
  const vantor::ChannelScaleInfo info = FlowSourceScaleInfo(settings, block);
  std::memcpy(infoOut, &info, sizeof info);
  vantor::StoreAt<std::uint16_t>(infoOut, offsetof(vantor::ChannelScaleInfo, computedFlag), 1);
}

// Flow in L/s with the flow head's scale as the gain; a head whose full scale
// is below one litre per second reads better in mL/s.
void GetChannelUnits(std::int16_t block, void* unitsOut, LocalDataType** local) {
  const Handle settingsHandle = SettingsHandleOf(local);
  if (block == 0 || settingsHandle == nullptr || unitsOut == nullptr) return;
  UpdateFlowCoefficients(settingsHandle);
  const double scale = LoadHandleRecord<RespFlowSettings>(settingsHandle).scale;
  vantor::ChannelScaleInfo info{};
  GetChannelInfo(block, &info, local);
  vantor::ChannelScaling units{};
  units.calibrated = 1;
  units.offset = 0.0;
  units.gain = scale;
  SetUnitText(units.unitText, kLitresPerSecondText);
  units.decimals = kFlowDecimals;
  if (info.unitFactor * kThousandOver1024 * units.gain < 1.0) {
    units.gain *= kMillilitresPerLitre;
    SetUnitText(units.unitText, kMillilitresPerSecondText);
  }
  // The host's record keeps its scale info (from GetChannelInfo): only the
  // fields up to the calibration flag are ours to write.
  std::memcpy(unitsOut, &units, offsetof(vantor::ChannelScaling, reserved45));
}

}  // namespace flow

}  // namespace spiro
