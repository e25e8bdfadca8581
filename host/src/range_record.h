// The host's 400-byte range record. Extensions read only the start and end
// (vantor/range_record.h); the rest says whose record it is and what it is.
//
//   0   u32  'Rnge' tag: made by this host
//   4   u32  serial of the document it was made for
//   8   i32  start (absolute position)
//   12  i32  end (exclusive)
//   16  i16  channel, 0 = all channels
//   18  i16  block of the start, 20  i16 block of the end
//   22  u16  flags: bit 0 the selection (record 521), bit 1 made in the data view
//   the rest is zero
#pragma once

#include <cstdint>
#include <optional>

#include "host/selection.h"
#include "vantor/services.h"

namespace host {

class Document;

inline constexpr std::uint32_t kRangeTag = 0x526E6765;  // 'Rnge'
inline constexpr std::size_t kRangeTagAt = 0;
inline constexpr std::size_t kRangeDocumentAt = 4;
inline constexpr std::size_t kRangeChannelAt = 16;
inline constexpr std::size_t kRangeStartBlockAt = 18;
inline constexpr std::size_t kRangeEndBlockAt = 20;
inline constexpr std::size_t kRangeFlagsAt = 22;
inline constexpr std::uint16_t kRangeIsSelection = 1;
inline constexpr std::uint16_t kRangeInDataView = 2;

// Writes the record of `range` (all zero when there is none: not valid).
void WriteRangeRecord(unsigned char* out, const Document* document,
                      const std::optional<PositionRange>& range, int channel, std::uint16_t flags);

struct RangeRecordView {
  PositionRange range;
  std::uint16_t flags;
};
// The record's range when it is valid for the current document: made by this
// host for it, with 0 <= start <= end <= the document's length.
std::optional<RangeRecordView> ReadValidRangeRecord(const unsigned char* record);

}  // namespace host
