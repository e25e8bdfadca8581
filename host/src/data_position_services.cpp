// Data services about blocks, positions and stretches (465..494), on the
// current document; without one they answer 0 (no block, no samples). Block
// -1 is the block being sampled, or the last block when nothing is.
//
// 465 answers -1 for a block that does not exist. 491 reports the first
// sample of the stretch holding the position and its last sample (inclusive:
// both lie in the stretch's blocks); a position outside the document gives
// 0 and 0. 494 fills a 12-byte block record: u32 start time in whole seconds
// since 1904 at 0, i32 samples per channel at 4, u32 microseconds past the
// start second at 8.
#include <cmath>
#include <cstring>

#include "host/document.h"
#include "host/service_table.h"
#include "vantor/byte_access.h"
#include "vantor/records.h"
#include "vantor/services.h"

namespace host {
namespace {

std::int32_t PositionOfBlockOffsetService(void*, const void* packed) {
  const Document* document = CurrentDocument();
  if (document == nullptr || packed == nullptr) return -1;
  const int block = document->ResolveBlock(vantor::LoadAt<std::int16_t>(packed, vantor::kBlockOffsetBlockAt));
  const std::int16_t offset = vantor::LoadAt<std::int16_t>(packed, vantor::kBlockOffsetOffsetAt);
  if (!document->IsBlock(block)) return -1;
  return static_cast<std::int32_t>(document->PositionOf(block, offset));
}

std::int16_t BlockOfPositionService(void*, std::uint32_t position) {
  const Document* document = CurrentDocument();
  return document == nullptr ? 0 : static_cast<std::int16_t>(document->BlockOfPosition(position));
}

std::int32_t BlockLengthService(void*, std::int16_t block) {
  const Document* document = CurrentDocument();
  return document == nullptr ? 0 : document->BlockLength(document->ResolveBlock(block));
}

void BlockTimeFormatService(void*, std::int16_t block, vantor::BlockTimeFormat* out) {
  if (out == nullptr) return;
  std::memset(out, 0, sizeof *out);
  const Document* document = CurrentDocument();
  if (document == nullptr) return;
  const int b = document->ResolveBlock(block);
  if (document->IsBlock(b)) *out = document->TimeFormat(b);
}

std::uint32_t ContinuesPreviousService(void*, std::int16_t block) {
  const Document* document = CurrentDocument();
  return document != nullptr && document->ContinuesPrevious(document->ResolveBlock(block)) ? 1 : 0;
}

std::int32_t StretchOfBlockService(void*, std::int16_t block) {
  const Document* document = CurrentDocument();
  return document == nullptr ? 0 : document->StretchOfBlock(document->ResolveBlock(block));
}

std::int16_t FirstBlockOfStretchService(void*, std::int32_t stretch) {
  const Document* document = CurrentDocument();
  return document == nullptr ? 0 : static_cast<std::int16_t>(document->FirstBlockOfStretch(stretch));
}

void StretchBoundsService(void*, std::int32_t position, std::int32_t* first, std::int32_t* last) {
  std::int32_t a = 0;
  std::int32_t b = 0;
  const Document* document = CurrentDocument();
  const int block = document == nullptr ? 0 : document->BlockOfPosition(position);
  if (block > 0) {
    const int stretch = document->StretchOfBlock(block);
    const int lastBlock = document->LastBlockOfStretch(stretch);
    a = static_cast<std::int32_t>(document->BlockStart(document->FirstBlockOfStretch(stretch)));
    b = static_cast<std::int32_t>(std::max<std::int64_t>(a, document->BlockStart(lastBlock + 1) - 1));
  }
  if (first != nullptr) *first = a;
  if (last != nullptr) *last = b;
}

void BlockRecordService(void*, unsigned char* out, std::int16_t block) {
  if (out == nullptr) return;
  std::memset(out, 0, vantor::kBlockRecord494Bytes);
  const Document* document = CurrentDocument();
  const int b = document == nullptr ? 0 : document->ResolveBlock(block);
  if (b == 0 || !document->IsBlock(b)) return;
  const double start = std::max(0.0, document->StartTime(b));
  const double whole = std::floor(start);
  vantor::StoreAt(out, 0, static_cast<std::uint32_t>(std::min(whole, 4294967295.0)));
  vantor::StoreAt(out, 4, document->BlockLength(b));
  vantor::StoreAt(out, 8, static_cast<std::uint32_t>(std::llround((start - whole) * 1e6) % 1000000));
}

}  // namespace

void InstallDataPositionServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<DataPositionOfBlockOffset>(table, &PositionOfBlockOffsetService);
  vantor::SetService<DataBlockOfPosition>(table, &BlockOfPositionService);
  vantor::SetService<DataBlockLength>(table, &BlockLengthService);
  vantor::SetService<DataGetBlockRecord475>(table, &BlockTimeFormatService);
  vantor::SetService<DataService487>(table, &ContinuesPreviousService);
  vantor::SetService<DataService489>(table, &StretchOfBlockService);
  vantor::SetService<DataService491>(table, &StretchBoundsService);
  vantor::SetService<DataService493>(table, &FirstBlockOfStretchService);
  vantor::SetService<DataService494>(table, &BlockRecordService);
}

}  // namespace host
