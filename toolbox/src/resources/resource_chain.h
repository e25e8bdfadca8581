// The Resource Manager's state: the open files, the current one, ResLoad and
// ResError, and the bookkeeping shared by the calls (not for clients).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "toolbox/mac_types.h"

namespace toolbox::internal {

struct ResourceEntry {
  ResType type = 0;
  SInt16 id = 0;
  std::optional<std::string> name;  // MacRoman
  UInt8 attributes = 0;             // resChanged is set only in memory
  // The data as the file holds them; none for a resource added since the
  // last write that took it.
  std::optional<std::vector<unsigned char>> stored;
  Handle handle = nullptr;  // null while the resource is not in memory
  bool loaded = false;      // false: an empty handle made while ResLoad was off
};

struct ResourceFile {
  SInt16 refNum = 0;
  std::string path;  // empty for a file kept as bytes
  bool readOnly = false;
  UInt16 attributes = 0;
  bool mapDirty = false;  // entries added or removed since the last write
  std::vector<ResourceEntry> entries;
  std::vector<unsigned char> image;  // a file kept as bytes, as last written
};

struct ResourceManagerState {
  std::vector<std::unique_ptr<ResourceFile>> files;  // in opening order
  SInt16 current = 0;
  SInt16 lastRefNum = 0;
  bool resLoad = true;
  OSErr error = noErr;
};

ResourceManagerState& Resources();
OSErr SetResError(OSErr err);

ResourceFile* FindFile(SInt16 refNum);
ResourceFile* CurrentFile();
// The current file and the files opened before it, nearest first.
std::vector<ResourceFile*> SearchChain();

struct LocatedResource {
  ResourceFile* file;
  ResourceEntry* entry;
};
// The entry whose handle is h, in any open file.
std::optional<LocatedResource> LocateResource(Handle h);

// The entry's handle, or null (the entry forgets a handle that is no longer a
// live resource handle, e.g. one a caller disposed).
Handle EntryHandle(ResourceEntry& entry);
// The entry's handle, made (and filled unless ResLoad is off) when the
// resource is not in memory. Sets ResError; null on allocation failure.
Handle HandleForEntry(ResourceEntry& entry);
// Fills an empty handle made while ResLoad was off. Returns the result code.
OSErr LoadEntry(ResourceEntry& entry);
// Frees the entry's handle, if any.
void DisposeEntryHandle(ResourceEntry& entry);

// True when the file has anything to write.
bool HasPendingChanges(const ResourceFile& file);
// Writes the whole file. Changed entries for which commitNow is true are
// written with their handle's data; other entries keep their stored data,
// and added entries that were never written stay out of the file.
OSErr WriteResourceFile(ResourceFile& file, const std::function<bool(const ResourceEntry&)>& commitNow);

}  // namespace toolbox::internal
