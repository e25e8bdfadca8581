// "Spirometry Flow": the computed function reached through Main3.
#pragma once

#include "frame/computed_function_base.h"

namespace spiro {

namespace flow {
struct LocalDataType;  // one per computed channel
}

class RespFlowExtension final : public ComputedFunctionBase<flow::LocalDataType**> {
 public:
  using Local = flow::LocalDataType**;
  bool Initialize() override { return true; }
  void Terminate() override {}
  Local NewLocalData(std::int16_t channel, std::uint8_t* flagOut) override;
  void GetFunctionName(unsigned char* nameOut, Local local) override;
  void GetDescription(void* recordOut, Local local) override;
  void HandleNotification(std::int16_t code, std::uint32_t value, Local local) override;
  void ComputeBlock(std::uint32_t input, std::uint32_t output, std::int16_t channel,
                    std::int16_t block, std::int16_t first, std::int16_t end, std::uint8_t flag,
                    Local local) override;
  void GetChannelInfo(std::int16_t channel, std::int16_t block, void* infoOut,
                      Local local) override;
  bool HasDataForBlock(std::int16_t channel, std::int16_t block, Local local) override;
  bool GetChannelUnits(std::int16_t channel, std::int16_t block, void* flagOut, void* unitsOut,
                       Local local) override;
  bool EditSettings(std::int16_t channel, Local local) override;
  void PerformCommand(void* commandRecord, Local local) override;
  void ComputeLive(std::int16_t lastDone, std::int16_t lastToDo, std::int16_t ringLength,
                   std::int16_t channel, std::uint32_t* inputRings, std::uint32_t* outputRings,
                   Local local) override;
  bool MatchesSource(std::int16_t channel, std::int16_t kind, Local local) override;
};

extern RespFlowExtension gRespFlowExtension;

}  // namespace spiro
