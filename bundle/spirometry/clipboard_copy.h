// Copy for a spirometry window: the data and loop windows as a picture, the
// report as text with labels (variant 1) or as one line of values (variant 4).
#pragma once

#include <cstdint>

#include "extension/spiro_records.h"
#include "frame/extension_base.h"

namespace spiro {

// Variant: the copy format (1 or 4; a picture's magnification, 1 to 8);
// kind: 1 data, 2 loop, 3 report. A failure beeps.
void CopyWindowContent(std::uint16_t variant, std::int16_t kind, spirometry::LocalDataType** data,
                       const VantorExtensionBase& extension);

}  // namespace spiro
