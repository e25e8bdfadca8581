// The classic resource file (a resource fork kept as a plain file): a 16-byte
// header, the data area (each resource a u32 length and its bytes) and the
// resource map (type list, reference lists, name list), all big-endian.
//
// This layer holds no state and allocates no handles: the Resource Manager and
// the resource compiler both build on it.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "toolbox/mac_types.h"

// A file whose data area or map outgrows the format's 24-bit data offsets or
// 16-bit map offsets (MacErrors.h value).
enum : OSErr { writingPastEnd = -189 };

namespace toolbox {

struct ResourceRecord {
  ResType type = 0;
  SInt16 id = 0;
  std::optional<std::string> name;  // MacRoman, at most 255 bytes; none when empty optional
  UInt8 attributes = 0;             // as stored in the map entry
  std::vector<unsigned char> data;

  bool operator==(const ResourceRecord&) const = default;
};

struct ResourceFileContents {
  UInt16 fileAttributes = 0;
  // Map order: Get1IndResource counts in this order within a type.
  std::vector<ResourceRecord> resources;

  bool operator==(const ResourceFileContents&) const = default;
};

// Where the writer puts the data area: after the header and the 240 reserved bytes.
constexpr std::size_t kResourceDataAreaOffset = 256;
// Data offsets in the map are 24-bit.
constexpr std::size_t kMaxResourceDataArea = std::size_t{1} << 24;

// Reads a whole file. Every offset, length and count is checked against the
// region it points into; reference lists and data entries must not overlap
// one another, so a file cannot make the reader repeat work or memory.
// Returns noErr, or mapReadErr for anything inconsistent (contents untouched).
OSErr ParseResourceFile(std::span<const unsigned char> bytes, ResourceFileContents& contents);

// Writes a whole file: resources grouped by type in order of first appearance,
// each type's entries in the given order. Returns noErr; paramErr for a name
// longer than 255 bytes; writingPastEnd when the data area or map would not fit
// the format's offsets (bytes untouched on error).
OSErr SerializeResourceFile(const ResourceFileContents& contents, std::vector<unsigned char>& bytes);

}  // namespace toolbox
