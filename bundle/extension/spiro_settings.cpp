#include "extension/spiro_settings.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "extension/port_helpers.h"
#include "extension/respiratory_extension.h"
#include "extension/spiro_window.h"
#include "frame/host_services_commands.h"
#include "frame/host_services_memory.h"
#include "spirometry/analysis.h"
#include "toolbox/date_time.h"
#include "toolbox/resources.h"
#include "util/handle_record.h"
#include "util/pstring.h"
#include "util/settings_store.h"
#include "vantor/byte_access.h"

namespace spiro {

namespace spirometry {
namespace {

using vantor::LoadAt;
using vantor::StoreAt;

constexpr std::uint32_t kHeaderBytes = 10;
constexpr std::uint32_t kOptionsBytes = 16;
constexpr std::uint32_t kSubjectBytes = 44;
constexpr std::uint32_t kNameBytes = 32;
constexpr double kThresholdUnits = 2048.0;
constexpr double kMaxFlowThreshold = 0.9765625;
constexpr double kMinForcedFactor = 1.0;
constexpr double kMaxForcedFactor = 10.0;
constexpr std::int16_t kMaxSubjectSex = 2;
// The swap relies on the layout as built: at most one entry per window kind
// plus the terminator.
constexpr int kMaxSwappedWindowEntries = 4;
constexpr auto kSettingsName = PStringLiteral("Resp Settings");

Handle LocalHandle(LocalDataType** local) { return reinterpret_cast<Handle>(local); }

void ReverseBytes(unsigned char* data, std::uint32_t at, std::uint32_t count) {
  std::reverse(data + at, data + at + count);
}

std::uint32_t SwappedWord(std::uint32_t word) {
  return (word >> 24) | ((word >> 8) & 0xFF00u) | ((word << 8) & 0xFF0000u) | (word << 24);
}

// Calls visit(tag, payload, payloadSize) for each entry that lies wholly
// within `size` bytes, up to the terminator; false from visit stops.
template <class Visit>
void ForEachEntry(const unsigned char* block, std::uint32_t size, Visit&& visit) {
  std::uint32_t at = kHeaderBytes;
  while (size >= kEntryHeaderBytes && at <= size - kEntryHeaderBytes) {
    const auto tag = LoadAt<std::uint32_t>(block, at);
    const auto length = LoadAt<std::uint32_t>(block, at + 4);
    if (tag == 0) return;
    const std::uint32_t payloadAt = at + kEntryHeaderBytes;
    if (length > size - payloadAt) return;  // runs past the block
    if (!visit(tag, block + payloadAt, length)) return;
    at = payloadAt + length;
  }
}

std::uint32_t WindowPayloadBytes(std::int16_t kind) { return kind == kDataWindow ? 14 : 12; }

std::uint16_t WindowEntryVersion(std::int16_t kind) {
  return kind == kDataWindow ? kDataWindowEntryVersion : kWindowEntryVersion;
}

WindowRef WindowOfKind(const LocalDataType& record, std::int16_t kind) {
  const Handle windowRecord = record.windowRecords[kind - 1];
  if (windowRecord == nullptr) return nullptr;
  return reinterpret_cast<SpiroWindowRecord*>(*windowRecord)->window;
}

// Bytes of the kind's entry in a new block: its window's, else the one kept
// in the saved block, else none.
std::uint32_t WindowEntryBytes(const LocalDataType& record, std::int16_t kind) {
  if (WindowOfKind(record, kind) != nullptr) return kEntryHeaderBytes + WindowPayloadBytes(kind);
  std::uint32_t saved = 0;
  if (FindSettingsEntry(record.savedState, TagOfKind(kind), &saved) == nullptr) return 0;
  return kEntryHeaderBytes + saved;
}

std::uint32_t WriteWindowEntry(unsigned char* out, const LocalDataType& record,
                               std::int16_t kind) {
  const OSType tag = TagOfKind(kind);
  const WindowRef window = WindowOfKind(record, kind);
  if (window == nullptr) {
    std::uint32_t saved = 0;
    const unsigned char* payload = FindSettingsEntry(record.savedState, tag, &saved);
    if (payload == nullptr) return 0;
    std::memcpy(out, payload - kEntryHeaderBytes, kEntryHeaderBytes + saved);
    return kEntryHeaderBytes + saved;
  }
  const std::uint32_t length = WindowPayloadBytes(kind);
  std::memset(out, 0, kEntryHeaderBytes + length);
  StoreAt<std::uint32_t>(out, 0, tag);
  StoreAt<std::uint32_t>(out, 4, length);
  unsigned char* payload = out + kEntryHeaderBytes;
  StoreAt<std::uint16_t>(payload, 0, WindowEntryVersion(kind));
  payload[2] = IsWindowVisible(window) ? 1 : 0;
  StoreAt<Rect>(payload, 4, GetGlobalPortBounds(window));
  // The data window's extra byte is kept in the format and written as 0: the
  // flow-volume plot option is not carried across sessions.
  return kEntryHeaderBytes + length;
}

void WriteFixedEntries(unsigned char* out, std::uint32_t size, const LocalDataType& record) {
  StoreAt<std::uint16_t>(out, 0, kSettingsBlockVersion);
  StoreAt<std::uint32_t>(out, 2, size);
  UInt32 now = 0;
  GetDateTime(&now);
  StoreAt<std::uint32_t>(out, 6, now);

  unsigned char* options = out + kHeaderBytes;
  StoreAt<std::uint32_t>(options, 0, kOptionsTag);
  StoreAt<std::uint32_t>(options, 4, kOptionsBytes);
  StoreAt<std::uint16_t>(options, 8, kOptionsVersion);
  StoreAt<std::uint16_t>(options, 10, record.copyFormat);
  StoreAt<float>(options, 12, static_cast<float>(record.forcedFactor));
  StoreAt<std::int16_t>(options, 16, record.flowChannel);
  StoreAt<std::int16_t>(options, 18, record.volumeChannel);
  StoreAt<std::int16_t>(options, 20, static_cast<std::int16_t>(record.reportGraph));
  const double threshold = std::clamp(std::round(static_cast<double>(record.flowThreshold) * kThresholdUnits),
                                      -32768.0, 32767.0);
  StoreAt<std::int16_t>(options, 22, static_cast<std::int16_t>(threshold));

  unsigned char* subject = options + kEntryHeaderBytes + kOptionsBytes;
  StoreAt<std::uint32_t>(subject, 0, kSubjectTag);
  StoreAt<std::uint32_t>(subject, 4, kSubjectBytes);
  StoreAt<std::uint16_t>(subject, 8, kSubjectVersion);
  std::memcpy(subject + 10, record.subjectName, kNameBytes);
  const std::int16_t values[] = {record.subjectAge, record.subjectSex, record.subjectWeight,
                                 record.subjectHeight, record.subjectReserved};
  for (std::uint32_t i = 0; i < 5; ++i) StoreAt<std::int16_t>(subject, 42 + 2 * i, values[i]);
}

float RestoredThreshold(std::int16_t stored) {
  return static_cast<float>(std::clamp(stored / kThresholdUnits, 0.0, kMaxFlowThreshold));
}

double RestoredForcedFactor(double stored) {
  if (!(stored >= kMinForcedFactor)) return kMinForcedFactor;  // NaN too
  return std::min(stored, kMaxForcedFactor);
}

void ApplyOptions(const unsigned char* payload, LocalDataType** local) {
  const auto factor = static_cast<double>(LoadAt<float>(payload, 4));
  const auto flowChannel = LoadAt<std::int16_t>(payload, 8);
  const auto volumeChannel = LoadAt<std::int16_t>(payload, 10);
  const float threshold = RestoredThreshold(LoadAt<std::int16_t>(payload, 14));
  {
    const LocalDataType& record = **local;
    if (factor != record.forcedFactor || flowChannel != record.flowChannel ||
        volumeChannel != record.volumeChannel || threshold != record.flowThreshold) {
      InvalidateAnalysis(local);
    }
  }
  LocalDataType& record = **local;
  record.copyFormat = LoadAt<std::uint16_t>(payload, 2);
  record.forcedFactor = RestoredForcedFactor(factor);
  record.flowChannel = flowChannel;
  record.volumeChannel = volumeChannel;
  record.reportGraph = static_cast<std::uint16_t>(
      std::clamp<std::int16_t>(LoadAt<std::int16_t>(payload, 12), 0, 1));
  record.flowThreshold = threshold;
}

void ApplySubject(const unsigned char* payload, LocalDataType& record) {
  // A name longer than the field holds is cut to 31 characters.
  const unsigned char length =
      std::min<unsigned char>(payload[2], static_cast<unsigned char>(kNameBytes - 1));
  std::memset(record.subjectName, 0, kNameBytes);
  record.subjectName[0] = length;
  std::memcpy(record.subjectName + 1, payload + 3, length);
  record.subjectAge = LoadAt<std::int16_t>(payload, 34);
  record.subjectSex = std::clamp<std::int16_t>(LoadAt<std::int16_t>(payload, 36), 0,
                                               kMaxSubjectSex);
  record.subjectWeight = LoadAt<std::int16_t>(payload, 38);
  record.subjectHeight = LoadAt<std::int16_t>(payload, 40);
  record.subjectReserved = LoadAt<std::int16_t>(payload, 42);
}

void DisposeSavedState(LocalDataType** local) {
  const Handle saved = (*local)->savedState;
  (*local)->savedState = nullptr;
  if (saved != nullptr) HostDisposeHandle(saved);
}

}  // namespace

const unsigned char* FindSettingsEntry(Handle block, OSType tag, std::uint32_t* payloadSize) {
  if (block == nullptr) return nullptr;
  const auto* data = reinterpret_cast<const unsigned char*>(*block);
  const std::uint32_t size = HostGetHandleSize(block);
  if (size < kHeaderBytes) return nullptr;
  const unsigned char* found = nullptr;
  ForEachEntry(data, std::min(size, LoadAt<std::uint32_t>(data, 2)),
               [&](OSType entryTag, const unsigned char* payload, std::uint32_t length) {
                 if (entryTag != tag) return true;
                 found = payload;
                 *payloadSize = length;
                 return false;
               });
  return found;
}

Handle BuildSettingsBlock(LocalDataType** local) {
  const HandleLock lockRecord(LocalHandle(local));
  const LocalDataType& record = **local;
  // The saved entries are copied from the old block after the allocation.
  const bool hasSaved = record.savedState != nullptr;
  const std::int8_t savedState = hasSaved ? HostGetHandleState(record.savedState) : 0;
  if (hasSaved) HostLockHandle(record.savedState);

  std::uint32_t size = kFixedSettingsBytes + kEntryHeaderBytes;
  for (std::int16_t kind = 1; kind <= kWindowKinds; ++kind) size += WindowEntryBytes(record, kind);
  Handle block = HostNewHandle(size);
  if (block != nullptr) {
    const HandleLock lockBlock(block);
    auto* out = reinterpret_cast<unsigned char*>(lockBlock.address());
    WriteFixedEntries(out, size, record);
    std::uint32_t at = kFixedSettingsBytes;
    for (std::int16_t kind = 1; kind <= kWindowKinds; ++kind) {
      at += WriteWindowEntry(out + at, record, kind);
    }
    StoreAt<std::uint32_t>(out, at, 0);
    StoreAt<std::uint32_t>(out, at + 4, 0);
  }
  if (hasSaved) HostSetHandleState(record.savedState, savedState);
  return block;
}

void ApplySettingsEntry(const void* payloadData, std::uint32_t size, OSType tag,
                        LocalDataType** local) {
  const auto* payload = static_cast<const unsigned char*>(payloadData);
  if (payload == nullptr || size < 2) return;
  const auto version = LoadAt<std::uint16_t>(payload, 0);
  if (tag == kOptionsTag) {
    if (version == kOptionsVersion && size >= kOptionsBytes) ApplyOptions(payload, local);
  } else if (tag == kSubjectTag) {
    if (version == kSubjectVersion && size >= kSubjectBytes) ApplySubject(payload, **local);
  } else if (const std::int16_t kind = KindOfTag(tag); kind > 0) {
    RestoreWindow(payload, size, kind, local);
  }
}

void ApplySettingsData(const void* data, std::int16_t size, OSType type, LocalDataType** local) {
  if (data == nullptr || size < 1 || local == nullptr) return;
  const auto length = static_cast<std::uint32_t>(size);
  const auto* block = static_cast<const unsigned char*>(data);
  if (type != kWholeBlockType) {
    ApplySettingsEntry(block, length, type, local);
    return;
  }
  if (length < kHeaderBytes || LoadAt<std::uint16_t>(block, 0) != kSettingsBlockVersion ||
      LoadAt<std::uint32_t>(block, 2) != length) {
    return;
  }
  ForEachEntry(block, length,
               [&](OSType tag, const unsigned char* payload, std::uint32_t payloadSize) {
                 ApplySettingsEntry(payload, payloadSize, tag, local);
                 return true;
               });
}

std::int32_t SwapSettingsBlock(void* data, std::uint32_t size, bool toStorage) {
  if (data == nullptr || size < kFixedSettingsBytes) return kSettingsTooSmall;
  auto* block = static_cast<unsigned char*>(data);
  ReverseBytes(block, 0, 2);
  ReverseBytes(block, 2, 4);
  ReverseBytes(block, 6, 4);
  for (const std::uint32_t at : {10u, 14u, 34u, 38u}) ReverseBytes(block, at, 4);  // headers
  for (const std::uint32_t at : {18u, 20u, 26u, 28u, 30u, 32u, 42u}) ReverseBytes(block, at, 2);
  ReverseBytes(block, 22, 4);  // forcedFactor
  for (std::uint32_t at = 76; at <= 84; at += 2) ReverseBytes(block, at, 2);

  std::uint32_t at = kFixedSettingsBytes;
  for (int entry = 0; entry < kMaxSwappedWindowEntries; ++entry) {
    if (size - at < kEntryHeaderBytes) break;
    std::uint32_t tag = LoadAt<std::uint32_t>(block, at);
    std::uint32_t length = LoadAt<std::uint32_t>(block, at + 4);
    if (!toStorage) {
      tag = SwappedWord(tag);
      length = SwappedWord(length);
    }
    ReverseBytes(block, at, 4);
    ReverseBytes(block, at + 4, 4);
    const std::int16_t kind = KindOfTag(tag);
    // Only entries as built are swapped; one that would run past the block
    // stops the swap.
    if (length == 0 || kind <= 0 || length != WindowPayloadBytes(kind) ||
        size - at - kEntryHeaderBytes < length) {
      break;
    }
    const std::uint32_t payload = at + kEntryHeaderBytes;
    ReverseBytes(block, payload, 2);
    for (std::uint32_t field = 4; field < 12; field += 2) ReverseBytes(block, payload + field, 2);
    at = payload + length;
  }
  return 0;
}

void SaveSettings(VantorExtensionBase& extension, LocalDataType** local) {
  const Handle block = BuildSettingsBlock(local);
  if (block == nullptr) return;
  if (SaveNamedSettings(extension, kSettingsName.data(), block) != 0) {
    HostDisposeHandle(block);
    return;
  }
  DisposeSavedState(local);
  (*local)->savedState = block;
}

void LoadSettings(VantorExtensionBase& extension, LocalDataType** local) {
  const std::uint16_t key =
      static_cast<std::uint16_t>(extension.MapLocalId(kSettingsBlockCommand));
  const Handle loaded = LoadNamedSettings(extension, kSettingsName.data());
  if (loaded != nullptr) {
    const std::uint32_t size = HostGetHandleSize(loaded);
    {
      const HandleLock lock(loaded);
      HostSubmitCommandBlock(key, kWholeBlockType,
                             static_cast<std::int16_t>(std::min<std::uint32_t>(size, 0x7FFF)),
                             lock.address());
    }
    DetachResource(loaded);
    DisposeSavedState(local);
    (*local)->savedState = loaded;
  } else {
    HostSubmitCommandBlock(key, kWholeBlockType, 0, nullptr);
  }
  // The kept block reflects the state after loading.
  DisposeSavedState(local);
  const Handle rebuilt = BuildSettingsBlock(local);
  (*local)->savedState = rebuilt;
}

}  // namespace spirometry

}  // namespace spiro
