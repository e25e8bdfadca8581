#include "frame/host_services_host.h"

namespace spiro {

namespace service = vantor::service;

void HostService437(std::int32_t inputKind, std::int32_t* a, std::int32_t* b, StringPtr name) {
  Str255 result{};
  frame::HostEntry<service::HostService437>()(inputKind, a, b, &result);
  frame::CopyStr255Result(name, result);
}

void HostGetChannelName(std::int16_t channel, StringPtr name) {
  Str255 result{};
  frame::HostEntry<service::HostGetChannelName>()(channel, &result);
  frame::CopyStr255Result(name, result);
}

void HostService608(StringPtr suffix, std::int16_t channel) {
  Str255 result{};
  frame::HostEntry<service::HostService608>()(&result, channel);
  frame::CopyStr255Result(suffix, result);
}

void HostGetExtensionName(std::int16_t hostRef, StringPtr name) {
  Str255 result{};
  frame::HostEntry<service::HostGetExtensionName>()(hostRef, &result);
  frame::CopyStr255Result(name, result);
}

}  // namespace spiro
