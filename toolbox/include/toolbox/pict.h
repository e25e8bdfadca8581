// PICT version 2: display lists to picture bytes and back.
//
// The writer emits a bare picture (no 512-byte file header): picSize, the
// frame, the version and header opcodes, then for each operation the state
// opcodes that changed (clip, pen, colours, text) and one drawing opcode.
// Images become DirectBitsRect with 32-bit unpacked pixels and alpha.
// Text longer than 255 bytes is split over several LongText opcodes.
//
// The reader accepts what the writer produces and the common opcodes of other
// writers (state, lines, texts, rectangles, round rectangles, ovals, polygons,
// comments, 32-bit direct
// pixels packed or not), skipping by their stated lengths the ones that draw
// nothing we show. Framed polygons draw as their edges, filled polygons as
// the spans of their rows, rectangular regions as rectangles; arcs, complex
// regions and pixel patterns are skipped. It refuses, without
// reading outside the bytes it was given, anything truncated or inconsistent,
// version 1 pictures and opcodes it cannot skip safely.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "toolbox/display_list.h"

namespace toolbox {

struct PictContents {
  Rect frame{};          // picFrame
  DisplayList list;      // operations in the picture's coordinates

  bool operator==(const PictContents&) const = default;
};

std::vector<unsigned char> WritePict(const Rect& frame, const DisplayList& list);
// Writes picture bytes (as on the clipboard) as a PICT file: the 512-byte
// header other programs expect (zeros), then the picture. Written whole or
// not at all (file_bytes.h); noErr, fnfErr, ioErr, or paramErr for bytes
// that are not a picture.
OSErr WritePictFile(const std::string& path, std::span<const unsigned char> picture);

// Parses a picture, with or without the 512-byte header of a PICT file.
// On failure returns nothing and, when error is given, one line saying why.
std::optional<PictContents> ReadPict(std::span<const unsigned char> bytes, std::string* error = nullptr);

}  // namespace toolbox
