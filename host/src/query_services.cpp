// HostQueryValue (172): host state by selector. Unknown selectors answer 0.
// Selectors 200 and 205 (procedures for dialogs) come with the dialog driver.
#include "host/host_state.h"
#include "host/service_table.h"
#include "vantor/services.h"

namespace host {
namespace {

enum Selector : std::int16_t {
  kRecording = 100,
  kSuppressWarnings = 101,
  kChannelCount = 1539,
};

std::uint32_t QueryValueService(std::int16_t selector) {
  const HostState& state = State();
  switch (selector) {
    case kRecording: return state.recording ? 1 : 0;
    case kSuppressWarnings: return state.suppressWarnings ? 1 : 0;
    case kChannelCount: return static_cast<std::uint32_t>(state.channelCount);
    default: return 0;
  }
}

}  // namespace

void InstallQueryServices(vantor::ServiceTable& table) {
  vantor::SetService<vantor::service::HostQueryValue>(table, &QueryValueService);
}

}  // namespace host
