// The report as drawn in its window and on the printed page: rows 1 to 17 at
// tab stops (two columns on a portrait page), the subject block of a page,
// or the status message when the analysis failed.
#pragma once

#include <cstdint>

#include "extension/spiro_records.h"

namespace spiro {

void DrawReport(const Rect& rect, std::int16_t s, const spirometry::SpiroWindowRecord& window,
                const spirometry::LocalDataType& data);
void DrawReportHeader(const Rect& rect, std::int16_t s, const spirometry::LocalDataType& data);

}  // namespace spiro
