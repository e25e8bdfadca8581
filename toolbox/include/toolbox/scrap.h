// Scrap Manager: the clipboard as a set of flavours, each a type and bytes.
//
// ClearCurrentScrap empties the clipboard and starts a new scrap; a ScrapRef
// obtained before it is stale and refused with badScrapRefErr, so data cannot
// land on a clipboard the caller did not clear. Each flavour is copied into a
// Memory Manager handle owned by the system, so an allocation failure is
// reported as memFullErr and leaves the scrap as it was.
#pragma once

#include <vector>

#include "toolbox/mac_types.h"

struct OpaqueScrapRef;
using ScrapRef = OpaqueScrapRef*;
using ScrapFlavorType = OSType;
using ScrapFlavorFlags = UInt32;

enum : ScrapFlavorType {
  kScrapFlavorTypePicture = FourCharCode("PICT"),
  kScrapFlavorTypeText = FourCharCode("TEXT"),
};

enum : ScrapFlavorFlags {
  kScrapFlavorMaskNone = 0,
  kScrapFlavorMaskSenderOnly = 1,
  kScrapFlavorMaskTranslated = 2,
};

struct ScrapFlavorInfo {
  ScrapFlavorType flavorType;
  ScrapFlavorFlags flavorFlags;
};

// MacErrors.h values.
enum : OSStatus {
  needClearScrapErr = -100,
  scrapFlavorNotFoundErr = -102,
  duplicateScrapFlavorErr = -4989,
  badScrapRefErr = -4990,
  noScrapPromiseKeeperErr = -4993,
  illegalScrapFlavorFlagsErr = -4997,
  illegalScrapFlavorSizeErr = -4999,
};

OSStatus GetCurrentScrap(ScrapRef* scrap);
OSStatus ClearCurrentScrap();
// A flavour already on the scrap: duplicateScrapFlavorErr. Null data with a
// non-zero size would be a promise, which nobody keeps here:
// noScrapPromiseKeeperErr. A negative size: illegalScrapFlavorSizeErr.
OSStatus PutScrapFlavor(ScrapRef scrap, ScrapFlavorType flavorType, ScrapFlavorFlags flavorFlags, Size flavorSize,
                        const void* flavorData);
OSStatus GetScrapFlavorFlags(ScrapRef scrap, ScrapFlavorType flavorType, ScrapFlavorFlags* flavorFlags);
OSStatus GetScrapFlavorSize(ScrapRef scrap, ScrapFlavorType flavorType, Size* flavorSize);
// *byteCount: in, the destination's capacity; out, the bytes copied (at most
// the flavour's size, at most the capacity).
OSStatus GetScrapFlavorData(ScrapRef scrap, ScrapFlavorType flavorType, Size* byteCount, void* destination);
OSStatus GetScrapFlavorCount(ScrapRef scrap, UInt32* infoCount);
// *infoCount: in, the array's capacity; out, the entries filled, in the order put.
OSStatus GetScrapFlavorInfoList(ScrapRef scrap, UInt32* infoCount, ScrapFlavorInfo info[]);

namespace toolbox {

// The clipboard's contents for the host (for example to save or convert them).
struct ScrapFlavor {
  ScrapFlavorType type = 0;
  ScrapFlavorFlags flags = 0;
  std::vector<unsigned char> data;
};
std::vector<ScrapFlavor> CurrentScrapFlavors();

}  // namespace toolbox
