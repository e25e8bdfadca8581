// The window extension's per-document record: made with its string lists,
// menu items, toolbar buttons and default options; freed with everything it
// owns.
#pragma once

#include "extension/spiro_records.h"
#include "frame/extension_base.h"

namespace spiro {

namespace spirometry {

// Null after the out-of-memory alert, or after the alert of a missing string
// list with everything made so far freed.
LocalDataType** NewSpiroLocalData(const VantorExtensionBase& extension);
void DisposeSpiroLocalData(LocalDataType** local);

}  // namespace spirometry

}  // namespace spiro
