// Resource Manager calls that find resources and report on them.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "memory_internal.h"
#include "resource_chain.h"
#include "toolbox/macroman.h"
#include "toolbox/memory.h"
#include "toolbox/resources.h"

using toolbox::internal::CurrentFile;
using toolbox::internal::HandleForEntry;
using toolbox::internal::LocateResource;
using toolbox::internal::ResourceEntry;
using toolbox::internal::ResourceFile;
using toolbox::internal::Resources;
using toolbox::internal::SearchChain;
using toolbox::internal::SetResError;

namespace {

constexpr SInt16 kFirstApplicationId = 128;

std::string_view PascalText(ConstStr255Param name) {
  if (name == nullptr) return {};
  return {reinterpret_cast<const char*>(name + 1), name[0]};
}

bool SameName(const std::optional<std::string>& entryName, std::string_view wanted) {
  if (!entryName || entryName->size() != wanted.size()) return false;
  return std::equal(entryName->begin(), entryName->end(), wanted.begin(), [](char a, char b) {
    return toolbox::MacRomanUpperCase(static_cast<unsigned char>(a)) ==
           toolbox::MacRomanUpperCase(static_cast<unsigned char>(b));
  });
}

// Searches the files in order; the first file that has a match answers.
// Sets ResError: resNotFound when the type exists somewhere but no entry
// matches, noErr (with null) when no searched file has the type at all.
template <class Match, class Pick>
Handle Search(const std::vector<ResourceFile*>& files, ResType type, Match matches, Pick pick) {
  bool typeSeen = false;
  for (ResourceFile* file : files) {
    std::vector<ResourceEntry*> found;
    for (ResourceEntry& entry : file->entries) {
      if (entry.type != type) continue;
      typeSeen = true;
      if (matches(entry)) found.push_back(&entry);
    }
    if (!found.empty()) return HandleForEntry(*pick(found));
  }
  SetResError(typeSeen ? resNotFound : noErr);
  return nullptr;
}

Handle SearchById(const std::vector<ResourceFile*>& files, ResType type, SInt16 id) {
  return Search(
      files, type, [id](const ResourceEntry& e) { return e.id == id; },
      [](const std::vector<ResourceEntry*>& found) { return found.front(); });
}

// Names should be unique within a type; when they are not, the entry added
// last wins.
Handle SearchByName(const std::vector<ResourceFile*>& files, ResType type, ConstStr255Param name) {
  const std::string_view wanted = PascalText(name);
  return Search(
      files, type, [wanted](const ResourceEntry& e) { return SameName(e.name, wanted); },
      [](const std::vector<ResourceEntry*>& found) { return found.back(); });
}

std::vector<ResourceFile*> CurrentOnly() {
  ResourceFile* file = CurrentFile();
  return file != nullptr ? std::vector<ResourceFile*>{file} : std::vector<ResourceFile*>{};
}

// False, with resFNotFound, when there is no file to search.
bool HaveFiles(const std::vector<ResourceFile*>& files) {
  if (files.empty()) SetResError(resFNotFound);
  return !files.empty();
}

}  // namespace

OSErr ResError() { return Resources().error; }

void SetResLoad(bool load) { Resources().resLoad = load; }

Handle GetResource(ResType theType, SInt16 theID) {
  const auto files = SearchChain();
  return HaveFiles(files) ? SearchById(files, theType, theID) : nullptr;
}

Handle Get1Resource(ResType theType, SInt16 theID) {
  const auto files = CurrentOnly();
  return HaveFiles(files) ? SearchById(files, theType, theID) : nullptr;
}

Handle GetNamedResource(ResType theType, ConstStr255Param name) {
  const auto files = SearchChain();
  return HaveFiles(files) ? SearchByName(files, theType, name) : nullptr;
}

Handle Get1NamedResource(ResType theType, ConstStr255Param name) {
  const auto files = CurrentOnly();
  return HaveFiles(files) ? SearchByName(files, theType, name) : nullptr;
}

SInt16 Count1Resources(ResType theType) {
  ResourceFile* file = CurrentFile();
  if (file == nullptr) {
    SetResError(resFNotFound);
    return 0;
  }
  SetResError(noErr);
  return static_cast<SInt16>(std::count_if(file->entries.begin(), file->entries.end(),
                                           [theType](const ResourceEntry& e) { return e.type == theType; }));
}

Handle Get1IndResource(ResType theType, SInt16 index) {
  ResourceFile* file = CurrentFile();
  if (file == nullptr) {
    SetResError(resFNotFound);
    return nullptr;
  }
  SInt16 seen = 0;
  for (ResourceEntry& entry : file->entries) {
    if (entry.type == theType && ++seen == index) return HandleForEntry(entry);
  }
  SetResError(resNotFound);
  return nullptr;
}

void LoadResource(Handle theResource) {
  const auto found = LocateResource(theResource);
  SetResError(found ? toolbox::internal::LoadEntry(*found->entry) : OSErr{resNotFound});
}

void ReleaseResource(Handle theResource) {
  const auto found = LocateResource(theResource);
  if (!found) {
    SetResError(resNotFound);
    return;
  }
  // A changed resource stays: releasing it would lose the change.
  if ((found->entry->attributes & resChanged) == 0) toolbox::internal::DisposeEntryHandle(*found->entry);
  SetResError(noErr);
}

void DetachResource(Handle theResource) {
  const auto found = LocateResource(theResource);
  if (!found) {
    SetResError(resNotFound);
    return;
  }
  if (found->entry->attributes & resChanged) {
    SetResError(resAttrErr);
    return;
  }
  toolbox::internal::MarkResourceHandle(theResource, false);
  found->entry->handle = nullptr;
  found->entry->loaded = false;
  SetResError(noErr);
}

SInt16 Unique1ID(ResType theType) {
  ResourceFile* file = CurrentFile();
  if (file == nullptr) {
    SetResError(resFNotFound);
    return 0;
  }
  for (int id = kFirstApplicationId; id <= 32767; ++id) {
    const bool used = std::any_of(file->entries.begin(), file->entries.end(), [&](const ResourceEntry& e) {
      return e.type == theType && e.id == id;
    });
    if (!used) {
      SetResError(noErr);
      return static_cast<SInt16>(id);
    }
  }
  SetResError(addResFailed);
  return 0;
}

void GetResInfo(Handle theResource, SInt16* theID, ResType* theType, StringPtr name) {
  const auto found = LocateResource(theResource);
  if (!found) {
    SetResError(resNotFound);
    return;
  }
  const ResourceEntry& entry = *found->entry;
  if (theID != nullptr) *theID = entry.id;
  if (theType != nullptr) *theType = entry.type;
  if (name != nullptr) {
    const std::string text = entry.name.value_or(std::string{});
    name[0] = static_cast<unsigned char>(text.size());
    std::memcpy(name + 1, text.data(), text.size());
  }
  SetResError(noErr);
}

SInt16 GetResAttrs(Handle theResource) {
  const auto found = LocateResource(theResource);
  SetResError(found ? noErr : resNotFound);
  return found ? found->entry->attributes : 0;
}

SInt16 HomeResFile(Handle theResource) {
  const auto found = LocateResource(theResource);
  SetResError(found ? noErr : resNotFound);
  return found ? found->file->refNum : -1;
}
