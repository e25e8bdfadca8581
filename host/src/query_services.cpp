// HostQueryValue (172): host state by selector. Unknown selectors answer 0.
// Selectors 200 and 205 are procedures for dialogs (dialog_procedures.h).
// HostHasCapability (98): 58 is expert mode; the host has no other.
#include "dialog_procedures.h"
#include "host/document.h"
#include "host/host_state.h"
#include "host/service_table.h"
#include "vantor/services.h"

namespace host {
namespace {

enum Selector : std::int16_t {
  kRecording = 100,
  kSuppressWarnings = 101,
  kStandardUserItem = 200,
  kStandardModalFilter = 205,
  kChannelCount = 1539,
};

std::uint32_t QueryValueService(std::int16_t selector) {
  const HostState& state = State();
  switch (selector) {
    case kRecording: return state.recording ? 1 : 0;
    case kSuppressWarnings: return state.suppressWarnings ? 1 : 0;
    case kChannelCount: {
      // The current document's, when there is one.
      const Document* document = CurrentDocument();
      return static_cast<std::uint32_t>(document != nullptr ? document->channelCount() : state.channelCount);
    }
    case kStandardUserItem: return StandardUserItemReference();
    case kStandardModalFilter: return StandardModalFilterReference();
    default: return 0;
  }
}

constexpr std::int16_t kExpertModeCapability = 58;

bool HasCapabilityService(std::int16_t capability) {
  return capability == kExpertModeCapability && State().expertMode;
}

}  // namespace

void InstallQueryServices(vantor::ServiceTable& table) {
  vantor::SetService<vantor::service::HostQueryValue>(table, &QueryValueService);
  vantor::SetService<vantor::service::HostHasCapability>(table, &HasCapabilityService);
}

}  // namespace host
