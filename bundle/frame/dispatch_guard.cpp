#include "frame/dispatch_guard.h"

#include <cstring>

#include "frame/host_services.h"
#include "toolbox/resources.h"

namespace spiro {

namespace {
constexpr std::int16_t kErrorStringList = 2015;
}

void frame::AlertUnexpectedError(std::int16_t stringIndex) {
  Str255 text;
  GetIndString(text, kErrorStringList, stringIndex);
  Str255 shown;
  std::memcpy(shown, text, sizeof shown);
  HostAlert(shown);
}

}  // namespace spiro
