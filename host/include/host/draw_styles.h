// The host's colour styles: numbered colours extensions draw with through
// HostSetDrawStyle530 (foreground) and HostSetDrawStyle531 (background), so
// a channel looks the same in every window.
//
//   100          grid and zero lines: light grey
//   101..199     channel (style - 100), from a palette of eight that repeats
//                (so 133, the flow-volume loop, has channel 33's colour)
//   200, 202     window and plot background: white
//   201          text: black
//   other        black
#pragma once

#include "toolbox/mac_types.h"

namespace host {

inline constexpr int kGridStyle = 100;
inline constexpr int kFirstChannelStyle = 101;
inline constexpr int kLastChannelStyle = 199;

RGBColor DrawStyleColor(int style);

// The colour HostService68 sets: painted with transfer mode addMax (37) it
// lightens what lies below, which is how the host dims a control.
inline constexpr RGBColor kDimmingColor{0xAAAA, 0xAAAA, 0xAAAA};

}  // namespace host
