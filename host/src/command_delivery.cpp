// Filing commands in the current document's journal and handing them back.
#include "host/command_delivery.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "host/bundle.h"
#include "host/computed_channels.h"
#include "host/document.h"
#include "host/extension_locals.h"
#include "host/extension_registry.h"
#include "toolbox/memory.h"
#include "vantor/byte_access.h"
#include "vantor/command_record.h"
#include "vantor/services.h"

namespace host {
namespace {

constexpr std::int16_t kBlockService = vantor::service::HostSubmitCommandBlock;
constexpr std::int16_t kDataService = vantor::service::HostSubmitCommandData;
constexpr std::int16_t kDoublePairService = vantor::service::HostSubmitCommandDoublePair;

std::map<std::uint16_t, vantor::CommandSwapProc>& SwapProcs() {
  static std::map<std::uint16_t, vantor::CommandSwapProc> procs;
  return procs;
}

int& Depth() {
  static int depth = 0;
  return depth;
}

bool& Replaying() {
  static bool replaying = false;
  return replaying;
}

bool CarriesData(std::int16_t service) { return service == kBlockService || service == kDataService; }

// Where an entry goes on a document: the window extension open on it under
// the entry's names, or the function on the channel its index names.
struct Target {
  const Extension* extension = nullptr;
  Handle local = nullptr;
  int channel = 0;  // 0 for a window extension
};

bool Names(const Extension& extension, const JournalEntry& entry) {
  return extension.entryName == entry.entryName && extension.name == entry.extension;
}

std::optional<Target> FindTarget(Document& document, const JournalEntry& entry) {
  ExtensionLocals& locals = document.extensions();
  for (std::int16_t hostRef : locals.OpenHostRefs()) {
    const Extension* extension = locals.Find(hostRef);
    if (extension != nullptr && Names(*extension, entry)) return Target{extension, locals.LocalOf(hostRef), 0};
  }
  const int channel = entry.index;
  const Extension* function = document.computed().FunctionOf(channel);
  if (function != nullptr && Names(*function, entry)) {
    return Target{function, document.computed().LocalOf(channel), channel};
  }
  return std::nullopt;
}

// The data as the extension submitted it: a copy converted back from
// storage order. Null when it cannot be converted back.
std::optional<std::vector<unsigned char>> NativeData(const Target& target, const JournalEntry& entry) {
  std::vector<unsigned char> data = entry.values;
  if (!entry.storedSwapped || data.empty()) return data;
  const std::int16_t key = MapExtensionId(entry.localCode, target.extension->hostRef);
  const vantor::CommandSwapProc proc = CommandSwapProcFor(static_cast<std::uint16_t>(key));
  if (proc == nullptr || proc(data.data(), 0, static_cast<std::uint32_t>(data.size()), false) != 0) {
    return std::nullopt;
  }
  return data;
}

// The low-arena record (and data copy) of one delivery.
class DeliveredRecord {
 public:
  DeliveredRecord() : record_(static_cast<unsigned char*>(toolbox::LowAlloc(vantor::kCommandRecordBytes))) {}
  ~DeliveredRecord() {
    if (copy_ != nullptr) toolbox::LowFree(copy_);
    toolbox::LowFree(record_);
  }
  DeliveredRecord(const DeliveredRecord&) = delete;
  DeliveredRecord& operator=(const DeliveredRecord&) = delete;

  void Fill(const JournalEntry& entry, const std::vector<unsigned char>& values) {
    using vantor::StoreAt;
    StoreAt<std::int16_t>(record_, vantor::kCommandFormatAt,
                          entry.service == kDoublePairService ? vantor::kDoublePairFormat : entry.service);
    StoreAt<std::uint16_t>(record_, vantor::kCommandCodeAt, entry.localCode);
    StoreAt<std::int32_t>(record_, vantor::kCommandIndexAt, entry.index);
    if (entry.service == kBlockService) {
      const auto size = static_cast<std::int16_t>(std::min<std::size_t>(values.size(), 0x7FFF));
      if (size > 0) {
        copy_ = static_cast<unsigned char*>(toolbox::LowAlloc(static_cast<std::size_t>(size)));
        std::memcpy(copy_, values.data(), static_cast<std::size_t>(size));
      }
      StoreAt<std::int16_t>(record_, vantor::kCommandDataSizeAt, size);
      StoreAt<std::uint32_t>(record_, vantor::kCommandDataAddressAt, copy_ != nullptr ? toolbox::ToU32(copy_) : 0);
    } else {
      const std::size_t room = vantor::kCommandRecordBytes - vantor::kCommandValueAt;
      if (!values.empty()) std::memcpy(record_ + vantor::kCommandValueAt, values.data(), std::min(values.size(), room));
    }
  }
  const unsigned char* record() const { return record_; }

 private:
  unsigned char* record_;
  unsigned char* copy_ = nullptr;
};

bool Deliver(Document& document, const Target& target, const JournalEntry& entry) {
  const auto values = NativeData(target, entry);
  if (!values) return false;
  DeliveredRecord delivered;
  delivered.Fill(entry, *values);
  ParamBlock block;
  // Both kinds take the command record in the same field.
  static_assert(vantor::general::PerformCommandBlock::Record::kOffset ==
                vantor::computed::PerformCommandBlock::Record::kOffset);
  block.SetAddress<vantor::general::PerformCommandBlock::Record>(delivered.record());
  ScopedCurrentDocument current(document);
  ++Depth();
  if (target.channel == 0) {
    block.SetLocal(target.local);
    target.extension->Send(vantor::general::kPerformCommand, block);
  } else {
    document.computed().Send(target.channel, vantor::computed::kPerformCommand, block);
  }
  --Depth();
  if (target.channel != 0) {
    // The channel's settings changed: its samples, and what was analysed from them, are stale.
    document.computed().MarkStale();
    document.extensions().SendMenuCommand(vantor::general::kInvalidateAnalysis, 0, 0);
  }
  return true;
}

// Stores data in storage order when the key has a procedure that takes it.
void FileInStorageOrder(std::uint16_t key, JournalEntry& entry) {
  const vantor::CommandSwapProc proc = CommandSwapProcFor(key);
  if (proc == nullptr || !CarriesData(entry.service) || entry.values.empty()) return;
  std::vector<unsigned char> stored = entry.values;
  if (proc(stored.data(), 0, static_cast<std::uint32_t>(stored.size()), true) != 0) return;
  entry.values = std::move(stored);
  entry.storedSwapped = true;
}

}  // namespace

void SetCommandSwapProc(std::uint16_t key, vantor::CommandSwapProc proc) {
  if (!LookUpCommandKey(static_cast<std::int16_t>(key))) return;
  if (proc == nullptr) {
    SwapProcs().erase(key);
  } else {
    SwapProcs()[key] = proc;
  }
}

vantor::CommandSwapProc CommandSwapProcFor(std::uint16_t key) {
  const auto it = SwapProcs().find(key);
  return it == SwapProcs().end() ? nullptr : it->second;
}

int DeliveryDepth() { return Depth(); }

bool SubmitCommand(std::uint16_t key, JournalEntry entry) {
  Document* document = CurrentDocument();
  const auto mapped = LookUpCommandKey(static_cast<std::int16_t>(key));
  if (document == nullptr || !mapped) return false;
  const Extension* extension = document->extensions().Find(mapped->hostRef);
  if (extension == nullptr) {
    const Extension* function = document->computed().FunctionOf(entry.index);
    if (function != nullptr && function->hostRef == mapped->hostRef) extension = function;
  }
  if (extension == nullptr) return false;
  entry.kind = JournalEntry::Kind::kCommand;
  entry.entryName = extension->entryName;
  entry.extension = extension->name;
  entry.localCode = mapped->localId;
  entry.depth = static_cast<std::uint16_t>(Depth());
  FileInStorageOrder(key, entry);
  if (!Replaying()) document->journal().Append(entry);
  const auto target = FindTarget(*document, entry);
  return target && Deliver(*document, *target, entry);
}

bool SubmitSettingsRecord(Document& document, int channel, std::span<const unsigned char> record) {
  const Extension* function = document.computed().FunctionOf(channel);
  if (function == nullptr) return false;
  const std::int16_t key = MapExtensionId(vantor::kSettingsRecordCode, function->hostRef);
  JournalEntry entry;
  entry.service = kBlockService;
  entry.index = channel;
  entry.values.assign(record.begin(), record.end());
  ScopedCurrentDocument current(document);
  return SubmitCommand(static_cast<std::uint16_t>(key), std::move(entry));
}

bool DeliverEntry(Document& document, const JournalEntry& entry) {
  const auto target = FindTarget(document, entry);
  if (!target) return false;
  if (entry.kind == JournalEntry::Kind::kSourceChange) {
    std::int16_t source = 0;
    if (entry.values.size() < sizeof source) return false;
    std::memcpy(&source, entry.values.data(), sizeof source);
    ScopedCurrentDocument current(document);
    document.computed().SendSourceChange(target->channel, source);
    return true;
  }
  return Deliver(document, *target, entry);
}

int ReplayJournal(Document& document) {
  const std::vector<JournalEntry> entries = document.journal().entries();
  Replaying() = true;
  int delivered = 0;
  for (const JournalEntry& entry : entries) {
    if (entry.depth == 0 && DeliverEntry(document, entry)) ++delivered;
  }
  Replaying() = false;
  document.computed().MarkStale();
  return delivered;
}

}  // namespace host
