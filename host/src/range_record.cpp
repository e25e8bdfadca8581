#include "range_record.h"

#include <cstring>

#include "host/document.h"
#include "vantor/byte_access.h"
#include "vantor/range_record.h"

namespace host {

void WriteRangeRecord(unsigned char* out, const Document* document,
                      const std::optional<PositionRange>& range, int channel, std::uint16_t flags) {
  std::memset(out, 0, vantor::kRangeRecordBytes);
  if (document == nullptr || !range) return;
  using vantor::StoreAt;
  StoreAt<std::uint32_t>(out, kRangeTagAt, kRangeTag);
  StoreAt<std::uint32_t>(out, kRangeDocumentAt, document->serial());
  StoreAt(out, vantor::kRangeStartAt, static_cast<std::int32_t>(range->start));
  StoreAt(out, vantor::kRangeEndAt, static_cast<std::int32_t>(range->end));
  StoreAt(out, kRangeChannelAt, static_cast<std::int16_t>(channel));
  StoreAt(out, kRangeStartBlockAt, static_cast<std::int16_t>(document->BlockOfPosition(range->start)));
  StoreAt(out, kRangeEndBlockAt, static_cast<std::int16_t>(document->BlockOfPosition(range->end)));
  StoreAt(out, kRangeFlagsAt, flags);
}

std::optional<RangeRecordView> ReadValidRangeRecord(const unsigned char* record) {
  const Document* document = CurrentDocument();
  if (record == nullptr || document == nullptr) return std::nullopt;
  using vantor::LoadAt;
  if (LoadAt<std::uint32_t>(record, kRangeTagAt) != kRangeTag) return std::nullopt;
  if (LoadAt<std::uint32_t>(record, kRangeDocumentAt) != document->serial()) return std::nullopt;
  const std::int64_t start = LoadAt<std::int32_t>(record, vantor::kRangeStartAt);
  const std::int64_t end = LoadAt<std::int32_t>(record, vantor::kRangeEndAt);
  if (start < 0 || end < start || end > document->TotalLength()) return std::nullopt;
  return RangeRecordView{PositionRange{start, end}, LoadAt<std::uint16_t>(record, kRangeFlagsAt)};
}

}  // namespace host
