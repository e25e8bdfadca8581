// Base of the window extension: the operations reached by messages 5..21 and
// the dispatcher that unpacks their parameter blocks.
#pragma once

#include <cstdint>

#include "frame/dispatch_guard.h"
#include "frame/extension_base.h"
#include "vantor/byte_access.h"
#include "vantor/messages.h"

namespace spiro {

template <class LocalHandle>
class GeneralExtensionBase : public VantorExtensionBase {
 public:
  std::uint32_t GetExtensionKind() override { return vantor::kGeneralExtensionKind; }
  virtual LocalHandle NewLocalData() { return nullptr; }
  virtual void DisposeLocalData(LocalHandle) {}
  virtual void PerformCommand(void* /*commandRecord*/, LocalHandle) {}
  virtual void DoMenuCommand(std::int16_t /*command*/, std::int16_t /*value*/, std::uint32_t /*data*/,
                             LocalHandle) {}
  virtual bool OwnsWindow(void* /*window*/, LocalHandle) { return false; }
  virtual void UpdateWindow(void* /*window*/, LocalHandle) {}
  virtual void ResizeWindow(void* /*window*/, Point, LocalHandle) {}
  virtual void WindowFlagChanged(void* /*window*/, std::uint8_t, LocalHandle) {}
  virtual void ClickInWindow(void* /*window*/, std::int16_t /*value*/, std::uint32_t /*when*/,
                             std::uint32_t /*where*/, void* /*event*/, LocalHandle) {}
  virtual void AdjustCursor(void* /*window*/, Point, std::int16_t* /*cursorOut*/, LocalHandle) {}
  virtual void ActivateWindow(void* /*window*/, std::uint8_t /*active*/, LocalHandle) {}
  virtual void HandleMessage18(std::uint8_t /*flag*/, LocalHandle) {}
  virtual void DescribeWindow(void* /*window*/, std::int16_t, void* /*outRecord*/, LocalHandle) {}
  virtual bool HandleMessage20(std::uint32_t /*data*/, std::int8_t /*code*/, std::uint8_t /*flag*/,
                               void* /*blockTail*/, LocalHandle) {
    return false;
  }
  virtual void HandleMessage17(std::uint32_t /*data*/, std::int16_t /*value*/, LocalHandle) {}
  virtual void HandleMessage21(std::uint32_t /*data*/, std::int16_t /*value*/, LocalHandle) {}

  std::int32_t Dispatch(std::int16_t message, void* block, std::uint32_t serviceTable) {
    return frame::GuardDispatch(kAlertString, [&] {
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
  using vantor::LoadAt;
  using vantor::PointerFromU32;
  namespace m = vantor::general;
  const auto local = reinterpret_cast<LocalHandle>(
      static_cast<std::uintptr_t>(vantor::LocalField::Load(block)));
  const auto window = [&] { return PointerFromU32<void>(m::WindowField::Load(block)); };
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
    case m::kPerformCommand:
      PerformCommand(PointerFromU32<void>(m::PerformCommandBlock::Record::Load(block)), local);
      break;
    case m::kDoMenuCommand: {
      using F = m::DoMenuCommandBlock;
      DoMenuCommand(F::Command::Load(block), F::Value::Load(block), F::Data::Load(block), local);
      break;
    }
    case m::kOwnsWindow: return asBool(OwnsWindow(window(), local));
    case m::kUpdateWindow: UpdateWindow(window(), local); break;
    case m::kResizeWindow:
      ResizeWindow(window(), LoadAt<Point>(block, m::ResizeWindowBlock::Size::kOffset), local);
      break;
    case m::kWindowFlagChanged:
      WindowFlagChanged(window(), m::WindowFlagChangedBlock::Flag::Load(block), local);
      break;
    case m::kClickInWindow: {
      using F = m::ClickInWindowBlock;
      ClickInWindow(window(), F::Value::Load(block), F::When::Load(block), F::Where::Load(block),
                    F::Tail::Address(block), local);
      break;
    }
    case m::kAdjustCursor:
      AdjustCursor(window(), LoadAt<Point>(block, m::AdjustCursorBlock::Where::kOffset),
                   static_cast<std::int16_t*>(m::AdjustCursorBlock::CursorOut::Address(block)), local);
      break;
    case m::kActivateWindow:
      ActivateWindow(window(), m::ActivateWindowBlock::Active::Load(block), local);
      break;
    case m::kHandleMessage17:
      HandleMessage17(m::HandleMessage17Block::Data::Load(block),
                      m::HandleMessage17Block::Value::Load(block), local);
      break;
    case m::kHandleMessage18: HandleMessage18(m::HandleMessage18Block::Flag::Load(block), local); break;
    case m::kDescribeWindow:
      DescribeWindow(window(), m::DescribeWindowBlock::Selector::Load(block),
                     PointerFromU32<void>(m::DescribeWindowBlock::RecordOut::Load(block)), local);
      break;
    case m::kHandleMessage20: {
      using F = m::HandleMessage20Block;
      return asBool(HandleMessage20(F::Data::Load(block), F::Code::Load(block), F::Flag::Load(block),
                                    F::Tail::Address(block), local));
    }
    case m::kHandleMessage21:
      HandleMessage21(m::HandleMessage21Block::Data::Load(block),
                      m::HandleMessage21Block::Value::Load(block), local);
      break;
    default: break;
  }
  return result;
}

}  // namespace spiro
