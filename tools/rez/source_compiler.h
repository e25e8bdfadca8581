// Compiling one resource source file (TOML) into resource records.
#pragma once

#include <string>
#include <vector>

#include "toolbox/resource_file_format.h"

namespace rez {

// Throws RezError (text without the file name) on the first problem.
std::vector<toolbox::ResourceRecord> CompileSourceFile(const std::string& path);

}  // namespace rez
