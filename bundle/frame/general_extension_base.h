// Base of the window extension: the operations reached by messages 5..21 and
// the dispatcher that unpacks their parameter blocks.
#pragma once

#include <cstdint>

#include "frame/dispatch_guard.h"
#include "frame/extension_base.h"
#include "vantor/byte_access.h"
#include "vantor/messages.h"

template <class LocalHandle>
class GeneralExtensionBase : public VantorExtensionBase {
 public:
  std::uint32_t GetExtensionKind() override { return vantor::kGeneralExtensionKind; }
  virtual LocalHandle NewLocalData() { return nullptr; }
  virtual void DisposeLocalData(LocalHandle) {}
  virtual void PerformCommand(void* /*commandRecord*/, LocalHandle) {}
  virtual void DoMenuCommand(std::int16_t /*command*/, std::int16_t, std::uint32_t, LocalHandle) {}
  virtual bool OwnsWindow(void* /*window*/, LocalHandle) { return false; }
  virtual void UpdateWindow(void* /*window*/, LocalHandle) {}
  virtual void ResizeWindow(void* /*window*/, Point, LocalHandle) {}
  virtual void WindowFlagChanged(void* /*window*/, std::uint8_t, LocalHandle) {}
  virtual void ClickInWindow(void* /*window*/, std::int16_t, std::uint32_t, std::uint32_t,
                             void* /*blockTail*/, LocalHandle) {}
  virtual void AdjustCursor(void* /*window*/, Point, std::int16_t* /*cursorOut*/, LocalHandle) {}
  virtual void ActivateWindow(void* /*window*/, std::uint8_t /*active*/, LocalHandle) {}
  virtual void HandleMessage18(std::uint8_t, LocalHandle) {}
  virtual void DescribeWindow(void* /*window*/, std::int16_t, void* /*outRecord*/, LocalHandle) {}
  virtual bool HandleMessage20(std::uint32_t, std::int8_t, std::uint8_t, void*, LocalHandle) {
    return false;
  }
  virtual void HandleMessage17(std::uint32_t, std::int16_t, LocalHandle) {}
  virtual void HandleMessage21(std::uint32_t, std::int16_t, LocalHandle) {}

  std::int32_t Dispatch(std::int16_t message, void* block, std::uint32_t serviceTable) {
    return GuardDispatch(kAlertString, [&] {
      const std::int32_t result = DispatchCommon(message, block, serviceTable);
      if (message < vantor::general::kFirstMessage || message > vantor::general::kLastMessage) {
        return result;
      }
      return DispatchOperation(message, block, result);
    });
  }

 protected:
  GeneralExtensionBase() = default;
  ~GeneralExtensionBase() = default;

 private:
  static constexpr std::int16_t kAlertString = 3;

  std::int32_t DispatchOperation(std::int16_t message, void* block, std::int32_t result);
};

template <class LocalHandle>
std::int32_t GeneralExtensionBase<LocalHandle>::DispatchOperation(std::int16_t message,
                                                                  void* block,
                                                                  std::int32_t result) {
  using vantor::AddressAt;
  using vantor::LoadAt;
  using vantor::PointerFromU32;
  namespace m = vantor::general;
  const auto local = reinterpret_cast<LocalHandle>(
      static_cast<std::uintptr_t>(LoadAt<std::uint32_t>(block, vantor::kLocalOffset)));
  const auto u32 = [&](std::size_t at) { return LoadAt<std::uint32_t>(block, at); };
  const auto i16 = [&](std::size_t at) { return LoadAt<std::int16_t>(block, at); };
  const auto u8 = [&](std::size_t at) { return LoadAt<std::uint8_t>(block, at); };
  const auto window = [&] { return PointerFromU32<void>(u32(4)); };
  const auto asBool = [result](bool b) { return b ? 1 : result; };

  switch (message) {
    case m::kHandleMessage5:
      return static_cast<std::int32_t>(HandleMessage5());
    case m::kNewLocalData: {
      const LocalHandle created = NewLocalData();
      return static_cast<std::int32_t>(
          static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(created)));
    }
    case m::kDisposeLocalData: DisposeLocalData(local); break;
    case m::kPerformCommand: PerformCommand(PointerFromU32<void>(u32(4)), local); break;
    case m::kDoMenuCommand: DoMenuCommand(i16(4), i16(10), u32(6), local); break;
    case m::kOwnsWindow: return asBool(OwnsWindow(window(), local));
    case m::kUpdateWindow: UpdateWindow(window(), local); break;
    case m::kResizeWindow: ResizeWindow(window(), LoadAt<Point>(block, 8), local); break;
    case m::kWindowFlagChanged: WindowFlagChanged(window(), u8(8), local); break;
    case m::kClickInWindow:
      ClickInWindow(window(), i16(8), u32(10), u32(14), AddressAt(block, 18), local);
      break;
    case m::kAdjustCursor:
      AdjustCursor(window(), LoadAt<Point>(block, 8),
                   static_cast<std::int16_t*>(AddressAt(block, 12)), local);
      break;
    case m::kActivateWindow: ActivateWindow(window(), u8(8), local); break;
    case m::kHandleMessage17: HandleMessage17(u32(4), i16(8), local); break;
    case m::kHandleMessage18: HandleMessage18(u8(4), local); break;
    case m::kDescribeWindow:
      DescribeWindow(window(), i16(8), PointerFromU32<void>(u32(10)), local);
      break;
    case m::kHandleMessage20:
      return asBool(HandleMessage20(u32(4), LoadAt<std::int8_t>(block, 8), u8(9),
                                    AddressAt(block, 10), local));
    case m::kHandleMessage21: HandleMessage21(u32(4), i16(8), local); break;
    default: break;
  }
  return result;
}
