// "Spirometry Data": flow and volume against time in two panels, the phase
// strip between them, the time axis, the peak tags and the forced-expiration
// bracket; the status message instead when the analysis failed.
#pragma once

#include <cstdint>

#include "extension/spiro_records.h"

namespace spiro {

// Draws into rect at scale s (1 on screen). Lays the panels out in the window
// record, creates its two axes on first use, refits them to the samples
// while the record's redraw flag is set, and reads their pixel mappings back.
// The caller keeps both records locked.
void DrawDataWindow(const Rect& rect, bool onScreen, std::int16_t s, spirometry::SpiroDataWindowRecord& window,
                    spirometry::LocalDataType& data);

}  // namespace spiro
