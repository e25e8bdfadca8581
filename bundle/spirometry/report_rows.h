// The report's rows as text: label, tab, value and unit, shared by the
// report window, the printed page and the copied text.
#pragma once

#include <cstdint>

#include "extension/spiro_records.h"
#include "toolbox/mac_types.h"

namespace spiro {

namespace spirometry {

// Row 1..26 of the report; with the label, the row as it is shown (empty when
// its label is), without it the value alone. Returns text.
StringPtr FormatReportRow(StringPtr text, std::int16_t row, bool withLabel,
                          const LocalDataType& record);

}  // namespace spirometry

}  // namespace spiro
