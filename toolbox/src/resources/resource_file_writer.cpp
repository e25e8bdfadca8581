// Writing an open resource file: the file is always written whole, from the
// entries' stored data and the data of the changes being committed.
#include <algorithm>

#include "resource_chain.h"
#include "toolbox/file_bytes.h"
#include "toolbox/memory.h"
#include "toolbox/resource_file_format.h"
#include "toolbox/resources.h"

namespace toolbox::internal {
namespace {

// What a committed entry's data are now: the handle's contents, except for an
// empty handle that was never loaded, which holds nothing to write.
std::vector<unsigned char> DataToCommit(ResourceEntry& entry) {
  Handle h = EntryHandle(entry);
  if (h == nullptr) return entry.stored.value_or(std::vector<unsigned char>{});
  const auto size = static_cast<std::size_t>(GetHandleSize(h));
  if (!entry.loaded && size == 0 && entry.stored) return *entry.stored;
  const auto* begin = reinterpret_cast<const unsigned char*>(*h);
  return std::vector<unsigned char>(begin, begin + size);
}

struct Committed {
  ResourceEntry* entry;
  std::size_t record;  // index in the contents written
};

}  // namespace

bool HasPendingChanges(const ResourceFile& file) {
  return file.mapDirty || std::any_of(file.entries.begin(), file.entries.end(),
                                      [](const ResourceEntry& e) { return (e.attributes & resChanged) != 0; });
}

OSErr WriteResourceFile(ResourceFile& file, const std::function<bool(const ResourceEntry&)>& commitNow) {
  if (file.readOnly) return SetResError(noErr);
  ResourceFileContents contents;
  contents.fileAttributes = static_cast<UInt16>(file.attributes & ~mapChanged);
  std::vector<Committed> committed;
  for (ResourceEntry& entry : file.entries) {
    const bool commit = (entry.attributes & resChanged) && commitNow(entry);
    if (!commit && !entry.stored) continue;
    ResourceRecord record{entry.type, entry.id, entry.name,
                          static_cast<UInt8>(entry.attributes & ~resChanged),
                          commit ? DataToCommit(entry) : *entry.stored};
    if (commit) committed.push_back({&entry, contents.resources.size()});
    contents.resources.push_back(std::move(record));
  }
  std::vector<unsigned char> bytes;
  if (const OSErr err = SerializeResourceFile(contents, bytes); err != noErr) return SetResError(err);
  if (file.path.empty()) {
    file.image = std::move(bytes);
  } else if (const OSErr err = WriteFileBytesAtomically(file.path, bytes); err != noErr) {
    return SetResError(err);
  }
  for (const Committed& c : committed) {
    c.entry->stored = std::move(contents.resources[c.record].data);
    c.entry->attributes = static_cast<UInt8>(c.entry->attributes & ~resChanged);
  }
  file.mapDirty = false;
  return SetResError(noErr);
}

}  // namespace toolbox::internal
