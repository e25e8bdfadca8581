// Opening, updating and closing resource files, and choosing the current one.
#include <algorithm>
#include <filesystem>
#include <sys/stat.h>

#include "resource_chain.h"
#include "toolbox/file_bytes.h"
#include "toolbox/resources.h"

using toolbox::internal::FindFile;
using toolbox::internal::ResourceEntry;
using toolbox::internal::ResourceFile;
using toolbox::internal::Resources;
using toolbox::internal::SetResError;

namespace {

constexpr SInt16 kNoRefNum = -1;

SInt16 NextRefNum() {
  auto& state = Resources();
  for (;;) {
    state.lastRefNum = static_cast<SInt16>(state.lastRefNum == 32767 ? 1 : state.lastRefNum + 1);
    if (FindFile(state.lastRefNum) == nullptr) return state.lastRefNum;
  }
}

std::string CanonicalPath(const char* path) {
  std::error_code ignored;
  const auto canonical = std::filesystem::weakly_canonical(path, ignored);
  return canonical.empty() ? std::string(path) : canonical.string();
}

ResourceFile* FindFileAt(const std::string& path) {
  for (auto& file : Resources().files) {
    if (!file->path.empty() && file->path == path) return file.get();
  }
  return nullptr;
}

// Parses bytes into a new file at the top of the chain and makes it current.
SInt16 AddToChain(std::span<const unsigned char> bytes, std::string path, bool readOnly) {
  toolbox::ResourceFileContents contents;
  if (toolbox::ParseResourceFile(bytes, contents) != noErr) {
    SetResError(mapReadErr);
    return kNoRefNum;
  }
  auto file = std::make_unique<ResourceFile>();
  file->refNum = NextRefNum();
  file->path = std::move(path);
  file->attributes = contents.fileAttributes;
  file->readOnly = readOnly || (contents.fileAttributes & mapReadOnly) != 0;
  for (auto& record : contents.resources) {
    ResourceEntry entry;
    entry.type = record.type;
    entry.id = record.id;
    entry.name = std::move(record.name);
    entry.attributes = static_cast<UInt8>(record.attributes & ~resChanged);
    entry.stored = std::move(record.data);
    file->entries.push_back(std::move(entry));
  }
  if (file->path.empty()) file->image.assign(bytes.begin(), bytes.end());
  ResourceFile& opened = *file;
  Resources().files.push_back(std::move(file));
  Resources().current = opened.refNum;
  if (Resources().resLoad) {
    for (ResourceEntry& entry : opened.entries) {
      if (entry.attributes & resPreload) toolbox::internal::HandleForEntry(entry);
    }
  }
  SetResError(noErr);
  return opened.refNum;
}

OSErr WriteAllChanges(ResourceFile& file) {
  if (!toolbox::internal::HasPendingChanges(file)) return SetResError(noErr);
  return toolbox::internal::WriteResourceFile(file, [](const ResourceEntry&) { return true; });
}

}  // namespace

void UpdateResFile(SInt16 refNum) {
  ResourceFile* file = FindFile(refNum);
  if (file == nullptr) {
    SetResError(resFNotFound);
    return;
  }
  WriteAllChanges(*file);
}

void CloseResFile(SInt16 refNum) {
  ResourceFile* file = FindFile(refNum);
  if (file == nullptr) {
    SetResError(resFNotFound);
    return;
  }
  const OSErr written = WriteAllChanges(*file);
  for (ResourceEntry& entry : file->entries) toolbox::internal::DisposeEntryHandle(entry);
  auto& files = Resources().files;
  const auto at = std::find_if(files.begin(), files.end(), [file](const auto& f) { return f.get() == file; });
  if (Resources().current == refNum) Resources().current = at == files.begin() ? 0 : (*(at - 1))->refNum;
  files.erase(at);
  SetResError(written);
}

void UseResFile(SInt16 refNum) {
  if (FindFile(refNum) == nullptr) {
    SetResError(resFNotFound);
    return;
  }
  Resources().current = refNum;
  SetResError(noErr);
}

SInt16 CurResFile() { return Resources().current; }

namespace toolbox {

SInt16 OpenResourceFile(const char* path, bool readOnly) {
  if (path == nullptr) {
    SetResError(paramErr);
    return kNoRefNum;
  }
  std::string canonical = CanonicalPath(path);
  if (ResourceFile* open = FindFileAt(canonical)) {
    Resources().current = open->refNum;
    SetResError(noErr);
    return open->refNum;
  }
  std::vector<unsigned char> bytes;
  if (const OSErr err = ReadFileBytes(canonical, bytes); err != noErr) {
    SetResError(err);
    return kNoRefNum;
  }
  return AddToChain(bytes, std::move(canonical), readOnly);
}

OSErr CreateResourceFile(const char* path) {
  if (path == nullptr) return SetResError(paramErr);
  struct stat existing {};
  if (::lstat(path, &existing) == 0) return SetResError(dupFNErr);
  return SetResError(WriteFileBytesAtomically(path, EmptyResourceFileBytes()));
}

SInt16 OpenResourceBytes(const std::vector<unsigned char>& bytes) {
  return AddToChain(bytes, std::string{}, false);
}

std::vector<unsigned char> ResourceFileBytes(SInt16 refNum) {
  ResourceFile* file = FindFile(refNum);
  if (file == nullptr) {
    SetResError(resFNotFound);
    return {};
  }
  if (!file->path.empty()) {
    std::vector<unsigned char> bytes;
    SetResError(ReadFileBytes(file->path, bytes));
    return bytes;
  }
  SetResError(noErr);
  return file->image;
}

std::vector<unsigned char> EmptyResourceFileBytes() {
  std::vector<unsigned char> bytes;
  SerializeResourceFile(ResourceFileContents{}, bytes);
  return bytes;
}

}  // namespace toolbox
