// The volume function's settings dialog is built later; until then no
// request to edit the settings is accepted.
#include "computed/volume_object.h"

namespace volume {

bool EditSettings(std::int16_t, LocalDataType**) { return false; }

}  // namespace volume
