// The EDF reader's internal steps: the header with its signal headers, and
// the annotation lists inside data records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "host/edf_reader.h"

namespace host::edf {

inline constexpr std::size_t kFixedHeaderBytes = 256;
inline constexpr std::size_t kSignalHeaderBytes = 256;
// A data record above this size is refused (EDF recommends far less; the
// limit keeps a hostile header from asking for absurd buffers).
inline constexpr std::size_t kMaxRecordBytes = 10 * 1024 * 1024;

// Where things are in the file, as the header states them.
struct EdfLayout {
  std::size_t headerBytes = 0;
  std::size_t recordBytes = 0;
  std::int64_t statedRecordCount = 0;  // -1: "unknown" (file still being recorded)
  std::vector<std::size_t> signalOffsets;  // byte offset of each signal within a record
};

// Parses the fixed header and the signal headers into everything of
// `contents` but the records, and fills `layout`. Checks the header's own
// consistency, not the file size.
bool ParseEdfHeader(std::span<const unsigned char> bytes, EdfContents& contents, EdfLayout& layout,
                    std::string* problem);

// Parses one annotation signal's bytes in one record. When `timeKeeping` is
// set the first list must begin with the record's onset (an empty
// annotation), stored in *recordOnset. Texts go to `annotations`.
bool ParseAnnotationArea(std::span<const unsigned char> area, bool timeKeeping, double* recordOnset,
                         std::vector<EdfAnnotation>& annotations, std::string* problem);

}  // namespace host::edf
