// Shared fields of window and dialog templates.
#include <algorithm>

#include "window_fields.h"

namespace rez {
namespace {

struct NamedCode {
  std::string_view name;
  std::int64_t code;
};

constexpr NamedCode kProcs[] = {
    {"documentProc", 0}, {"dBoxProc", 1},    {"plainDBox", 2},   {"altDBoxProc", 3}, {"noGrowDocProc", 4},
    {"movableDBoxProc", 5}, {"zoomDocProc", 8}, {"zoomNoGrow", 12}, {"rDocProc", 16},
};

constexpr NamedCode kPositions[] = {
    {"noAutoCenter", 0x0000},
    {"centerMainScreen", 0x280A},
    {"alertPositionMainScreen", 0x300A},
    {"staggerMainScreen", 0x380A},
    {"centerParentWindow", 0xA80A},
    {"alertPositionParentWindow", 0xB00A},
    {"staggerParentWindow", 0xB80A},
    {"centerParentWindowScreen", 0x680A},
    {"alertPositionParentWindowScreen", 0x700A},
    {"staggerParentWindowScreen", 0x780A},
};

// A field given either as one of the names or as a number in [min, max].
template <std::size_t N>
std::int64_t NamedOrNumber(const Fields& resource, std::string_view key, const NamedCode (&names)[N],
                           std::int64_t min, std::int64_t max) {
  const toml::node* node = resource.table().get(key);
  if (node != nullptr && node->is_string()) {
    const std::string name = resource.Utf8(key);
    const auto* found = std::find_if(std::begin(names), std::end(names),
                                     [&name](const NamedCode& n) { return n.name == name; });
    if (found == std::end(names)) resource.Fail(*node, "unknown " + std::string(key) + " '" + name + "'");
    return found->code;
  }
  return resource.Integer(key, min, max);
}

void WriteRect(const Rect& r, toolbox::BigEndianWriter& out) {
  out.S16(r.top);
  out.S16(r.left);
  out.S16(r.bottom);
  out.S16(r.right);
}

}  // namespace

void WriteWindowHead(const Fields& resource, toolbox::BigEndianWriter& out) {
  WriteRect(resource.Bounds("bounds"), out);
  out.S16(static_cast<std::int16_t>(NamedOrNumber(resource, "proc", kProcs, -32768, 32767)));
  out.U8(resource.Flag("visible", false) ? 1 : 0);
  out.U8(0);
  out.U8(resource.Flag("go_away", false) ? 1 : 0);
  out.U8(0);
  out.U32(static_cast<std::uint32_t>(resource.Integer("ref_con", -2147483648LL, 4294967295LL, 0)));
}

void WriteWindowTail(const Fields& resource, toolbox::BigEndianWriter& out) {
  out.PString(resource.MacRoman("title", ""));
  if (!resource.Has("position")) return;
  out.PadToEven();
  out.U16(static_cast<std::uint16_t>(NamedOrNumber(resource, "position", kPositions, 0, 0xFFFF)));
}

}  // namespace rez
