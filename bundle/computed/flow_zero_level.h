// The zero level of the flow head's signal: the mean of the quiet samples at
// the start or the end of a block, those within a tolerance of the block's
// first (or last) sample.
#pragma once

#include <cstdint>
#include <optional>

#include "computed/source_samples.h"
#include "frame/shared_constants.h"

namespace spiro {

inline constexpr double kZeroSearchTolerance = kThousandOver1024 / 40;
inline constexpr std::int32_t kZeroWindowSamples = 10;

// Over samples [0, count); none for an empty block or a reference sample that
// is not a number. valueOffset is added to every sample first.
std::optional<double> ZeroLevelOfSamples(const float* samples, std::int32_t count, bool atStart,
                                         double valueOffset);

// The zero level of the source's block, which is DataBlockLength samples
// long (or shorter when the host holds fewer).
std::optional<double> FindZeroLevel(std::int16_t zeroBlock, const SourceSelection& selection,
                                    bool atStart, double valueOffset);

}  // namespace spiro
