// A stretch of a recording given on the command line as FROM:TO: seconds
// from the recording's start when both end in "s" ("12.5s:40s"), otherwise
// absolute sample positions; the end is exclusive.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "host/document.h"
#include "host/selection.h"

namespace cli {

struct SampleSpan {
  double from = 0.0;
  double to = 0.0;
  bool seconds = false;
};

// Null, with one line in `problem`, for text that is not FROM:TO.
std::optional<SampleSpan> ParseSampleSpan(const std::string& text, std::string* problem);

// The positions within the document (seconds at the first block's sampling
// rate); null, with one line in `problem`, when the span is empty, reversed
// or outside the recording.
std::optional<host::PositionRange> ResolveSampleSpan(const SampleSpan& span, const host::Document& document,
                                                     std::string* problem);

}  // namespace cli
