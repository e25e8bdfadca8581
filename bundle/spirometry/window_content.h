// The content of any of the three windows, on screen or for output.
#pragma once

#include <cstdint>

#include "extension/spiro_records.h"

namespace spiro {

// Sets the fonts (the report's 1; axes 21 on screen, 1 in pictures and on
// pages) and draws the window of the record's kind into rect at scale s. The
// record must be of its kind's full size (WindowRecordBytes).
void DrawWindowContent(const Rect& rect, bool onScreen, std::int16_t s, spirometry::SpiroWindowRecord& window,
                       spirometry::LocalDataType& data);

}  // namespace spiro
