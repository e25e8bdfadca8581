// Command submission services (3, 7..28): each makes a journal entry in the
// layout of its command record and hands it to SubmitCommand, which files and
// delivers it (host/command_delivery.h).
//
// Service 17 copies the 8 bytes of a Rect from its pointer; a null pointer is
// nothing to perform, and the command is dropped. Service 28 copies exactly
// the size it is given (never more), so a record shorter than its receiver
// expects arrives short, with its true size; a size below 1 or a null pointer
// is delivered as size 0 with no data.
#include <cstring>

#include "host/command_delivery.h"
#include "host/service_table.h"
#include "vantor/command_record.h"
#include "vantor/services.h"

namespace host {
namespace {

template <class... Values>
JournalEntry EntryOf(std::int16_t service, std::int32_t index, Values... values) {
  JournalEntry entry;
  entry.service = service;
  entry.index = index;
  (
      [&entry](auto value) {
        const std::size_t at = entry.values.size();
        entry.values.resize(at + sizeof value);
        std::memcpy(entry.values.data() + at, &value, sizeof value);
      }(values),
      ...);
  return entry;
}

void SwapProcService(std::uint16_t key, vantor::CommandSwapProc proc) { SetCommandSwapProc(key, proc); }

void ShortService(std::uint16_t key, std::int32_t index, std::int16_t value) {
  SubmitCommand(key, EntryOf(7, index, value));
}

void ShortPairAltService(std::uint16_t key, std::int32_t index, std::int16_t a, std::int16_t b) {
  SubmitCommand(key, EntryOf(8, index, a, b));
}

void ShortPairService(std::uint16_t key, std::int32_t index, std::int16_t a, std::int16_t b) {
  SubmitCommand(key, EntryOf(10, index, a, b));
}

void FlagService(std::uint16_t key, std::int32_t index, bool flag) {
  SubmitCommand(key, EntryOf(16, index, static_cast<std::uint8_t>(flag ? 1 : 0)));
}

void DataService(std::uint16_t key, std::int32_t index, const void* data) {
  if (data == nullptr) return;
  JournalEntry entry = EntryOf(17, index);
  const auto* bytes = static_cast<const unsigned char*>(data);
  entry.values.assign(bytes, bytes + vantor::kCommandInlineDataBytes);
  SubmitCommand(key, std::move(entry));
}

void DoubleService(std::uint16_t key, std::int32_t index, double value) {
  SubmitCommand(key, EntryOf(18, index, value));
}

void DoublePairService(std::uint16_t key, std::int32_t index, double a, double b) {
  SubmitCommand(key, EntryOf(19, index, a, b));
}

void BlockService(std::uint16_t key, OSType type, std::int16_t size, const void* data) {
  JournalEntry entry = EntryOf(28, static_cast<std::int32_t>(type));
  if (size > 0 && data != nullptr) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    entry.values.assign(bytes, bytes + size);
  }
  SubmitCommand(key, std::move(entry));
}

}  // namespace

void InstallCommandServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<HostSetCommandSwapProc>(table, &SwapProcService);
  vantor::SetService<HostSubmitCommandShort>(table, &ShortService);
  vantor::SetService<HostSubmitCommandShortPairAlt>(table, &ShortPairAltService);
  vantor::SetService<HostSubmitCommandShortPair>(table, &ShortPairService);
  vantor::SetService<HostSubmitCommandFlag>(table, &FlagService);
  vantor::SetService<HostSubmitCommandData>(table, &DataService);
  vantor::SetService<HostSubmitCommandDouble>(table, &DoubleService);
  vantor::SetService<HostSubmitCommandDoublePair>(table, &DoublePairService);
  vantor::SetService<HostSubmitCommandBlock>(table, &BlockService);
}

}  // namespace host
