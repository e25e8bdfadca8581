// Until the flow computation lands the function attaches to nothing: it
// creates no local data, so the host never offers it a block.
#include "computed/resp_flow_extension.h"

RespFlowExtension gRespFlowExtension;

RespFlowExtension::Local RespFlowExtension::NewLocalData(std::int16_t, std::uint8_t*) {
  return nullptr;
}
void RespFlowExtension::GetFunctionName(unsigned char* nameOut, Local) {
  if (nameOut != nullptr) nameOut[0] = 0;
}
void RespFlowExtension::GetDescription(void*, Local) {}
void RespFlowExtension::HandleNotification(std::int16_t, std::uint32_t, Local) {}
void RespFlowExtension::ComputeBlock(std::uint32_t, std::uint32_t, std::int16_t, std::int16_t,
                                     std::int16_t, std::int16_t, std::uint8_t, Local) {}
void RespFlowExtension::GetChannelInfo(std::int16_t, std::int16_t, void*, Local) {}
bool RespFlowExtension::HasDataForBlock(std::int16_t, std::int16_t, Local) { return false; }
bool RespFlowExtension::GetChannelUnits(std::int16_t, std::int16_t, void*, void*, Local) {
  return false;
}
bool RespFlowExtension::EditSettings(std::int16_t, Local) { return false; }
void RespFlowExtension::PerformCommand(void*, Local) {}
void RespFlowExtension::ComputeLive(std::int16_t, std::int16_t, std::int16_t, std::int16_t,
                                    std::uint32_t*, std::uint32_t*, Local) {}
bool RespFlowExtension::MatchesSource(std::int16_t, std::int16_t, Local) { return false; }
