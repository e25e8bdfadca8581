// Feeds arbitrary bytes to the menu template parser and to AppendMenu's
// metacharacter syntax, then works the menus made from them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "toolbox/menus.h"
#include "toolbox/resource_templates.h"
#include "toolbox/script.h"

namespace {

void WorkMenu(MenuRef menu) {
  const UInt16 count = CountMenuItems(menu);
  for (UInt16 item = 0; item <= count + 1; ++item) {
    Str255 text;
    GetMenuItemText(menu, item, text);
    CheckMenuItem(menu, item, item % 2 == 0);
    toolbox::PushScriptAction(toolbox::MenuChoiceAction(static_cast<SInt16>(item)));
    PopUpMenuSelect(menu, 0, 0, 1);
  }
  DisposeMenu(menu);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const unsigned char> bytes(data, size);
  if (const auto parsed = toolbox::ParseMenuTemplate(bytes)) {
    Str255 title;
    title[0] = static_cast<unsigned char>(std::min<std::size_t>(parsed->title.size(), 255));
    std::copy_n(parsed->title.begin(), title[0], title + 1);
    WorkMenu(NewMenu(parsed->menuID, title));
  }
  Str255 itemText;
  itemText[0] = static_cast<unsigned char>(std::min<std::size_t>(size, 255));
  std::copy_n(data, itemText[0], itemText + 1);
  MenuRef menu = NewMenu(1, itemText);
  AppendMenu(menu, itemText);
  WorkMenu(menu);
  toolbox::ClearScript();
  return 0;
}
