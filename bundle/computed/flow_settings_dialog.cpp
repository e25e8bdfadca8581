// The flow function's settings dialog is built later; until then no request
// to edit the settings is accepted.
#include "computed/flow_object.h"

namespace flow {

bool EditSettings(std::int16_t, LocalDataType**) { return false; }

}  // namespace flow
