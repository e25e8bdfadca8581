// The clipboard's flavours and the generation that ScrapRefs name.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "toolbox/memory.h"
#include "toolbox/scrap.h"

namespace {

struct StoredFlavor {
  ScrapFlavorType type;
  ScrapFlavorFlags flags;
  Handle data;  // system-owned; its block moves on allocations, so it is read at once
};

struct Scrap {
  std::uintptr_t generation = 1;
  std::vector<StoredFlavor> flavors;
};

Scrap& TheScrap() {
  static Scrap scrap;
  return scrap;
}

ScrapRef RefOf(std::uintptr_t generation) { return reinterpret_cast<ScrapRef>(generation); }

bool IsCurrent(ScrapRef scrap) { return scrap != nullptr && scrap == RefOf(TheScrap().generation); }

StoredFlavor* Find(ScrapFlavorType type) {
  auto& flavors = TheScrap().flavors;
  const auto found =
      std::find_if(flavors.begin(), flavors.end(), [type](const StoredFlavor& f) { return f.type == type; });
  return found == flavors.end() ? nullptr : &*found;
}

// The flavour named, after the checks every reader makes.
OSStatus Lookup(ScrapRef scrap, ScrapFlavorType type, StoredFlavor** flavor) {
  if (!IsCurrent(scrap)) return badScrapRefErr;
  *flavor = Find(type);
  return *flavor == nullptr ? OSStatus{scrapFlavorNotFoundErr} : OSStatus{noErr};
}

}  // namespace

OSStatus GetCurrentScrap(ScrapRef* scrap) {
  if (scrap == nullptr) return paramErr;
  *scrap = RefOf(TheScrap().generation);
  return noErr;
}

OSStatus ClearCurrentScrap() {
  Scrap& s = TheScrap();
  for (const StoredFlavor& f : s.flavors) DisposeHandle(f.data);
  s.flavors.clear();
  ++s.generation;
  return noErr;
}

OSStatus PutScrapFlavor(ScrapRef scrap, ScrapFlavorType flavorType, ScrapFlavorFlags flavorFlags, Size flavorSize,
                        const void* flavorData) {
  if (!IsCurrent(scrap)) return badScrapRefErr;
  if ((flavorFlags & ~(kScrapFlavorMaskSenderOnly | kScrapFlavorMaskTranslated)) != 0) {
    return illegalScrapFlavorFlagsErr;
  }
  if (flavorSize < 0) return illegalScrapFlavorSizeErr;
  if (flavorData == nullptr && flavorSize > 0) return noScrapPromiseKeeperErr;
  if (Find(flavorType) != nullptr) return duplicateScrapFlavorErr;
  // The data may lie in a caller's unlocked block, which moves when the copy
  // is allocated: take the bytes before allocating.
  const auto* bytes = static_cast<const unsigned char*>(flavorData);
  const std::vector<unsigned char> taken(bytes, bytes + flavorSize);
  const toolbox::ScopedMemoryOwner system(toolbox::kSystemOwner);
  Handle copy = NewHandle(flavorSize);
  if (copy == nullptr) return MemError();
  if (flavorSize > 0) std::memcpy(*copy, taken.data(), taken.size());
  TheScrap().flavors.push_back({flavorType, flavorFlags, copy});
  return noErr;
}

OSStatus GetScrapFlavorFlags(ScrapRef scrap, ScrapFlavorType flavorType, ScrapFlavorFlags* flavorFlags) {
  StoredFlavor* flavor = nullptr;
  const OSStatus status = Lookup(scrap, flavorType, &flavor);
  if (status == noErr) *flavorFlags = flavor->flags;
  return status;
}

OSStatus GetScrapFlavorSize(ScrapRef scrap, ScrapFlavorType flavorType, Size* flavorSize) {
  StoredFlavor* flavor = nullptr;
  const OSStatus status = Lookup(scrap, flavorType, &flavor);
  if (status == noErr) *flavorSize = GetHandleSize(flavor->data);
  return status;
}

OSStatus GetScrapFlavorData(ScrapRef scrap, ScrapFlavorType flavorType, Size* byteCount, void* destination) {
  if (byteCount == nullptr || *byteCount < 0 || (destination == nullptr && *byteCount > 0)) return paramErr;
  StoredFlavor* flavor = nullptr;
  const OSStatus status = Lookup(scrap, flavorType, &flavor);
  if (status != noErr) {
    *byteCount = 0;
    return status;
  }
  *byteCount = std::min(*byteCount, GetHandleSize(flavor->data));
  if (*byteCount > 0) std::memcpy(destination, *flavor->data, static_cast<std::size_t>(*byteCount));
  return noErr;
}

OSStatus GetScrapFlavorCount(ScrapRef scrap, UInt32* infoCount) {
  if (!IsCurrent(scrap)) return badScrapRefErr;
  *infoCount = static_cast<UInt32>(TheScrap().flavors.size());
  return noErr;
}

OSStatus GetScrapFlavorInfoList(ScrapRef scrap, UInt32* infoCount, ScrapFlavorInfo info[]) {
  if (!IsCurrent(scrap)) return badScrapRefErr;
  const auto& flavors = TheScrap().flavors;
  const auto count = std::min<std::size_t>(*infoCount, flavors.size());
  for (std::size_t i = 0; i < count; ++i) info[i] = {flavors[i].type, flavors[i].flags};
  *infoCount = static_cast<UInt32>(count);
  return noErr;
}

std::vector<toolbox::ScrapFlavor> toolbox::CurrentScrapFlavors() {
  std::vector<ScrapFlavor> copies;
  for (const StoredFlavor& f : TheScrap().flavors) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(*f.data);
    copies.push_back({f.type, f.flags, {bytes, bytes + GetHandleSize(f.data)}});
  }
  return copies;
}
