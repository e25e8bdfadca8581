// Exporting a document's channels as CSV (docs/csv.md): what each channel
// displays, computed channels included, in its units.
#pragma once

#include <string>

namespace toolbox {
class AtomicFileWriter;
}

namespace host {

class Document;

// A header row ("Time [s]", then "Title [unit]" per channel) and a row per
// sample of every block. Time counts from the first block's start, so a gap
// between blocks shows as a step in time (read back, it starts a new block).
// A channel that shows nothing in a block has empty cells there. The file
// appears whole or not at all. False with one line in *problem when a
// computation fails or the file cannot be written.
bool ExportChannelsCsv(Document& document, const std::string& path, std::string* problem);
// The same, block by block into `out`, which the caller commits (or not: a
// caller that learns the computation went wrong leaves the old file).
bool ExportChannelsCsv(Document& document, toolbox::AtomicFileWriter& out, std::string* problem);

}  // namespace host
