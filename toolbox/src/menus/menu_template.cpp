// 'MENU': menu id, two placeholders, the definition procedure's id, a filler,
// the enable flags and the title; then per item its text, icon, key
// equivalent, mark and style, ended by a zero byte (an empty item text).
#include "toolbox/big_endian_bytes.h"
#include "toolbox/resource_templates.h"

namespace toolbox {
namespace {

constexpr std::size_t kHeadBytes = 14;
constexpr std::size_t kItemTailBytes = 4;  // icon, key, mark, style

// A length-prefixed text at `at`; none when it runs past the data.
std::optional<std::string> ReadText(const BigEndianReader& in, std::size_t at) {
  const auto length = in.U8(at);
  if (!length) return std::nullopt;
  const auto bytes = in.Bytes(at + 1, *length);
  if (!bytes) return std::nullopt;
  return std::string(bytes->begin(), bytes->end());
}

}  // namespace

std::optional<MenuTemplate> ParseMenuTemplate(std::span<const unsigned char> data) {
  const BigEndianReader in(data);
  if (!in.Contains(0, kHeadBytes)) return std::nullopt;
  MenuTemplate menu;
  menu.menuID = static_cast<SInt16>(*in.U16(0));
  menu.procID = static_cast<SInt16>(*in.U16(6));
  menu.enableFlags = *in.U32(10);
  auto title = ReadText(in, kHeadBytes);
  if (!title) return std::nullopt;
  menu.title = std::move(*title);
  std::size_t at = kHeadBytes + 1 + menu.title.size();
  for (;;) {
    auto text = ReadText(in, at);
    if (!text) return std::nullopt;  // no terminating zero byte within the data
    if (text->empty()) return menu;
    const std::size_t tail = at + 1 + text->size();
    if (!in.Contains(tail, kItemTailBytes)) return std::nullopt;
    menu.items.push_back({std::move(*text), *in.U8(tail), *in.U8(tail + 1), *in.U8(tail + 2), *in.U8(tail + 3)});
    at = tail + kItemTailBytes;
  }
}

}  // namespace toolbox
