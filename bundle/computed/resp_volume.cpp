// Until the volume computation lands the function attaches to nothing: it
// creates no local data, so the host never offers it a block.
#include "computed/resp_volume.h"

RespVolume gRespVolume;

RespVolume::Local RespVolume::NewLocalData(std::int16_t, std::uint8_t*) {
  return nullptr;
}
void RespVolume::GetFunctionName(unsigned char* nameOut, Local) {
  if (nameOut != nullptr) nameOut[0] = 0;
}
void RespVolume::GetDescription(void*, Local) {}
void RespVolume::HandleNotification(std::int16_t, std::uint32_t, Local) {}
void RespVolume::ComputeBlock(std::uint32_t, std::uint32_t, std::int16_t, std::int16_t,
                                     std::int16_t, std::int16_t, std::uint8_t, Local) {}
void RespVolume::GetChannelInfo(std::int16_t, std::int16_t, void*, Local) {}
bool RespVolume::HasDataForBlock(std::int16_t, std::int16_t, Local) { return false; }
bool RespVolume::GetChannelUnits(std::int16_t, std::int16_t, void*, void*, Local) {
  return false;
}
bool RespVolume::EditSettings(std::int16_t, Local) { return false; }
void RespVolume::PerformCommand(void*, Local) {}
void RespVolume::ComputeLive(std::int16_t, std::int16_t, std::int16_t, std::int16_t,
                                    std::uint32_t*, std::uint32_t*, Local) {}
bool RespVolume::MatchesSource(std::int16_t, std::int16_t, Local) { return false; }
