#include "extension/resource_text_helpers.h"

#include <array>

#include "frame/host_services.h"
#include "toolbox/resources.h"
#include "util/pstring.h"
#include "util/settings_store.h"

namespace spiro {

namespace {

constexpr std::int32_t kNoInputKind = 4113;
constexpr std::int16_t kChannelCountQuery = 1539;
constexpr auto kPlaceholderItem = PStringLiteral("x");
constexpr auto kNulPrefix = std::array<unsigned char, 2>{1, 0};
constexpr auto kSpirometerInput = PStringLiteral("Spirometer");

}  // namespace

StringPtr GetListString(StringPtr out, Handle list, std::int16_t index) {
  HostGetListString(list, index, out);
  return out;
}

StringPtr GetExtensionIndString(StringPtr out, std::int16_t listId, std::int16_t index,
                                const VantorExtensionBase* extension) {
  if (extension == nullptr) return out;
  extension->BeginResources();
  GetIndString(out, listId, index);
  extension->EndResources();
  return out;
}

MenuRef GetDetachedMenu(std::int16_t id) {
  MenuRef menu = GetMenu(id);
  if (menu != nullptr) DetachResource(reinterpret_cast<Handle>(menu));
  return menu;
}

void AppendMenuItemText(MenuRef menu, ConstStr255Param text, bool prefixed) {
  if (menu == nullptr) return;
  // A placeholder item first, then its text set verbatim: AppendMenu would
  // read metacharacters in the text itself.
  AppendMenu(menu, kPlaceholderItem.data());
  Str255 itemText;
  if (prefixed) {
    ConcatPStrings(sizeof itemText, itemText, kNulPrefix.data(), text);
  } else {
    CopyPString(itemText, text);
  }
  SetMenuItemText(menu, CountMenuItems(menu), itemText);
}

std::int16_t SaveSettingsResource(ConstStr255Param name, Handle block,
                                  VantorExtensionBase& extension) {
  return SaveNamedSettings(extension, name, block);
}

void FormatText(vantor::ChannelScaling scaling, StringPtr out) { HostService343(out, &scaling); }

void CopyActiveRange(unsigned char* out) { GetActiveRangeRecord(out); }

bool IsSpirometerChannel(std::int16_t channel) {
  const std::int32_t kind = HostService439(static_cast<std::int16_t>(channel - 1));
  if (kind == kNoInputKind) return false;
  std::int32_t a = 0;
  std::int32_t b = 0;
  Str255 name;
  HostService437(kind, &a, &b, name);
  return ComparePStrings(name, kSpirometerInput.data()) == 0;
}

std::int16_t FindSpirometerChannel() {
  const auto count = static_cast<std::int16_t>(HostQueryValue(kChannelCountQuery));
  for (std::int16_t channel = 1; channel <= count; ++channel) {
    if (IsSpirometerChannel(channel)) return channel;
  }
  return 0;
}

}  // namespace spiro
