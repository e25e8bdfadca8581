// "Flow-Volume Plot": flow against volume with two host axes whose titles pop
// up the channel menus, a dotted grid, the zero-flow line and the loop with
// its optional arrows; the status message instead when there is nothing to
// plot.
#pragma once

#include <cstdint>

#include "extension/spiro_records.h"

namespace spiro {

// Draws into rect at scale s (1 on screen). Creates the two axes on first use
// (the channel menus gain their two heading items then, once), refits them
// while the record's redraw flag is set, and reads their pixel mappings back
// into the record. The caller keeps both records locked.
void DrawFlowVolumeLoop(const Rect& rect, bool onScreen, std::int16_t s, spirometry::SpiroPlotWindowRecord& window,
                        spirometry::LocalDataType& data);

// A copy of a channel scaling that reads negated raw values: the loop plots
// −volume and −flow so that expiration runs up and to the right.
vantor::ChannelScaling NegatedScaling(const vantor::ChannelScaling& scaling);

}  // namespace spiro
