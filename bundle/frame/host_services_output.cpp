#include "frame/host_services_output.h"

namespace spiro {

namespace service = vantor::service;

void HostService528(StringPtr name, std::int16_t which) {
  Str255 result{};
  frame::HostEntry<service::HostService528>()(&result, which);
  frame::CopyStr255Result(name, result);
}

}  // namespace spiro
