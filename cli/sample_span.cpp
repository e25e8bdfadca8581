#include "sample_span.h"

#include <cmath>
#include <cstdlib>

#include "host/problem.h"

namespace cli {
namespace {

// One end: a finite number, all of the text, "s" after it when in seconds.
std::optional<double> ParseEnd(std::string text, bool seconds) {
  if (seconds) text.pop_back();
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !std::isfinite(value)) return std::nullopt;
  if (!seconds && value != std::floor(value)) return std::nullopt;
  return value;
}

}  // namespace

std::optional<SampleSpan> ParseSampleSpan(const std::string& text, std::string* problem) {
  const auto fail = [&] {
    host::Fail(problem, "'" + text + "' is not FROM:TO (sample positions, or seconds as 12.5s:40s)");
    return std::nullopt;
  };
  const std::size_t colon = text.find(':');
  if (colon == std::string::npos) return fail();
  const std::string from = text.substr(0, colon);
  const std::string to = text.substr(colon + 1);
  const bool fromSeconds = !from.empty() && from.back() == 's';
  const bool toSeconds = !to.empty() && to.back() == 's';
  if (fromSeconds != toSeconds) return fail();
  const auto a = ParseEnd(from, fromSeconds);
  const auto b = ParseEnd(to, toSeconds);
  if (!a || !b) return fail();
  return SampleSpan{*a, *b, fromSeconds};
}

std::optional<host::PositionRange> ResolveSampleSpan(const SampleSpan& span, const host::Document& document,
                                                     std::string* problem) {
  const std::int64_t length = document.TotalLength();
  if (length <= 0) {
    host::Fail(problem, "the recording holds no samples");
    return std::nullopt;
  }
  const double perSecond = span.seconds ? 1.0 / document.SamplingInterval(1) : 1.0;
  const double from = std::round(span.from * perSecond);
  const double to = std::round(span.to * perSecond);
  if (from < 0.0 || to > static_cast<double>(length) || from >= to) {
    host::Fail(problem, "the selection must lie within samples 0:" + std::to_string(length) +
                            " and hold at least one sample");
    return std::nullopt;
  }
  return host::PositionRange{static_cast<std::int64_t>(from), static_cast<std::int64_t>(to)};
}

}  // namespace cli
