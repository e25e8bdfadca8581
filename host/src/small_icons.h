// Small (16 × 16) icons of the resource chain as pixels: 'ics8' (colour, one
// byte per pixel into the system's 256-colour table) masked by 'ics#', or
// 'ics#' alone (black and white). Layouts: FORMATS.md, "Small icons".
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "toolbox/mac_types.h"

namespace host {

inline constexpr int kSmallIconSize = 16;

// 0xAARRGGBB, row-major, 16 × 16; transparent outside the mask.
using IconPixels = std::vector<std::uint32_t>;

// None when the chain has neither resource or they are shorter than their
// layout; extra bytes (a list of further pairs) are ignored.
std::optional<IconPixels> LoadSmallIcon(SInt16 id);

}  // namespace host
