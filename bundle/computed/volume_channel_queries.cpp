// What the volume function tells the host about its channel: whether a block
// has flow to integrate, and the scale info and units of the volume.
#include <cstring>
#include <limits>

#include "computed/local_records.h"
#include "computed/source_samples.h"
#include "computed/volume_object.h"
#include "computed/volume_units.h"
#include "frame/host_services_data.h"
#include "frame/host_services_host.h"
#include "frame/host_services_strings.h"
#include "util/handle_record.h"
#include "util/pstring.h"
#include "vantor/byte_access.h"

namespace spiro {

namespace volume {
namespace {

// Lower case: the source's unit text is folded before the comparison.
constexpr unsigned char kFlowUnitTexts[][8] = {"\x03l/s",    "\x04ml/s",  "\x05l/sec",
                                               "\x06ml/sec", "\x05l/min", "\x06ml/min"};

bool HasFlowUnits(const RespVolumeSettings& settings, std::int16_t block) {
  vantor::ChannelScaling scaling{};
  if (settings.sourceChannel == settings.ownChannel || settings.sourceIsComputed == 0) {
    DataGetChannelRecord501(settings.sourceChannel, block, &scaling);
  } else {
    DataGetChannelRecord485(settings.sourceChannel, block, &scaling);
  }
  Str255 unit{};
  HostService343(unit, &scaling);
  HostService94(unit, 0);
  for (const auto& flowUnit : kFlowUnitTexts) {
    if (ComparePStrings(unit, flowUnit) == 0) return true;
  }
  return false;
}

}  // namespace

bool IsFlowSource(const RespVolumeSettings& settings, std::int16_t flowId, std::int16_t block) {
  if (flowId != kNoFlowFunction && HostService572(settings.sourceChannel) == flowId) return true;
  if (block < 1) return false;
  return HasFlowUnits(settings, block);
}

bool HasDataForBlock(std::int16_t block, LocalDataType** local) {
  if (local == nullptr) return false;
  const auto record = LoadHandleRecord<LocalDataType>(LocalHandle(local));
  if (record.settings == nullptr) return false;
  const auto settings = LoadHandleRecord<RespVolumeSettings>(record.settings);
  if (settings.sourceChannel < 1 || settings.sourceChannel > record.channelCount) return false;
  return SourceHasBlock(settings.sourceChannel, settings.sourceIsComputed != 0, block) &&
         IsFlowSource(settings, record.flowId, block);
}

// The host's standard info for a computed channel, open-ended both ways.
void GetChannelInfo(void* infoOut, LocalDataType**) {
  if (infoOut == nullptr) return;
  vantor::ChannelScaleInfo info;
  std::memcpy(&info, infoOut, sizeof info);
  FillComputedScaleInfo(info);
  info.rangeTop = std::numeric_limits<double>::infinity();
  info.rangeBottom = -std::numeric_limits<double>::infinity();
  std::memcpy(infoOut, &info, sizeof info);
}

void GetChannelUnits(std::int16_t block, void* unitsOut, LocalDataType** local) {
  const Handle settingsHandle = SettingsHandleOf(local);
  if (block == 0 || settingsHandle == nullptr || unitsOut == nullptr) return;
  const auto settings = LoadHandleRecord<RespVolumeSettings>(settingsHandle);
  const vantor::ChannelScaling units = VolumeUnitsOfSource(VolumeSourceScaling(settings, block));
  // Offset, gain, unit text, decimals and the calibration flag; the host's
  // record keeps its scale info (from GetChannelInfo).
  std::memcpy(unitsOut, &units, offsetof(vantor::ChannelScaling, reserved45));
}

}  // namespace volume

}  // namespace spiro
