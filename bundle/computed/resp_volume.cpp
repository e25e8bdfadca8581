// "Spirometry Volume": every operation forwards to the volume function's free
// functions over its per-channel record.
#include "computed/resp_volume.h"

#include "computed/computed_description.h"
#include "computed/local_records.h"
#include "computed/volume_computation.h"
#include "computed/volume_object.h"
#include "util/handle_record.h"
#include "vantor/byte_access.h"

namespace spiro {

RespVolume gRespVolume;

RespVolume::Local RespVolume::NewLocalData(std::int16_t channel, std::uint8_t* flagOut) {
  if (flagOut != nullptr) *flagOut = 1;
  return volume::NewLocalData(channel);
}

void RespVolume::GetFunctionName(unsigned char* nameOut, Local) {
  CopyOwnName(*this, volume::kStringListId, volume::kNameEntry, nameOut);
}

void RespVolume::GetDescription(void* recordOut, Local local) {
  const Handle settings = SettingsHandleOf(local);
  if (settings == nullptr) return;
  const std::int16_t source = LoadHandleRecord<RespVolumeSettings>(settings).sourceChannel;
  DescribeSource(recordOut, *this, volume::kStringListId, volume::kDescriptionEntry, source);
}

void RespVolume::HandleNotification(std::int16_t code, std::uint32_t value, Local local) {
  volume::HandleNotification(code, value, local);
}

void RespVolume::ComputeBlock(std::uint32_t input, std::uint32_t output, std::int16_t channel,
                              std::int16_t block, std::int16_t first, std::int16_t end,
                              std::uint8_t, Local local) {
  const ComputeBlockRequest request{vantor::PointerFromU32<char*>(input),
                                    vantor::PointerFromU32<char*>(output),
                                    channel,
                                    block,
                                    first,
                                    end};
  ComputeVolumeBlock(request, local);
}

void RespVolume::GetChannelInfo(std::int16_t, std::int16_t, void* infoOut, Local local) {
  volume::GetChannelInfo(infoOut, local);
}

bool RespVolume::HasDataForBlock(std::int16_t, std::int16_t block, Local local) {
  return volume::HasDataForBlock(block, local);
}

bool RespVolume::GetChannelUnits(std::int16_t, std::int16_t block, void* flagOut, void* unitsOut,
                                 Local local) {
  volume::GetChannelUnits(block, unitsOut, local);
  if (flagOut != nullptr) vantor::StoreAt<std::int16_t>(flagOut, 0, 0);
  return true;
}

bool RespVolume::EditSettings(std::int16_t channel, Local local) {
  return volume::EditSettings(channel, local);
}

void RespVolume::PerformCommand(void* commandRecord, Local local) {
  volume::PerformCommand(commandRecord, local);
}

void RespVolume::ComputeLive(std::int16_t lastDone, std::int16_t lastToDo, std::int16_t ringLength,
                             std::int16_t channel, std::uint32_t* inputRings,
                             std::uint32_t* outputRings, Local local) {
  if (local == nullptr) return;
  const ComputeLiveRequest request{lastDone, lastToDo,   ringLength,
                                   channel,  inputRings, outputRings};
  ComputeVolumeLive(request, SettingsHandleOf(local));
}

bool RespVolume::MatchesSource(std::int16_t channel, std::int16_t kind, Local local) {
  return SettingsMatchSource<RespVolumeSettings>(SettingsHandleOf(local), channel, kind);
}

}  // namespace spiro
