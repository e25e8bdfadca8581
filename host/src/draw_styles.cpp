#include "host/draw_styles.h"

#include <array>

namespace host {
namespace {

constexpr RGBColor kBlack{0, 0, 0};
constexpr RGBColor kWhite{0xFFFF, 0xFFFF, 0xFFFF};
constexpr RGBColor kGridGrey{0xBBBB, 0xBBBB, 0xBBBB};

// Distinct on white paper and on screen, dark enough for one-pixel traces.
constexpr std::array<RGBColor, 8> kChannelPalette = {{
    {0x0000, 0x3333, 0xCCCC},  // blue
    {0xCCCC, 0x0000, 0x0000},  // red
    {0x0000, 0x8888, 0x0000},  // green
    {0x8888, 0x0000, 0xAAAA},  // purple
    {0xCCCC, 0x6666, 0x0000},  // orange
    {0x0000, 0x8888, 0x8888},  // teal
    {0x6666, 0x4444, 0x2222},  // brown
    {0x4444, 0x4444, 0x4444},  // dark grey
}};

enum : int { kWindowBackground = 200, kPlotBackground = 202 };

}  // namespace

RGBColor DrawStyleColor(int style) {
  if (style == kGridStyle) return kGridGrey;
  if (style >= kFirstChannelStyle && style <= kLastChannelStyle) {
    return kChannelPalette[static_cast<std::size_t>(style - kFirstChannelStyle) % kChannelPalette.size()];
  }
  if (style == kWindowBackground || style == kPlotBackground) return kWhite;
  return kBlack;  // text (201) and every style the host does not know
}

}  // namespace host
