// 'WIND' and 'DLOG': the window head, the dialog's item list id, the title
// and the optional positioning word after the title, padded to even.
#include "toolbox/big_endian_bytes.h"
#include "toolbox/resource_templates.h"

namespace toolbox {
namespace {

constexpr std::size_t kHeadBytes = 18;  // bounds, procID, visible, goAway, refCon

bool ReadHead(const BigEndianReader& in, WindowTemplate& w) {
  if (!in.Contains(0, kHeadBytes)) return false;
  const auto s16 = [&in](std::size_t at) { return static_cast<SInt16>(*in.U16(at)); };
  w.bounds = Rect{s16(0), s16(2), s16(4), s16(6)};
  w.procID = s16(8);
  w.visible = *in.U8(10) != 0;
  w.goAway = *in.U8(12) != 0;
  w.refCon = static_cast<SInt32>(*in.U32(14));
  return true;
}

// The title at `at` and the positioning word after it, if the data hold one.
bool ReadTail(const BigEndianReader& in, std::size_t at, WindowTemplate& w) {
  const auto length = in.U8(at);
  if (!length) return false;
  const auto title = in.Bytes(at + 1, *length);
  if (!title) return false;
  w.title.assign(title->begin(), title->end());
  std::size_t next = at + 1 + *length;
  next += next % 2;
  if (const auto positioning = in.U16(next)) w.positioning = *positioning;
  return true;
}

}  // namespace

std::optional<WindowTemplate> ParseWindowTemplate(std::span<const unsigned char> data) {
  const BigEndianReader in(data);
  WindowTemplate w;
  if (!ReadHead(in, w) || !ReadTail(in, kHeadBytes, w)) return std::nullopt;
  return w;
}

std::optional<DialogTemplate> ParseDialogTemplate(std::span<const unsigned char> data) {
  const BigEndianReader in(data);
  DialogTemplate d;
  const auto items = in.U16(kHeadBytes);
  if (!ReadHead(in, d.window) || !items || !ReadTail(in, kHeadBytes + 2, d.window)) return std::nullopt;
  d.itemListID = static_cast<SInt16>(*items);
  return d;
}

}  // namespace toolbox
