#include "frame/extension_base.h"

#include "frame/host_services.h"
#include "vantor/byte_access.h"
#include "vantor/messages.h"

namespace spiro {

std::int32_t VantorExtensionBase::SwapSettingsByteOrder(void*, std::uint32_t, bool) { return 0; }
bool VantorExtensionBase::Initialize() { return true; }
void VantorExtensionBase::RegisterWithHost() {}
std::uint32_t VantorExtensionBase::HandleMessage5() { return 0; }
void VantorExtensionBase::Terminate() {}

std::int32_t VantorExtensionBase::DispatchCommon(std::int16_t message, void* block,
                                                 std::uint32_t serviceTable) {
  SetHostServiceTable(serviceTable);
  // Sign extension then an unsigned comparison sends every negative message here too.
  if (static_cast<std::uint32_t>(static_cast<std::int32_t>(message)) > 4) return 0;
  switch (message) {
    case vantor::msg::kSetHostRef:
      hostRef = vantor::SetHostRefBlock::HostRef::Load(block);
      return 0;
    case vantor::msg::kGetKind:
      return static_cast<std::int32_t>(GetExtensionKind());
    case vantor::msg::kInitialize:
      return Initialize() ? 1 : 0;
    case vantor::msg::kTerminate:
      Terminate();
      return 0;
    default:
      RegisterWithHost();
      return 0;
  }
}

void VantorExtensionBase::BeginResources() const { HostBeginExtensionResources(hostRef); }
void VantorExtensionBase::EndResources() const { HostEndExtensionResources(hostRef); }

std::int16_t VantorExtensionBase::MapLocalId(std::uint16_t localId) const {
  return HostMapExtensionId(localId, hostRef);
}

void VantorExtensionBase::RegisterCommandSwapProc(std::uint16_t localId,
                                                  vantor::CommandSwapProc proc) const {
  HostSetCommandSwapProc(static_cast<std::uint16_t>(MapLocalId(localId)), proc);
}

}  // namespace spiro
