// "Spirometry Flow": every operation forwards to the flow function's free
// functions over its per-channel record.
#include "computed/resp_flow_extension.h"

#include "computed/computed_description.h"
#include "computed/flow_computation.h"
#include "computed/flow_object.h"
#include "computed/local_records.h"
#include "util/handle_record.h"
#include "vantor/byte_access.h"

namespace spiro {

RespFlowExtension gRespFlowExtension;

RespFlowExtension::Local RespFlowExtension::NewLocalData(std::int16_t channel,
                                                         std::uint8_t* flagOut) {
  if (flagOut != nullptr) *flagOut = 1;
  return flow::NewLocalData(channel);
}

void RespFlowExtension::GetFunctionName(unsigned char* nameOut, Local) {
  CopyOwnName(*this, flow::kStringListId, flow::kNameEntry, nameOut);
}

void RespFlowExtension::GetDescription(void* recordOut, Local local) {
  const Handle settings = SettingsHandleOf(local);
  if (settings == nullptr) return;
  const std::int16_t source = LoadHandleRecord<RespFlowSettings>(settings).sourceChannel;
  DescribeSource(recordOut, *this, flow::kStringListId, flow::kDescriptionEntry, source);
}

void RespFlowExtension::HandleNotification(std::int16_t code, std::uint32_t value, Local local) {
  flow::HandleNotification(code, value, local);
}

void RespFlowExtension::ComputeBlock(std::uint32_t input, std::uint32_t output,
                                     std::int16_t channel, std::int16_t block, std::int16_t first,
                                     std::int16_t end, std::uint8_t, Local local) {
  const ComputeBlockRequest request{vantor::PointerFromU32<char*>(input),
                                    vantor::PointerFromU32<char*>(output),
                                    channel,
                                    block,
                                    first,
                                    end};
  ComputeFlowBlock(request, SettingsHandleOf(local));
}

void RespFlowExtension::GetChannelInfo(std::int16_t, std::int16_t block, void* infoOut,
                                       Local local) {
  flow::GetChannelInfo(block, infoOut, local);
}

bool RespFlowExtension::HasDataForBlock(std::int16_t, std::int16_t block, Local local) {
  return flow::HasDataForBlock(block, local);
}

bool RespFlowExtension::GetChannelUnits(std::int16_t, std::int16_t block, void* flagOut,
                                        void* unitsOut, Local local) {
  flow::GetChannelUnits(block, unitsOut, local);
  if (flagOut != nullptr) vantor::StoreAt<std::int16_t>(flagOut, 0, 0);
  return true;
}

bool RespFlowExtension::EditSettings(std::int16_t channel, Local local) {
  return flow::EditSettings(channel, local);
}

void RespFlowExtension::PerformCommand(void* commandRecord, Local local) {
  flow::PerformCommand(commandRecord, local);
}

void RespFlowExtension::ComputeLive(std::int16_t lastDone, std::int16_t lastToDo,
                                    std::int16_t ringLength, std::int16_t channel,
                                    std::uint32_t* inputRings, std::uint32_t* outputRings,
                                    Local local) {
  if (local == nullptr) return;
  const ComputeLiveRequest request{lastDone, lastToDo,   ringLength,
                                   channel,  inputRings, outputRings};
  ComputeFlowLive(request, SettingsHandleOf(local));
}

bool RespFlowExtension::MatchesSource(std::int16_t channel, std::int16_t kind, Local local) {
  return SettingsMatchSource<RespFlowSettings>(SettingsHandleOf(local), channel, kind);
}

}  // namespace spiro
