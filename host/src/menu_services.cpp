// Services 631, 634, 636 (menu items of extensions) and 164, 165 (toolbar
// groups and buttons). An item reference is the item's address in a list
// whose entries never move, so references stay valid while items are added.
#include <deque>

#include "host/extension_menus.h"
#include "host/host_context.h"
#include "host/service_table.h"
#include "toolbox/pascal_string.h"
#include "vantor/services.h"

namespace host {
namespace {

struct ExtensionMenus {
  std::deque<ExtensionMenuItem> items;
  std::vector<ToolbarGroup> groups;
};

std::deque<ExtensionMenuItem>& Items() { return ProcessState<ExtensionMenus>().items; }
std::vector<ToolbarGroup>& Groups() { return ProcessState<ExtensionMenus>().groups; }

ExtensionMenuItem ItemFromPath(ConstStr255Param path) {
  const std::string text = path != nullptr ? toolbox::PascalTextToUtf8(path) : std::string();
  const std::size_t colon = text.find(':');
  ExtensionMenuItem item;
  item.menu = text.substr(0, colon);
  if (colon != std::string::npos) item.text = text.substr(colon + 1);
  return item;
}

void* AddItemService(ConstStr255Param path, std::int16_t flags, std::uint16_t key) {
  ExtensionMenuItem item = ItemFromPath(path);
  item.flags = flags;
  item.key = key;
  Items().push_back(std::move(item));
  return &Items().back();
}

void CheckItemService(void* item, bool checked) {
  for (ExtensionMenuItem& known : Items()) {
    if (&known == item) known.checked = checked;
  }
}

void AddSeparatorService(ConstStr255Param menu) {
  ExtensionMenuItem item = ItemFromPath(menu);
  item.separator = true;
  Items().push_back(std::move(item));
}

// Groups are numbered from 1; 0 names none.
std::int16_t NewGroupService(ConstStr255Param title, std::int16_t) {
  Groups().push_back({title != nullptr ? toolbox::PascalTextToUtf8(title) : std::string(), {}});
  return static_cast<std::int16_t>(Groups().size());
}

void AddButtonService(std::int16_t group, std::uint16_t key, const char* image,
                      ConstStr255Param label, std::int16_t) {
  if (group < 1 || static_cast<std::size_t>(group) > Groups().size()) return;
  Groups()[static_cast<std::size_t>(group) - 1].buttons.push_back(
      {key, image != nullptr ? image : "", label != nullptr ? toolbox::PascalTextToUtf8(label) : ""});
}

}  // namespace

std::vector<ExtensionMenuItem> ExtensionMenuItems() { return {Items().begin(), Items().end()}; }
const std::vector<ToolbarGroup>& ToolbarGroups() { return Groups(); }

std::optional<std::uint16_t> MenuItemKey(const std::string& text) {
  for (const ExtensionMenuItem& item : Items()) {
    if (!item.separator && item.text == text) return item.key;
  }
  return std::nullopt;
}

void ForgetExtensionMenus() {
  Items().clear();
  Groups().clear();
}

void InstallMenuServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<HostService631>(table, &AddItemService);
  vantor::SetService<HostService634>(table, &CheckItemService);
  vantor::SetService<HostService636>(table, &AddSeparatorService);
  vantor::SetService<HostService165>(table, &NewGroupService);
  vantor::SetService<HostService164>(table, &AddButtonService);
}

}  // namespace host
