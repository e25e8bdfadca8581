// 'MENU': menu id, placeholders, MDEF id, enable flags, title, then per item
// its text, icon, key equivalent, mark and style, ended by a zero byte.
#include <algorithm>

#include "resource_compilers.h"
#include "toolbox/big_endian_bytes.h"

namespace rez {
namespace {

constexpr unsigned char kCheckMark = 0x12;
constexpr unsigned char kHasSubmenu = 0x1B;
constexpr std::size_t kLastEnableBit = 31;

struct StyleBit {
  std::string_view word;
  std::uint8_t bit;
};
constexpr StyleBit kStyles[] = {{"bold", 0x01},    {"italic", 0x02},   {"underline", 0x04}, {"outline", 0x08},
                                {"shadow", 0x10},  {"condense", 0x20}, {"extend", 0x40}};

std::uint8_t StyleOf(const Fields& item) {
  std::uint8_t style = 0;
  for (const std::string& word : item.Words("style")) {
    const auto* found = std::find_if(std::begin(kStyles), std::end(kStyles),
                                     [&word](const StyleBit& s) { return s.word == word; });
    if (found == std::end(kStyles)) item.Fail("unknown style '" + word + "'");
    style = static_cast<std::uint8_t>(style | found->bit);
  }
  return style;
}

// A single MacRoman character, or 0 for an empty string.
unsigned char CharacterOf(const Fields& item, std::string_view key) {
  const std::string text = item.MacRoman(key, "", 1);
  return text.empty() ? 0 : static_cast<unsigned char>(text[0]);
}

unsigned char MarkOf(const Fields& item) {
  if (item.Has("mark") && item.Utf8("mark") == "check") return kCheckMark;
  return CharacterOf(item, "mark");
}

// Writes one item; returns whether it is enabled.
bool WriteItem(const Fields& item, toolbox::BigEndianWriter& out) {
  if (item.Flag("separator", false)) {
    item.AllowOnly({"separator"});
    out.PString("-");
    out.Zeros(4);
    return false;
  }
  item.AllowOnly({"text", "enabled", "key", "mark", "icon", "style", "submenu"});
  const std::string text = item.MacRoman("text");
  if (text.empty()) item.Fail("'text' is empty (an empty text would end the menu)");
  out.PString(text);
  out.U8(static_cast<std::uint8_t>(item.Integer("icon", 0, 255, 0)));
  if (item.Has("submenu")) {
    if (item.Has("key") || item.Has("mark")) item.Fail("a submenu item has no 'key' or 'mark'");
    out.U8(kHasSubmenu);
    out.U8(static_cast<std::uint8_t>(item.Integer("submenu", 1, 255)));
  } else {
    out.U8(CharacterOf(item, "key"));
    out.U8(MarkOf(item));
  }
  out.U8(StyleOf(item));
  return item.Flag("enabled", true);
}

}  // namespace

CompiledData CompileMenu(const Fields& resource) {
  AllowResourceKeys(resource, {"menu_id", "title", "proc", "enabled", "items"});
  const auto menuId = resource.Integer("menu_id", -32768, 32767, resource.Integer("id", -32768, 32767));
  toolbox::BigEndianWriter out;
  out.S16(static_cast<std::int16_t>(menuId));
  out.U16(0);  // width and height: computed by the Menu Manager
  out.U16(0);
  out.S16(static_cast<std::int16_t>(resource.Integer("proc", -32768, 32767, 0)));
  out.U16(0);
  const std::size_t flagsAt = out.size();
  out.U32(0);
  out.PString(resource.MacRoman("title"));
  // Bits of items the menu does not have stay set, as in the platform's own
  // templates, so items appended at run time start enabled.
  std::uint32_t enableFlags = 0xFFFFFFFF;
  if (!resource.Flag("enabled", true)) enableFlags &= ~std::uint32_t{1};
  std::size_t number = 0;
  for (const Fields& item : resource.Tables("items", "item")) {
    const bool enabled = WriteItem(item, out);
    if (++number > kLastEnableBit && !enabled) item.Fail("only items 1 to 31 can be disabled");
    if (!enabled) enableFlags &= ~(std::uint32_t{1} << number);
  }
  out.U8(0);
  out.PatchU32(flagsAt, enableFlags);
  return {FourCharCode("MENU"), out.Take()};
}

}  // namespace rez
