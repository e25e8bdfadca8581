// Base of the computed functions: the operations reached by messages 5..17 and
// the dispatcher that unpacks their parameter blocks.
#pragma once

#include <cstdint>

#include "frame/dispatch_guard.h"
#include "frame/extension_base.h"
#include "vantor/byte_access.h"
#include "vantor/messages.h"

template <class LocalHandle>
class ComputedFunctionBase : public VantorExtensionBase {
 public:
  std::uint32_t GetExtensionKind() override { return vantor::kComputedFunctionKind; }
  // channel: the channel the function is attached to; flagOut: a u8 the host reads back.
  virtual LocalHandle NewLocalData(std::int16_t channel, std::uint8_t* flagOut) = 0;
  virtual void GetFunctionName(unsigned char* nameOut, LocalHandle local) = 0;
  virtual void GetDescription(void* recordOut, LocalHandle local) = 0;
  virtual void HandleNotification(std::int16_t code, std::uint32_t value, LocalHandle local) = 0;
  // input/output: handles (u32 addresses) of the block's recorded input and of
  // the output samples; [first, end) the offsets to compute; flag unused.
  virtual void ComputeBlock(std::uint32_t input, std::uint32_t output, std::int16_t channel,
                            std::int16_t block, std::int16_t first, std::int16_t end,
                            std::uint8_t flag, LocalHandle local) = 0;
  virtual void GetChannelInfo(std::int16_t channel, std::int16_t block, void* infoOut,
                              LocalHandle local) = 0;
  virtual bool HasDataForBlock(std::int16_t channel, std::int16_t block, LocalHandle local) = 0;
  virtual bool GetChannelUnits(std::int16_t channel, std::int16_t block, void* flagOut,
                               void* unitsOut, LocalHandle local) = 0;
  virtual bool EditSettings(std::int16_t channel, LocalHandle local) = 0;
  virtual void PerformCommand(void* commandRecord, LocalHandle local) = 0;
  // Rings: arrays of 32 four-byte addresses, one per channel.
  virtual void ComputeLive(std::int16_t lastDone, std::int16_t lastToDo, std::int16_t ringLength,
                           std::int16_t channel, std::uint32_t* inputRings,
                           std::uint32_t* outputRings, LocalHandle local) {
    (void)lastDone, (void)lastToDo, (void)ringLength, (void)channel;
    (void)inputRings, (void)outputRings, (void)local;
  }
  virtual bool MatchesSource(std::int16_t channel, std::int16_t kind, LocalHandle local) = 0;

  std::int32_t Dispatch(std::int16_t message, void* block, std::uint32_t serviceTable) {
    return GuardDispatch(kAlertString, [&] {
      const std::int32_t result = DispatchCommon(message, block, serviceTable);
      if (message < vantor::computed::kFirstMessage || message > vantor::computed::kLastMessage) {
        return result;
      }
      return DispatchOperation(message, block, result);
    });
  }

 protected:
  ComputedFunctionBase() = default;
  ~ComputedFunctionBase() = default;

 private:
  static constexpr std::int16_t kAlertString = 1;

  std::int32_t DispatchOperation(std::int16_t message, void* block, std::int32_t result);
};

template <class LocalHandle>
std::int32_t ComputedFunctionBase<LocalHandle>::DispatchOperation(std::int16_t message,
                                                                  void* block,
                                                                  std::int32_t result) {
  using vantor::AddressAt;
  using vantor::LoadAt;
  using vantor::PointerFromU32;
  namespace m = vantor::computed;
  const auto local = reinterpret_cast<LocalHandle>(
      static_cast<std::uintptr_t>(LoadAt<std::uint32_t>(block, vantor::kLocalOffset)));
  const auto u32 = [&](std::size_t at) { return LoadAt<std::uint32_t>(block, at); };
  const auto i16 = [&](std::size_t at) { return LoadAt<std::int16_t>(block, at); };
  const auto asBool = [result](bool b) { return b ? 1 : result; };
  const auto rings = [&](std::size_t at) { return static_cast<std::uint32_t*>(AddressAt(block, at)); };

  switch (message) {
    case m::kHandleMessage5:
      return static_cast<std::int32_t>(HandleMessage5());
    case m::kNewLocalData: {
      const LocalHandle created =
          NewLocalData(i16(4), static_cast<std::uint8_t*>(AddressAt(block, 6)));
      return static_cast<std::int32_t>(
          static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(created)));
    }
    case m::kGetFunctionName:
      GetFunctionName(PointerFromU32<unsigned char>(u32(4)), local);
      break;
    case m::kComputeBlock:
      ComputeBlock(u32(4), u32(8), i16(12), i16(14), i16(16), i16(18),
                   LoadAt<std::uint8_t>(block, 20), local);
      break;
    case m::kEditSettings: return asBool(EditSettings(i16(4), local));
    case m::kPerformCommand: PerformCommand(PointerFromU32<void>(u32(4)), local); break;
    case m::kGetChannelInfo: GetChannelInfo(i16(6), i16(4), AddressAt(block, 8), local); break;
    case m::kHasDataForBlock: return asBool(HasDataForBlock(i16(6), i16(4), local));
    case m::kGetChannelUnits:
      return asBool(GetChannelUnits(i16(6), i16(4), AddressAt(block, 8),
                                    PointerFromU32<void>(u32(10)), local));
    case m::kHandleNotification: HandleNotification(i16(4), u32(6), local); break;
    case m::kComputeLive:
      ComputeLive(i16(4), i16(6), i16(8), i16(10), rings(m::kLiveSourceRingsOffset),
                  rings(m::kLiveOutputRingsOffset), local);
      break;
    case m::kMatchesSource: return asBool(MatchesSource(i16(4), i16(6), local));
    case m::kGetDescription: GetDescription(PointerFromU32<void>(u32(4)), local); break;
    default: break;
  }
  return result;
}
