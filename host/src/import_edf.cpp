// EDF contents to a recording: digital values to sample values, records to
// gap-free segments, every signal at the file's highest rate.
#include <algorithm>
#include <chrono>
#include <cmath>

#include "host/problem.h"
#include "host/recording_import.h"
#include "toolbox/date_time.h"

namespace host {
namespace {

double StartSince1904(const EdfStartTime& t) {
  using namespace std::chrono;
  const sys_days day = year{t.year} / month{static_cast<unsigned>(t.month)} / static_cast<unsigned>(t.day);
  const double days = static_cast<double>(day.time_since_epoch().count());
  return days * 86400.0 + t.hour * 3600.0 + t.minute * 60.0 + t.second + toolbox::kUnixEpochSince1904;
}

// physical = pmin + (d - dmin) * g with g = (pmax - pmin) / (dmax - dmin); the
// sample value is physical / (32768 |g|), so that 0 is physical zero and the
// units per value are positive even for a reversed range (pmax < pmin).
struct DigitalMap {
  double perDigit;  // +-1/32768
  double atZero;    // sample value of digital 0
  float operator()(std::int32_t d) const { return static_cast<float>(d * perDigit + atZero); }
};

double GainOf(const EdfSignalHeader& s) {
  return (s.physicalMaximum - s.physicalMinimum) / (s.digitalMaximum - s.digitalMinimum);
}

DigitalMap MapOf(const EdfSignalHeader& s) {
  const double pmin = s.physicalMinimum, pmax = s.physicalMaximum;
  const double dmin = s.digitalMinimum, dmax = s.digitalMaximum;
  const double g = GainOf(s);
  // pmin - dmin * g, in the form that is exactly 0 for symmetric ranges.
  const double offset = (pmin * dmax - pmax * dmin) / (dmax - dmin);
  return {std::copysign(1.0 / 32768.0, g), offset / (32768.0 * std::fabs(g))};
}

RecordingChannel ChannelOf(const EdfSignalHeader& s) {
  RecordingChannel channel;
  channel.label = s.label;
  channel.transducer = s.transducer;
  channel.dimension = s.physicalDimension;
  channel.unitsPerValue = 32768.0 * std::fabs(GainOf(s));
  const DigitalMap map = MapOf(s);
  const float atMin = map(s.digitalMinimum), atMax = map(s.digitalMaximum);
  channel.clip = {std::min(atMin, atMax), std::max(atMin, atMax)};
  return channel;
}

// Appends one record of a signal, holding each sample for the samples of the
// fastest signal that fall before the next one.
void AppendRecord(const std::vector<std::int16_t>& digital, const DigitalMap& map, std::size_t record,
                  std::size_t perRecord, std::size_t fastest, std::vector<float>& out) {
  const std::size_t first = record * perRecord;
  for (std::size_t j = 0; j < fastest; ++j) out.push_back(map(digital[first + j * perRecord / fastest]));
}

}  // namespace

std::optional<Recording> RecordingFromEdf(const EdfContents& contents, std::string* problem) {
  std::vector<std::size_t> ordinary;
  std::size_t fastest = 1;
  for (std::size_t s = 0; s < contents.signals.size(); ++s) {
    if (contents.signals[s].isAnnotations) continue;
    ordinary.push_back(s);
    fastest = std::max(fastest, static_cast<std::size_t>(contents.signals[s].samplesPerRecord));
  }
  const std::uint64_t held = ordinary.size() * fastest * contents.recordCount();
  if (held > kMaxRecordingSamples) {
    Fail(problem, "recording would need " + std::to_string(held) + " samples in memory, more than " +
                      std::to_string(kMaxRecordingSamples));
    return std::nullopt;
  }
  Recording recording;
  recording.startTime1904 = StartSince1904(contents.start);
  recording.samplingInterval = contents.recordDurationSeconds / static_cast<double>(fastest);
  std::vector<DigitalMap> maps;
  for (std::size_t s : ordinary) {
    recording.channels.push_back(ChannelOf(contents.signals[s]));
    const auto perRecord = static_cast<std::size_t>(contents.signals[s].samplesPerRecord);
    if (perRecord < fastest) {
      recording.channels.back().nativeInterval = contents.recordDurationSeconds / static_cast<double>(perRecord);
    }
    maps.push_back(MapOf(contents.signals[s]));
  }
  for (const EdfAnnotation& a : contents.annotations) {
    recording.annotations.push_back({a.onsetSeconds, a.durationSeconds, a.text});
  }
  const double gapTolerance = 0.5 * recording.samplingInterval;
  for (std::size_t r = 0; r < contents.recordCount(); ++r) {
    const double onset = contents.recordOnsets[r];
    const bool joins = r > 0 && onset - (contents.recordOnsets[r - 1] + contents.recordDurationSeconds) <= gapTolerance;
    if (!joins) {
      recording.segments.push_back({onset, std::vector<std::vector<float>>(ordinary.size())});
    }
    RecordingSegment& segment = recording.segments.back();
    for (std::size_t c = 0; c < ordinary.size(); ++c) {
      const EdfSignalHeader& s = contents.signals[ordinary[c]];
      AppendRecord(contents.digital[ordinary[c]], maps[c], r, static_cast<std::size_t>(s.samplesPerRecord), fastest,
                   segment.samples[c]);
    }
  }
  return recording;
}

}  // namespace host
