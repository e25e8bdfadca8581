// 'CNTL': bounds, value, visible byte and filler, maximum, minimum, the
// definition procedure's id, the reference value and the title.
#include "toolbox/big_endian_bytes.h"
#include "toolbox/resource_templates.h"

namespace toolbox {

std::optional<ControlTemplate> ParseControlTemplate(std::span<const unsigned char> data) {
  constexpr std::size_t kHeadBytes = 22;
  const BigEndianReader in(data);
  if (!in.Contains(0, kHeadBytes)) return std::nullopt;
  const auto s16 = [&in](std::size_t at) { return static_cast<SInt16>(*in.U16(at)); };
  ControlTemplate c;
  c.bounds = Rect{s16(0), s16(2), s16(4), s16(6)};
  c.value = s16(8);
  c.visible = *in.U8(10) != 0;
  c.maximum = s16(12);
  c.minimum = s16(14);
  c.procID = s16(16);
  c.refCon = static_cast<SInt32>(*in.U32(18));
  const auto length = in.U8(kHeadBytes);
  if (!length) return std::nullopt;
  const auto title = in.Bytes(kHeadBytes + 1, *length);
  if (!title) return std::nullopt;
  c.title.assign(title->begin(), title->end());
  return c;
}

}  // namespace toolbox
