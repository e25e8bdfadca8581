// Documents on disk (".vantor"): an SQLite database holding the channels,
// the blocks, every channel's samples and scaling per block, the computed
// channels and the command journal that sets them up, the window extensions
// open on the document, and the document's resource file. A save is written
// in one transaction into a new file that replaces the old one only when
// complete, so a failure never leaves half a document.
#pragma once

#include <string>

#include "host/bundle.h"
#include "host/document.h"

namespace host {

// True for a path that names a saved document (by its ending).
bool IsDocumentPath(const std::string& path);

// Asks the window extensions to save their settings into the document's
// resource file (DoMenuCommand 200), then writes the file. False with one
// line in `problem` when it cannot be written.
bool SaveDocument(Document& document, const std::string& path, std::string* problem);

// Rebuilds a saved document into an empty one: its recording, then its
// computed channels attached to the bundle's functions, its window
// extensions opened, the journal delivered again and the extensions asked to
// load their settings (DoMenuCommand 203). The document is made current.
// False with one line when the file is not a saved document, is damaged, or
// names a function the bundle does not have.
bool OpenDocument(const std::string& path, const Bundle& bundle, Document& document, std::string* problem);

}  // namespace host
