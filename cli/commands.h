// The vantor subcommands; each returns the process exit code.
#pragma once

#include <string>

#include "host/bundle.h"

namespace cli {

int ListBundle(const std::string& bundlePath);
int ListResources(const std::string& path);

}  // namespace cli
