// HostGetListString (181): string `index` (1-based) of a string list the
// extension holds as a handle ('STR#' layout: a big-endian u16 count, then
// the length-prefixed strings back to back).
//
// The handle's contents are the extension's and may be damaged, so every
// length is checked against the handle's size: an index past the list, a
// list that is cut short, a null or disposed handle all give the empty string.
#include <cstddef>
#include <cstdint>
#include <span>

#include "host/service_table.h"
#include "toolbox/pascal_string.h"
#include "toolbox/big_endian_bytes.h"
#include "toolbox/memory.h"
#include "vantor/services.h"

namespace host {
namespace {

std::string_view ListString(std::span<const unsigned char> list, std::int16_t index) {
  const toolbox::BigEndianReader reader(list);
  const auto count = reader.U16(0);
  if (!count || index < 1 || index > *count) return {};
  std::size_t at = 2;
  for (std::int16_t i = 1; i < index; ++i) {
    const auto length = reader.U8(at);
    if (!length) return {};
    at += 1 + *length;
  }
  const auto length = reader.U8(at);
  if (!length) return {};
  const auto text = reader.Bytes(at + 1, *length);
  if (!text) return {};
  return {reinterpret_cast<const char*>(text->data()), text->size()};
}

void GetListStringService(Handle list, std::int16_t index, Str255* out) {
  if (out == nullptr) return;
  if (list == nullptr || !toolbox::IsLiveHandle(list) || *list == nullptr) {
    (*out)[0] = 0;
    return;
  }
  const auto size = static_cast<std::size_t>(GetHandleSize(list));
  // No allocation between here and the copy, so the block cannot move.
  toolbox::StorePascal(*out, ListString({reinterpret_cast<const unsigned char*>(*list), size}, index));
}

}  // namespace

void InstallListStringServices(vantor::ServiceTable& table) {
  vantor::SetService<vantor::service::HostGetListString>(table, &GetListStringService);
}

}  // namespace host
