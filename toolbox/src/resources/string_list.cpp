// GetIndString: one string of a 'STR#' resource (a u16 count, then that many
// length-prefixed strings back to back). The resource's data come from a file
// or from a caller's AddResource, so each string is checked against the
// handle's size before it is copied.
#include <cstring>
#include <vector>

#include "toolbox/big_endian_bytes.h"
#include "toolbox/memory.h"
#include "toolbox/resources.h"

namespace {

constexpr ResType kStringListType = FourCharCode("STR#");

// Copies string `index` into theString; false when the list lacks it.
bool CopyListString(std::span<const unsigned char> list, SInt16 index, Str255 theString) {
  const toolbox::BigEndianReader reader(list);
  const auto count = reader.U16(0);
  if (!count || index < 1 || index > *count) return false;
  std::size_t at = 2;
  for (SInt16 i = 1; i < index; ++i) {
    const auto length = reader.U8(at);
    if (!length) return false;
    at += 1 + *length;
  }
  const auto length = reader.U8(at);
  if (!length) return false;
  const auto text = reader.Bytes(at + 1, *length);
  if (!text) return false;
  theString[0] = *length;
  std::memcpy(theString + 1, text->data(), text->size());
  return true;
}

}  // namespace

void GetIndString(Str255 theString, SInt16 strListID, SInt16 index) {
  theString[0] = 0;
  Handle list = GetResource(kStringListType, strListID);
  if (list == nullptr) return;
  LoadResource(list);
  if (ResError() != noErr) return;
  const auto size = static_cast<std::size_t>(GetHandleSize(list));
  // No Memory Manager call between here and the copy, so the block stays put.
  CopyListString({reinterpret_cast<const unsigned char*>(*list), size}, index, theString);
}
