// Marks on the data window's traces: the peak-flow tags on the flow trace and
// the forced-expiration bracket (FVC, and FEV1 when computed) on the volume
// trace.
#pragma once

#include <cstdint>

#include "toolbox/mac_types.h"

namespace spiro {

// Where a trace's samples land: x = i × pixelsPerSample + leftEdge,
// y = sample × scale + offset.
struct TracePlacement {
  const float* samples = nullptr;
  std::int32_t count = 0;
  double pixelsPerSample = 1;
  std::int16_t leftEdge = 0;
  double scale = 1;
  double offset = 0;

  SInt16 X(std::int32_t i) const;
  SInt16 Y(std::int32_t i) const;
};

// A short stroke from sample index of the trace, with text beside its end,
// below or above it; the text is kept inside `within`. Nothing for an index
// outside the samples (no peak is −1).
void DrawPeakTag(const TracePlacement& flow, std::int32_t index, ConstStr255Param text, bool below,
                 const Rect& within, std::int16_t scale);

struct ForcedExpiration {
  std::int32_t startIndex = -1;
  std::int32_t endIndex = -1;  // none below 0
  bool hasFirstSecond = false;
  std::int32_t samplesPerSecond = 0;
};

// The bracket from the end of the forced expiration back to its start and
// down to its starting volume, and, with a first-second volume, a line at
// the volume one second in; labelled with fvcText and fev1Text kept inside
// `within`. Clipped to the volume panel; the clip is left at within.
void DrawForcedBracket(const TracePlacement& volume, const ForcedExpiration& forced, const Rect& panel,
                       ConstStr255Param fvcText, ConstStr255Param fev1Text, const Rect& within, std::int16_t scale);

}  // namespace spiro
