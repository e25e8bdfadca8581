// EDF, EDF+C and EDF+D: the header, then fixed-size data records, each with
// every signal's samples (16-bit little-endian) one signal after another.
#include "host/edf_reader.h"

#include <algorithm>
#include <cmath>

#include "edf_fields.h"
#include "edf_layout.h"
#include "toolbox/file_bytes.h"

namespace host {
namespace {

std::string RecordName(std::size_t record) { return "data record " + std::to_string(record + 1); }

// The number of records, checked against the bytes that follow the header.
bool CountRecords(std::size_t fileBytes, const edf::EdfLayout& layout, std::size_t& count, std::string* problem) {
  const std::size_t available = fileBytes - layout.headerBytes;
  const std::size_t whole = available / layout.recordBytes;
  if (layout.statedRecordCount == -1) {
    // Still being recorded when it was copied: take the records that are complete.
    count = whole;
  } else if (static_cast<std::uint64_t>(layout.statedRecordCount) > whole) {
    return Fail(problem, "file is truncated: " + std::to_string(layout.statedRecordCount) + " data records need " +
                             std::to_string(static_cast<std::uint64_t>(layout.statedRecordCount) * layout.recordBytes) +
                             " bytes, " + std::to_string(available) + " remain");
  } else {
    count = static_cast<std::size_t>(layout.statedRecordCount);
    if (available != count * layout.recordBytes) {
      return Fail(problem, "file has " + std::to_string(available - count * layout.recordBytes) +
                               " bytes more than its " + std::to_string(count) + " data records");
    }
  }
  if (count == 0) return Fail(problem, "file holds no data records");
  return true;
}

void CopySamples(std::span<const unsigned char> area, std::vector<std::int16_t>& out) {
  for (std::size_t i = 0; i + 1 < area.size(); i += 2) {
    out.push_back(static_cast<std::int16_t>(area[i] | (area[i + 1] << 8)));
  }
}

// Half the shortest sampling interval: onsets closer than that are equal.
double OnsetTolerance(const EdfContents& contents) {
  std::int32_t most = 1;
  for (const EdfSignalHeader& s : contents.signals) {
    if (!s.isAnnotations) most = std::max(most, s.samplesPerRecord);
  }
  return 0.5 * contents.recordDurationSeconds / most;
}

bool CheckOnsetOrder(const EdfContents& contents, std::string* problem) {
  const double tolerance = OnsetTolerance(contents);
  for (std::size_t r = 1; r < contents.recordOnsets.size(); ++r) {
    const double previousEnd = contents.recordOnsets[r - 1] + contents.recordDurationSeconds;
    if (contents.recordOnsets[r] < previousEnd - tolerance) {
      return Fail(problem, RecordName(r) + " starts at " + std::to_string(contents.recordOnsets[r]) +
                               " s, before the previous record ends at " + std::to_string(previousEnd) + " s");
    }
  }
  return true;
}

// EDF start dates run from 1985 to 2084: no time of a recording, record onset,
// annotation onset or duration, can lie further than that century away.
constexpr double kLongestSpanSeconds = 100 * 365.25 * 86400;

bool CheckTimesFitTheCentury(const EdfContents& contents, std::string* problem) {
  const auto beyond = [](double seconds) { return !(std::fabs(seconds) <= kLongestSpanSeconds); };
  for (std::size_t r = 0; r < contents.recordOnsets.size(); ++r) {
    if (beyond(contents.recordOnsets[r])) {
      return Fail(problem, RecordName(r) + " starts " + std::to_string(contents.recordOnsets[r]) +
                               " s from the start, beyond any recording's span");
    }
  }
  for (const EdfAnnotation& a : contents.annotations) {
    if (beyond(a.onsetSeconds) || beyond(a.durationSeconds)) {
      return Fail(problem, "annotation \"" + a.text + "\" lies beyond any recording's span (onset " +
                               std::to_string(a.onsetSeconds) + " s, duration " + std::to_string(a.durationSeconds) + " s)");
    }
  }
  return true;
}

bool ReadRecord(std::span<const unsigned char> record, std::size_t r, const edf::EdfLayout& layout,
                EdfContents& contents, std::string* problem) {
  bool timeKeeping = contents.variant != EdfVariant::kEdf;
  double onset = static_cast<double>(r) * contents.recordDurationSeconds;
  for (std::size_t s = 0; s < contents.signals.size(); ++s) {
    const EdfSignalHeader& header = contents.signals[s];
    const auto area = record.subspan(layout.signalOffsets[s], 2 * static_cast<std::size_t>(header.samplesPerRecord));
    if (!header.isAnnotations) {
      CopySamples(area, contents.digital[s]);
      continue;
    }
    std::string why;
    if (!edf::ParseAnnotationArea(area, timeKeeping, &onset, contents.annotations, &why)) {
      return Fail(problem, RecordName(r) + ": " + why);
    }
    timeKeeping = false;
  }
  contents.recordOnsets.push_back(onset);
  return true;
}

}  // namespace

std::optional<EdfContents> ParseEdf(std::span<const unsigned char> bytes, std::string* problem) {
  EdfContents contents;
  edf::EdfLayout layout;
  if (!edf::ParseEdfHeader(bytes, contents, layout, problem)) return std::nullopt;
  std::size_t count = 0;
  if (!CountRecords(bytes.size(), layout, count, problem)) return std::nullopt;
  contents.digital.resize(contents.signals.size());
  for (std::size_t s = 0; s < contents.signals.size(); ++s) {
    if (!contents.signals[s].isAnnotations) contents.digital[s].reserve(count * contents.signals[s].samplesPerRecord);
  }
  contents.recordOnsets.reserve(count);
  for (std::size_t r = 0; r < count; ++r) {
    const auto record = bytes.subspan(layout.headerBytes + r * layout.recordBytes, layout.recordBytes);
    if (!ReadRecord(record, r, layout, contents, problem)) return std::nullopt;
  }
  if (!CheckOnsetOrder(contents, problem) || !CheckTimesFitTheCentury(contents, problem)) return std::nullopt;
  return contents;
}

std::optional<EdfContents> ReadEdfFile(const std::string& path, std::string* problem) {
  std::vector<unsigned char> bytes;
  const OSErr err = toolbox::ReadFileBytes(path, bytes);
  if (err != noErr) {
    Fail(problem, toolbox::FileReadErrorText(err));
    return std::nullopt;
  }
  return ParseEdf(bytes, problem);
}

bool LooksLikeEdf(std::span<const unsigned char> bytes) {
  return bytes.size() >= 8 && edf::FieldAt(bytes, 0, 8) == "0       ";
}

}  // namespace host
