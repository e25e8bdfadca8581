#include "util/settings_store.h"

#include "frame/host_services.h"
#include "toolbox/resources.h"
#include "util/pstring.h"

namespace spiro {

namespace {

// Converts a handle's block in place, locked while its address is in use.
void SwapHandleData(VantorExtensionBase& extension, Handle h, bool toStorage) {
  const std::int8_t state = HostGetHandleState(h);
  HostLockHandle(h);
  extension.SwapSettingsByteOrder(*h, HostGetHandleSize(h), toStorage);
  HostSetHandleState(h, state);
}

// Removes the stored record of that name, if any; its data are disposed.
std::int16_t RemoveNamedSettings(ConstStr255Param name) {
  SetResLoad(false);
  Handle old = Get1NamedResource(kSettingsResourceType, name);
  std::int16_t err = 0;
  if (old != nullptr) {
    RemoveResource(old);
    err = ResError();
    if (err == 0) HostDisposeHandle(old);
  }
  SetResLoad(true);
  return err;
}

}  // namespace

Handle LoadNamedSettings(VantorExtensionBase& extension, ConstStr255Param name) {
  Handle h = Get1NamedResource(kSettingsResourceType, name);
  if (h == nullptr) return nullptr;
  SwapHandleData(extension, h, false);
  return h;
}

std::int16_t SaveNamedSettings(VantorExtensionBase& extension, ConstStr255Param name,
                               Handle data) {
  // The copy is made before the old record goes, so that running out of
  // memory never loses the settings already stored.
  Handle copy = data;
  if (data != nullptr) {
    if (const std::int32_t err = HostDuplicateHandle(&copy); err != 0) {
      return static_cast<std::int16_t>(err);
    }
  }
  if (const std::int16_t err = RemoveNamedSettings(name); err != 0) {
    if (copy != nullptr) HostDisposeHandle(copy);
    return err;
  }
  if (copy == nullptr) return 0;

  SwapHandleData(extension, copy, true);
  AddResource(copy, kSettingsResourceType, Unique1ID(kSettingsResourceType), name);
  if (const std::int16_t err = ResError(); err != 0) {
    HostDisposeHandle(copy);
    return err;
  }
  WriteResource(copy);
  const std::int16_t err = ResError();
  ReleaseResource(copy);
  return err;
}

Handle GetDetachedResource(ResType type, std::int16_t id) {
  Handle h = Get1Resource(type, id);
  if (h != nullptr) {
    DetachResource(h);
    HostService314(h);
    return h;
  }
  Str255 typeText;
  Str255 number;
  Str255 message;
  OSTypeToPString(type, typeText);
  NumToPString(number, id);
  static constexpr auto kCouldNotFind = PStringLiteral("Could not find ");
  static constexpr auto kResourceWithId = PStringLiteral(" resource with ID=");
  ConcatPStrings(256, message, kCouldNotFind.data(), typeText, kResourceWithId.data(), number);
  HostAlert(message);
  return nullptr;
}

Handle GetStringList(std::int16_t id) { return GetDetachedResource(FourCharCode("STR#"), id); }

}  // namespace spiro
