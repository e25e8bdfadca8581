// DirectBitsRect: 32-bit pixel images inside pictures.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "toolbox/big_endian_bytes.h"
#include "toolbox/display_list.h"

namespace toolbox::pict {

// Writes the opcode and its operands for an image operation (unpacked pixels
// with alpha). Images too wide for a pixel map row (over 4095 pixels) are left out.
void WriteDirectBits(BigEndianWriter& out, const DrawOp& image);

// Reads the operands that follow a DirectBitsRect opcode at pos into an image
// operation (its state is left to the caller) and advances pos past them.
// False, with error set, when they are truncated or describe pixels we do not read.
bool ReadDirectBits(const BigEndianReader& in, std::size_t& pos, DrawOp& image, std::string& error);

// Expands PackBits data into exactly `expected` bytes; false when the data
// runs short, overruns or leaves bytes unused.
bool UnpackBits(std::span<const unsigned char> packed, std::size_t expected, std::vector<unsigned char>& out);

}  // namespace toolbox::pict
