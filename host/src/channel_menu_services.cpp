// Texts and menus that name the current document's channels: a channel menu
// (567), a dialog's channel pop-up (568) and a settings dialog's title
// suffix (608).
//
// 567 (menu, first, 0, 0) makes item first + c - 1 name channel c: the items
// from `first` on are replaced by the channels' titles, taken literally (a
// title may hold characters the Menu Manager would otherwise read as
// commands). An untitled channel reads "Channel c". A `first` past the end
// appends after the last item; below 1 nothing is done. 568 (dialog, item,
// first, 0, 0) does the same to the menu of a dialog's pop-up item and lets
// its value reach the last channel. The two trailing values are accepted and
// not used.
//
// 608 (out, channel) is " (Channel c: title)", or " (Channel c)" for an
// untitled channel, and empty without a document or such a channel.
#include <string>

#include "dialog_items.h"
#include "host/document.h"
#include "host/service_table.h"
#include "toolbox/pascal_string.h"
#include "toolbox/menus.h"
#include "vantor/services.h"

namespace host {
namespace {

std::string ChannelName(const Document& document, int channel) {
  const std::string& title = document.Title(channel);
  return title.empty() ? "Channel " + std::to_string(channel) : title;
}

void FillChannelItems(MenuRef menu, std::int16_t first) {
  if (!toolbox::IsLiveMenu(menu) || first < 1) return;
  const auto firstItem = static_cast<MenuItemIndex>(first);
  while (CountMenuItems(menu) >= firstItem) DeleteMenuItem(menu, firstItem);
  const Document* document = CurrentDocument();
  if (document == nullptr) return;
  for (int channel = 1; channel <= document->channelCount(); ++channel) {
    Str255 text;
    toolbox::StorePascalText(text, sizeof text, ChannelName(*document, channel));
    AppendMenuItemText(menu, text);
  }
}

void ChannelMenuService(void* menu, std::int16_t first, std::int16_t, std::int16_t) {
  FillChannelItems(static_cast<MenuRef>(menu), first);
}

void ChannelPopUpService(void* dialog, std::int16_t item, std::int16_t first, std::int16_t, std::int16_t) {
  ControlRef control = ItemControl(dialog, item);
  MenuRef menu = control != nullptr ? GetControlPopupMenuHandle(control) : nullptr;
  if (menu == nullptr) return;
  FillChannelItems(menu, first);
  SetControlMaximum(control, static_cast<SInt16>(CountMenuItems(menu)));
}

void TitleSuffixService(Str255* out, std::int16_t channel) {
  if (out == nullptr) return;
  const Document* document = CurrentDocument();
  if (document == nullptr || !document->IsChannel(channel)) {
    (*out)[0] = 0;
    return;
  }
  std::string suffix = " (Channel " + std::to_string(channel);
  if (!document->Title(channel).empty()) suffix += ": " + document->Title(channel);
  toolbox::StorePascalText(*out, toolbox::kStr255Bytes, suffix + ")");
}

}  // namespace

void InstallChannelMenuServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<HostService567>(table, &ChannelMenuService);
  vantor::SetService<HostService568>(table, &ChannelPopUpService);
  vantor::SetService<HostService608>(table, &TitleSuffixService);
}

}  // namespace host
