// Delivering settings to a computed channel the way its settings dialog does:
// each command under the key HostMapExtensionId gives the function for the
// code, submitted through the host's service table, so the host files it in
// the document's journal and hands it back to the function at once.
#pragma once

#include <vector>

#include "compute_options.h"
#include "host/bundle.h"

namespace cli {

// The document holding the channel must be the current one.
void SubmitSettings(const host::Extension& function, int channel, const std::vector<SettingCommand>& commands);

}  // namespace cli
