#include "extension/scrap_data.h"

#include "toolbox/scrap.h"

namespace spiro {

OSStatus PutScrapData(Size size, OSType type, const void* data) {
  ScrapRef scrap = nullptr;
  if (const OSStatus err = GetCurrentScrap(&scrap); err != noErr) return err;
  return PutScrapFlavor(scrap, type, kScrapFlavorMaskNone, size, data);
}

}  // namespace spiro
