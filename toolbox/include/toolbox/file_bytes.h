// Whole-file reads and crash-safe whole-file writes (Linux extras).
#pragma once

#include <string>
#include <vector>

#include "toolbox/mac_types.h"

namespace toolbox {

// noErr, fnfErr when nothing is at path, ioErr otherwise.
OSErr ReadFileBytes(const std::string& path, std::vector<unsigned char>& bytes);

// Writes to a temporary file beside path, flushes it to disk and renames it
// over path: readers and a crash see the old file or the new one, never a
// mix. Keeps the permissions of a file it replaces. noErr, fnfErr when the
// directory is missing, ioErr otherwise.
OSErr WriteFileBytesAtomically(const std::string& path, const std::vector<unsigned char>& bytes);

}  // namespace toolbox
