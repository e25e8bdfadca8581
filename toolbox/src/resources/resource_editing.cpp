// Resource Manager calls that change a file's resources.
#include <algorithm>

#include "memory_internal.h"
#include "resource_chain.h"
#include "toolbox/memory.h"
#include "toolbox/resources.h"

using toolbox::internal::CurrentFile;
using toolbox::internal::LocateResource;
using toolbox::internal::ResourceEntry;
using toolbox::internal::ResourceFile;
using toolbox::internal::SetResError;

namespace {

bool HasId(const ResourceFile& file, ResType type, SInt16 id) {
  return std::any_of(file.entries.begin(), file.entries.end(),
                     [&](const ResourceEntry& e) { return e.type == type && e.id == id; });
}

std::optional<std::string> EntryName(ConstStr255Param name) {
  if (name == nullptr || name[0] == 0) return std::nullopt;
  return std::string(reinterpret_cast<const char*>(name + 1), name[0]);
}

}  // namespace

// The classic call adds a second entry with an id already in use, which then
// can never be found by id; refusing it keeps every resource reachable.
void AddResource(Handle theData, ResType theType, SInt16 theID, ConstStr255Param name) {
  ResourceFile* file = CurrentFile();
  if (file == nullptr) {
    SetResError(resFNotFound);
    return;
  }
  if (!toolbox::IsLiveHandle(theData) || LocateResource(theData) ||
      (HGetState(theData) & kHandleResourceBit) != 0 || file->readOnly || HasId(*file, theType, theID)) {
    SetResError(addResFailed);
    return;
  }
  ResourceEntry entry;
  entry.type = theType;
  entry.id = theID;
  entry.name = EntryName(name);
  entry.attributes = resChanged;
  entry.handle = theData;
  entry.loaded = true;
  file->entries.push_back(std::move(entry));
  file->mapDirty = true;
  toolbox::internal::MarkResourceHandle(theData, true);
  SetResError(noErr);
}

void RemoveResource(Handle theResource) {
  const auto found = LocateResource(theResource);
  if (!found || found->file != CurrentFile() || found->file->readOnly ||
      (found->entry->attributes & resProtected) != 0) {
    SetResError(rmvResFailed);
    return;
  }
  auto& entries = found->file->entries;
  entries.erase(entries.begin() + (found->entry - entries.data()));
  found->file->mapDirty = true;
  toolbox::internal::MarkResourceHandle(theResource, false);
  SetResError(noErr);
}

void ChangedResource(Handle theResource) {
  const auto found = LocateResource(theResource);
  if (!found) {
    SetResError(resNotFound);
    return;
  }
  if (found->file->readOnly || (found->entry->attributes & resProtected) != 0) {
    SetResError(resAttrErr);
    return;
  }
  found->entry->attributes = static_cast<UInt8>(found->entry->attributes | resChanged);
  SetResError(noErr);
}

void WriteResource(Handle theResource) {
  const auto found = LocateResource(theResource);
  if (!found) {
    SetResError(resNotFound);
    return;
  }
  const ResourceEntry* target = found->entry;
  if ((target->attributes & resChanged) == 0 || (target->attributes & resProtected) != 0) {
    SetResError(noErr);
    return;
  }
  toolbox::internal::WriteResourceFile(*found->file,
                                       [target](const ResourceEntry& e) { return &e == target; });
}
