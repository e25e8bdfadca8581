// Length-prefixed strings inside the Toolbox: viewing one as text and
// filling a caller's Str255 (longer text is cut at 255 bytes).
#pragma once

#include <algorithm>
#include <cstring>
#include <string_view>

#include "toolbox/mac_types.h"

namespace toolbox::internal {

inline std::string_view PascalView(ConstStr255Param text) {
  if (text == nullptr) return {};
  return {reinterpret_cast<const char*>(text + 1), text[0]};
}

inline void CopyToPascal(std::string_view text, StringPtr out) {
  const std::size_t n = std::min<std::size_t>(text.size(), 255);
  out[0] = static_cast<unsigned char>(n);
  if (n > 0) std::memcpy(out + 1, text.data(), n);
}

}  // namespace toolbox::internal
