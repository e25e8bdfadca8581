// The zero drift of a block: a line through the zero level at the start of
// its stretch and the zero level at the stretch's end, in the block's own
// offsets.
#pragma once

#include <cstdint>
#include <optional>

#include "computed/flow_sample_correction.h"
#include "computed/source_samples.h"

namespace spiro {

// The line through (a, levelA) and (b, levelB). When a == b there is no
// slope to take: the line is level at levelA rather than not a number.
DriftLine DriftLineThrough(double a, double levelA, double b, double levelB);

// The drift line of the block, or none when either zero level cannot be found.
std::optional<DriftLine> FindDriftLine(std::int16_t block, const SourceSelection& selection,
                                       double valueOffset);

}  // namespace spiro
