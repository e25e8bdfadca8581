#include "setting_submission.h"

#include "host/service_table.h"
#include "vantor/services.h"

namespace cli {
namespace {

template <int Index, class... Args>
auto CallService(Args... args) {
  return vantor::ServiceAt<Index>(host::Services())(args...);
}

}  // namespace

void SubmitSettings(const host::Extension& function, int channel, const std::vector<SettingCommand>& commands) {
  using namespace vantor::service;
  for (const SettingCommand& command : commands) {
    const auto key = static_cast<std::uint16_t>(CallService<HostMapExtensionId>(command.code, function.hostRef));
    std::visit(
        [&](auto value) {
          using T = decltype(value);
          if constexpr (std::is_same_v<T, std::int16_t>) CallService<HostSubmitCommandShort>(key, channel, value);
          if constexpr (std::is_same_v<T, bool>) CallService<HostSubmitCommandFlag>(key, channel, value);
          if constexpr (std::is_same_v<T, double>) CallService<HostSubmitCommandDouble>(key, channel, value);
        },
        command.value);
  }
}

}  // namespace cli
