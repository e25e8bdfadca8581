// 'DITL': the item count less one, then per item a handle placeholder, the
// display rectangle, the type byte (bit 7: disabled), the data length and the
// data, padded so that the next item starts on an even offset.
#include "toolbox/big_endian_bytes.h"
#include "toolbox/dialogs.h"
#include "toolbox/resource_templates.h"

namespace toolbox {
namespace {

constexpr std::size_t kItemHeadBytes = 14;  // placeholder, rect, type, length

bool IsTextKind(UInt8 kind) {
  return kind == kButtonDialogItem || kind == kCheckBoxDialogItem || kind == kRadioButtonDialogItem ||
         kind == kStaticTextDialogItem || kind == kEditTextDialogItem;
}

bool IsResourceKind(UInt8 kind) {
  return kind == kResourceControlDialogItem || kind == kIconDialogItem || kind == kPictureDialogItem;
}

// Fills the item's fields its kind carries from its data; false for unknown kinds.
bool ReadItemData(UInt8 kind, std::span<const unsigned char> data, DialogItemTemplate& item) {
  if (IsTextKind(kind)) {
    item.text.assign(data.begin(), data.end());
    return true;
  }
  if (IsResourceKind(kind)) {
    const auto id = BigEndianReader(data).U16(0);
    if (!id) return false;
    item.resourceID = static_cast<SInt16>(*id);
    return true;
  }
  return kind == kUserDialogItem || kind == kHelpDialogItem;
}

// Reads the item at `at` and returns the offset of the next one.
std::optional<std::size_t> ReadItem(const BigEndianReader& in, std::size_t at, DialogItemTemplate& item) {
  if (!in.Contains(at, kItemHeadBytes)) return std::nullopt;
  item.rect = Rect{static_cast<SInt16>(*in.U16(at + 4)), static_cast<SInt16>(*in.U16(at + 6)),
                   static_cast<SInt16>(*in.U16(at + 8)), static_cast<SInt16>(*in.U16(at + 10))};
  const UInt8 type = *in.U8(at + 12);
  item.kind = static_cast<UInt8>(type & ~kItemDisableBit);
  item.enabled = (type & kItemDisableBit) == 0;
  const UInt8 length = *in.U8(at + 13);
  const auto data = in.Bytes(at + kItemHeadBytes, length);
  if (!data || !ReadItemData(item.kind, *data, item)) return std::nullopt;
  const std::size_t next = at + kItemHeadBytes + length;
  return next + next % 2;
}

}  // namespace

std::optional<std::vector<DialogItemTemplate>> ParseDialogItemList(std::span<const unsigned char> data) {
  const BigEndianReader in(data);
  const auto countLessOne = in.U16(0);
  if (!countLessOne) return std::nullopt;
  const std::size_t count = std::size_t{*countLessOne} + 1;
  std::vector<DialogItemTemplate> items;
  std::size_t at = 2;
  for (std::size_t i = 0; i < count; ++i) {
    DialogItemTemplate item;
    const auto next = ReadItem(in, at, item);
    if (!next) return std::nullopt;
    items.push_back(std::move(item));
    at = *next;
  }
  return items;
}

}  // namespace toolbox
