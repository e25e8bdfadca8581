// Base of the computed functions: the operations reached by messages 5..17 and
// the dispatcher that unpacks their parameter blocks.
#pragma once

#include <cstdint>

#include "frame/dispatch_guard.h"
#include "frame/extension_base.h"
#include "vantor/byte_access.h"
#include "vantor/messages.h"

namespace spiro {

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
    return frame::GuardDispatch(kAlertString, [&] {
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
  using vantor::PointerFromU32;
  namespace m = vantor::computed;
  const auto local = reinterpret_cast<LocalHandle>(
      static_cast<std::uintptr_t>(vantor::LocalField::Load(block)));
  const auto asBool = [result](bool b) { return b ? 1 : result; };

  switch (message) {
    case m::kHandleMessage5:
      return static_cast<std::int32_t>(HandleMessage5());
    case m::kNewLocalData: {
      const LocalHandle created =
          NewLocalData(m::NewLocalDataBlock::Channel::Load(block),
                       static_cast<std::uint8_t*>(m::NewLocalDataBlock::FlagOut::Address(block)));
      return static_cast<std::int32_t>(
          static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(created)));
    }
    case m::kGetFunctionName:
      GetFunctionName(PointerFromU32<unsigned char>(m::GetFunctionNameBlock::NameOut::Load(block)), local);
      break;
    case m::kComputeBlock: {
      using F = m::ComputeBlockBlock;
      ComputeBlock(F::Input::Load(block), F::Output::Load(block), F::Channel::Load(block),
                   F::Block::Load(block), F::First::Load(block), F::End::Load(block),
                   F::Flag::Load(block), local);
      break;
    }
    case m::kEditSettings: return asBool(EditSettings(m::EditSettingsBlock::Channel::Load(block), local));
    case m::kPerformCommand:
      PerformCommand(PointerFromU32<void>(m::PerformCommandBlock::Record::Load(block)), local);
      break;
    case m::kGetChannelInfo: {
      using F = m::GetChannelInfoBlock;
      GetChannelInfo(F::Channel::Load(block), F::Block::Load(block), F::InfoOut::Address(block), local);
      break;
    }
    case m::kHasDataForBlock: {
      using F = m::HasDataForBlockBlock;
      return asBool(HasDataForBlock(F::Channel::Load(block), F::Block::Load(block), local));
    }
    case m::kGetChannelUnits: {
      using F = m::GetChannelUnitsBlock;
      return asBool(GetChannelUnits(F::Channel::Load(block), F::Block::Load(block),
                                    F::FlagOut::Address(block),
                                    PointerFromU32<void>(F::UnitsOut::Load(block)), local));
    }
    case m::kHandleNotification:
      HandleNotification(m::HandleNotificationBlock::Code::Load(block),
                         m::HandleNotificationBlock::Value::Load(block), local);
      break;
    case m::kComputeLive: {
      using F = m::ComputeLiveBlock;
      ComputeLive(F::LastDone::Load(block), F::LastToDo::Load(block), F::RingLength::Load(block),
                  F::Channel::Load(block), static_cast<std::uint32_t*>(F::SourceRings::Address(block)),
                  static_cast<std::uint32_t*>(F::OutputRings::Address(block)), local);
      break;
    }
    case m::kMatchesSource:
      return asBool(MatchesSource(m::MatchesSourceBlock::Channel::Load(block),
                                  m::MatchesSourceBlock::Kind::Load(block), local));
    case m::kGetDescription:
      GetDescription(PointerFromU32<void>(m::GetDescriptionBlock::RecordOut::Load(block)), local);
      break;
    default: break;
  }
  return result;
}

}  // namespace spiro
