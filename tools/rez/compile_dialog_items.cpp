// 'DITL': item count - 1, then per item a handle placeholder, its rectangle,
// its kind byte (0x80 = disabled), its data length and data, padded to even.
#include <algorithm>

#include "resource_compilers.h"
#include "toolbox/big_endian_bytes.h"

namespace rez {
namespace {

constexpr std::uint8_t kItemDisabled = 0x80;

enum class ItemData { kNone, kText, kResourceId };

struct ItemKind {
  std::string_view name;
  std::uint8_t code;
  ItemData data;
};

constexpr ItemKind kKinds[] = {
    {"user", 0, ItemData::kNone},          {"button", 4, ItemData::kText},
    {"checkbox", 5, ItemData::kText},      {"radio", 6, ItemData::kText},
    {"control", 7, ItemData::kResourceId}, {"static_text", 8, ItemData::kText},
    {"edit_text", 16, ItemData::kText},    {"icon", 32, ItemData::kResourceId},
    {"picture", 64, ItemData::kResourceId},
};

const ItemKind& KindOf(const Fields& item) {
  const std::string name = item.Utf8("kind");
  const auto* found =
      std::find_if(std::begin(kKinds), std::end(kKinds), [&name](const ItemKind& k) { return k.name == name; });
  if (found == std::end(kKinds))
    item.Fail("unknown kind '" + name + "' (user, button, checkbox, radio, control, static_text, edit_text, icon, picture)");
  return *found;
}

std::vector<unsigned char> DataOf(const Fields& item, const ItemKind& kind) {
  toolbox::BigEndianWriter data;
  switch (kind.data) {
    case ItemData::kNone:
      item.AllowOnly({"kind", "bounds", "enabled"});
      break;
    case ItemData::kText: {
      item.AllowOnly({"kind", "bounds", "enabled", "text"});
      for (char c : item.MacRoman("text", "")) data.U8(static_cast<std::uint8_t>(c));
      break;
    }
    case ItemData::kResourceId:
      item.AllowOnly({"kind", "bounds", "enabled", "resource"});
      data.S16(static_cast<std::int16_t>(item.Integer("resource", -32768, 32767)));
      break;
  }
  return data.Take();
}

void WriteItem(const Fields& item, toolbox::BigEndianWriter& out) {
  const ItemKind& kind = KindOf(item);
  const std::vector<unsigned char> data = DataOf(item, kind);
  const Rect bounds = item.Bounds("bounds");
  out.U32(0);
  out.S16(bounds.top);
  out.S16(bounds.left);
  out.S16(bounds.bottom);
  out.S16(bounds.right);
  out.U8(static_cast<std::uint8_t>(kind.code | (item.Flag("enabled", true) ? 0 : kItemDisabled)));
  out.U8(static_cast<std::uint8_t>(data.size()));
  out.Bytes(data);
  out.PadToEven();
}

}  // namespace

CompiledData CompileDialogItems(const Fields& resource) {
  AllowResourceKeys(resource, {"items"});
  const std::vector<Fields> items = resource.Tables("items", "item");
  if (items.empty()) resource.Fail("'items' is empty");
  if (items.size() > 0x8000) resource.Fail("more than 32768 items");
  toolbox::BigEndianWriter out;
  out.U16(static_cast<std::uint16_t>(items.size() - 1));
  for (const Fields& item : items) WriteItem(item, out);
  return {FourCharCode("DITL"), out.Take()};
}

}  // namespace rez
