// The fields 'WIND' and 'DLOG' share: bounds, definition procedure,
// visibility, close box, reference constant and the positioning word.
#pragma once

#include <string_view>

#include "source_fields.h"
#include "toolbox/big_endian_bytes.h"

namespace rez {

// Keys of the shared fields, for AllowResourceKeys.
inline constexpr std::string_view kWindowKeys[] = {"title",   "bounds",  "proc",    "visible",
                                                   "go_away", "ref_con", "position"};

// Writes bounds, proc id, visible + fill, go-away + fill and the reference constant.
void WriteWindowHead(const Fields& resource, toolbox::BigEndianWriter& out);
// Writes the title, then (when 'position' is given) pads to even and writes
// the positioning word of newer templates.
void WriteWindowTail(const Fields& resource, toolbox::BigEndianWriter& out);

}  // namespace rez
