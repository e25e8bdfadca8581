// Readouts under the pointer in the data and loop windows: a cross on each
// trace, a line of time, flow and volume in the channels' units, and the
// label of the breathing phase under the pointer.
#pragma once

#include <cstdint>

#include "extension/spiro_records.h"
#include "extension/text_box.h"

namespace spiro {

// The label of phase k in the data window's label strip; k outside
// 2 .. phaseCount leaves the strip empty (record 1 is the sentinel that
// starts the first phase). Nothing when phase k is labelled already, except
// for k = −1.
void DrawPhaseLabel(std::int16_t k, spirometry::SpiroDataWindowRecord& window, const spirometry::LocalDataType& data);
void DrawReadout(ConstStr255Param text, TextBox& box);

// kind 1 or 2; the report window (3) has no readout.
void TrackCursor(Point point, std::int16_t kind, spirometry::LocalDataType** data);
void ClearMarkers(std::int16_t kind, spirometry::LocalDataType** data);

}  // namespace spiro
