// The fields of the host's 400-byte range record (services 511..524) that an
// extension reads. The rest of the record is the host's.
#pragma once

#include <cstddef>

#include "vantor/services.h"

namespace vantor {

// i32 absolute sample positions; the end is exclusive.
inline constexpr std::size_t kRangeStartAt = 8;
inline constexpr std::size_t kRangeEndAt = 12;
static_assert(kRangeEndAt + 4 <= kRangeRecordBytes);

}  // namespace vantor
