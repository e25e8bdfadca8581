// Item text with the platform's metacharacters (AppendMenu, InsertMenuItem).
#include "menu_record.h"

namespace toolbox::internal {
namespace {

Style StyleBit(char letter) {
  switch (letter) {
    case 'B': return bold;
    case 'I': return italic;
    case 'U': return underline;
    case 'O': return outline;
    case 'S': return shadow;
    default: return normal;
  }
}

MenuItemRecord ParseOneItem(std::string_view source) {
  MenuItemRecord item;
  for (std::size_t i = 0; i < source.size(); ++i) {
    const char c = source[i];
    const bool hasArgument = i + 1 < source.size();
    if (c == '(') {
      item.enabled = false;
    } else if ((c == '^' || c == '!' || c == '<' || c == '/') && hasArgument) {
      const auto argument = static_cast<unsigned char>(source[++i]);
      if (c == '^') item.icon = static_cast<UInt8>(argument - '0');
      if (c == '!') item.mark = argument;
      if (c == '<') item.style = static_cast<Style>(item.style | StyleBit(static_cast<char>(argument)));
      if (c == '/') item.keyEquivalent = argument;
    } else {
      item.text.push_back(c);
    }
  }
  if (item.text == "-") item.enabled = false;
  return item;
}

}  // namespace

std::vector<MenuItemRecord> ParseMenuItems(std::string_view data) {
  std::vector<MenuItemRecord> items;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= data.size(); ++i) {
    if (i < data.size() && data[i] != ';' && data[i] != '\r') continue;
    const std::string_view source = data.substr(start, i - start);
    start = i + 1;
    MenuItemRecord item = ParseOneItem(source);
    if (!item.text.empty()) items.push_back(std::move(item));
  }
  return items;
}

}  // namespace toolbox::internal
