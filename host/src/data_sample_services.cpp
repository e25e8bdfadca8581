// Data services about a channel's samples (468..472, 496, 504, 505) on the current
// document. Locks lend a locked handle of float samples (host/sample_locks.h);
// each lock is paired with its unlock. A lock answers null when the channel
// has no such data there or memory ran out, so the caller's test of 470/496
// before locking holds. 471 on a computed channel computes the block first.
//
// 504 looks at the channel's recorded samples in [start, end) and answers 1
// when any reaches its converter's extremes (Document::Clip) or is not a
// number; a channel without recorded samples there (a computed one) is never
// clipped.
//
// 505 answers the document's version of what every channel shows: it moves
// whenever the computed cache goes stale (a command, a notification, a source
// change, attaching or detaching) or the recorded data changes, so a
// function may keep what it derived from samples while the answer stays.
#include <algorithm>
#include <cmath>

#include "host/document.h"
#include "host/computed_channels.h"
#include "host/sample_locks.h"
#include "host/service_table.h"
#include "toolbox/memory.h"
#include "vantor/services.h"

namespace host {
namespace {

Handle LockRecordedService(void*, std::int16_t channel, std::int16_t block) {
  Document* document = CurrentDocument();
  if (document == nullptr) return nullptr;
  const int b = document->ResolveBlock(block);
  if (!document->HasRecordedData(channel, b)) return nullptr;
  return document->locks().Lock(SampleKind::kRecorded, channel, b, document->RecordedSamples(channel, b));
}

void UnlockRecordedService(void*, std::int16_t channel, std::int16_t block) {
  if (Document* document = CurrentDocument()) {
    document->locks().Unlock(SampleKind::kRecorded, channel, document->ResolveBlock(block));
  }
}

Handle LockDisplayedService(void*, std::int16_t channel, std::int16_t block) {
  Document* document = CurrentDocument();
  if (document == nullptr) return nullptr;
  const int b = document->ResolveBlock(block);
  const long memoryFull = toolbox::MemoryFullCount();
  const std::vector<float>* samples = document->computed().DisplayedSamples(channel, b);
  if (samples == nullptr) {
    // Not a channel without data there: the caller's result is not to be kept.
    if (toolbox::MemoryFullCount() != memoryFull) document->locks().CountFailure();
    return nullptr;
  }
  return document->locks().Lock(SampleKind::kDisplayed, channel, b, *samples);
}

void UnlockDisplayedService(void*, std::int16_t channel, std::int16_t block) {
  if (Document* document = CurrentDocument()) {
    document->locks().Unlock(SampleKind::kDisplayed, channel, document->ResolveBlock(block));
  }
}

std::uint32_t HasDisplayedDataService(void*, std::int16_t channel, std::int16_t block) {
  Document* document = CurrentDocument();
  if (document == nullptr) return 0;
  return document->computed().HasDisplayedData(channel, document->ResolveBlock(block)) ? 1 : 0;
}

std::uint32_t HasRecordedDataService(void*, std::int16_t channel, std::int16_t block) {
  const Document* document = CurrentDocument();
  return document != nullptr && document->HasRecordedData(channel, document->ResolveBlock(block)) ? 1 : 0;
}

std::uint32_t ClippedService(void*, std::int16_t channel, std::int32_t start, std::int32_t end) {
  Document* document = CurrentDocument();
  if (document == nullptr || !document->IsChannel(channel)) return 0;
  const std::int64_t from = std::max<std::int64_t>(0, start);
  const std::int64_t to = std::min<std::int64_t>(end, document->TotalLength());
  const ClipLevels levels = document->Clip(channel);
  for (int b = document->BlockOfPosition(from); from < to && b >= 1 && b <= document->blockCount(); ++b) {
    const std::int64_t blockStart = document->BlockStart(b);
    if (blockStart >= to) break;
    if (!document->HasRecordedData(channel, b)) continue;
    const std::vector<float>& samples = document->RecordedSamples(channel, b);
    const auto first = static_cast<std::size_t>(std::max<std::int64_t>(0, from - blockStart));
    const auto last = static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(samples.size()), to - blockStart));
    const auto clipped = [levels](float x) { return !(x > levels.low && x < levels.high); };
    if (first < last && std::any_of(samples.begin() + static_cast<std::ptrdiff_t>(first),
                                    samples.begin() + static_cast<std::ptrdiff_t>(last), clipped)) {
      return 1;
    }
  }
  return 0;
}

std::uint32_t SamplesVersionService(void*, std::int16_t) {
  const Document* document = CurrentDocument();
  if (document == nullptr) return 0;
  // Both counters only grow, so their sum changes whenever either does.
  return static_cast<std::uint32_t>(document->computed().generation() + document->revision());
}

}  // namespace

void InstallDataSampleServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<DataLockBlock468>(table, &LockRecordedService);
  vantor::SetService<DataUnlockBlock469>(table, &UnlockRecordedService);
  vantor::SetService<DataChannelHasBlock>(table, &HasDisplayedDataService);
  vantor::SetService<DataLockBlock471>(table, &LockDisplayedService);
  vantor::SetService<DataUnlockBlock472>(table, &UnlockDisplayedService);
  vantor::SetService<DataService496>(table, &HasRecordedDataService);
  vantor::SetService<DataService504>(table, &ClippedService);
  vantor::SetService<DataSamplesVersion>(table, &SamplesVersionService);
}

}  // namespace host
