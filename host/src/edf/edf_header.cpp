// The EDF fixed header (256 bytes) and the signal headers after it, which are
// stored field by field: all labels, then all transducer types, and so on.
#include <array>
#include <chrono>

#include "edf_fields.h"
#include "edf_layout.h"

namespace host::edf {
namespace {

constexpr std::string_view kVersion = "0       ";
constexpr std::string_view kAnnotationsLabel = "EDF Annotations ";
constexpr int kMaxSignals = 9999;  // what the four-character field can state

// Signal header fields in stored order, with their widths.
enum SignalField { kLabel, kTransducer, kDimension, kPhysMin, kPhysMax, kDigMin, kDigMax, kPrefilter, kSamples, kReserved };
constexpr std::array<std::size_t, 10> kSignalFieldWidths = {16, 80, 8, 8, 8, 8, 8, 80, 8, 32};

std::string_view SignalFieldOf(std::span<const unsigned char> bytes, std::size_t signalCount,
                               std::size_t signal, SignalField field) {
  std::size_t offset = kFixedHeaderBytes;
  for (int k = 0; k < field; ++k) offset += signalCount * kSignalFieldWidths[k];
  return FieldAt(bytes, offset + signal * kSignalFieldWidths[field], kSignalFieldWidths[field]);
}

std::string Trimmed(std::string_view field) { return std::string(TrimSpaces(field)); }

// Two digits at `at` in "dd.mm.yy"-shaped text; none when not digits.
std::optional<int> TwoDigits(std::string_view text, std::size_t at) {
  const char a = text[at];
  const char b = text[at + 1];
  if (a < '0' || a > '9' || b < '0' || b > '9') return std::nullopt;
  return (a - '0') * 10 + (b - '0');
}

// "dd.mm.yy"-shaped: digits at 0-1, 3-4, 6-7 and '.' at 2 and 5.
bool SplitTriple(std::string_view text, std::array<int, 3>& parts) {
  if (text[2] != '.' || text[5] != '.') return false;
  for (std::size_t i = 0; i < 3; ++i) {
    auto value = TwoDigits(text, i * 3);
    if (!value) return false;
    parts[i] = *value;
  }
  return true;
}

bool ParseStart(std::string_view date, std::string_view time, EdfStartTime& start, std::string* problem) {
  std::array<int, 3> d{};
  if (!SplitTriple(date, d) || d[0] < 1 || d[0] > 31 || d[1] < 1 || d[1] > 12) {
    return Fail(problem, "start date " + Quoted(date) + " is not a date of the form dd.mm.yy");
  }
  std::array<int, 3> t{};
  if (!SplitTriple(time, t) || t[0] > 23 || t[1] > 59 || t[2] > 59) {
    return Fail(problem, "start time " + Quoted(time) + " is not a time of the form hh.mm.ss");
  }
  start = {d[2] >= 85 ? 1900 + d[2] : 2000 + d[2], d[1], d[0], t[0], t[1], t[2]};
  const std::chrono::year_month_day day{std::chrono::year{start.year}, std::chrono::month{static_cast<unsigned>(start.month)},
                                        std::chrono::day{static_cast<unsigned>(start.day)}};
  if (!day.ok()) return Fail(problem, "start date " + Quoted(date) + " is not a day of the calendar");
  return true;
}

bool ParseVariant(std::string_view reserved, EdfVariant& variant, std::string* problem) {
  if (reserved.substr(0, 5) == "EDF+C") {
    variant = EdfVariant::kEdfPlusContinuous;
  } else if (reserved.substr(0, 5) == "EDF+D") {
    variant = EdfVariant::kEdfPlusDiscontinuous;
  } else if (reserved.substr(0, 4) == "EDF+") {
    return Fail(problem, "reserved field " + Quoted(TrimSpaces(reserved)) + " names an unknown EDF+ variant");
  } else {
    variant = EdfVariant::kEdf;
  }
  return true;
}

std::string SignalName(std::size_t signal, const EdfSignalHeader& header) {
  return "signal " + std::to_string(signal + 1) + " (" + Quoted(header.label) + ")";
}

// Physical and digital range of an ordinary signal.
bool ParseRanges(std::span<const unsigned char> bytes, std::size_t count, std::size_t i,
                 EdfSignalHeader& s, std::string* problem) {
  auto text = [&](SignalField f) { return TrimSpaces(SignalFieldOf(bytes, count, i, f)); };
  auto refuse = [&](const char* what, SignalField f, const char* expected) {
    return Fail(problem, SignalName(i, s) + ": " + what + " " + Quoted(text(f)) + " is not " + expected);
  };
  const auto pmin = ParseNumber(text(kPhysMin));
  const auto pmax = ParseNumber(text(kPhysMax));
  if (!pmin) return refuse("physical minimum", kPhysMin, "a number");
  if (!pmax) return refuse("physical maximum", kPhysMax, "a number");
  if (*pmin == *pmax) return Fail(problem, SignalName(i, s) + ": physical minimum and maximum are equal");
  constexpr const char* kInt16 = "a whole number from -32768 to 32767";
  const auto dmin = ParseInteger(text(kDigMin));
  const auto dmax = ParseInteger(text(kDigMax));
  if (!dmin || *dmin < -32768 || *dmin > 32767) return refuse("digital minimum", kDigMin, kInt16);
  if (!dmax || *dmax < -32768 || *dmax > 32767) return refuse("digital maximum", kDigMax, kInt16);
  if (*dmax <= *dmin) return Fail(problem, SignalName(i, s) + ": digital maximum is not above the digital minimum");
  s.physicalMinimum = *pmin;
  s.physicalMaximum = *pmax;
  s.digitalMinimum = static_cast<std::int32_t>(*dmin);
  s.digitalMaximum = static_cast<std::int32_t>(*dmax);
  return true;
}

bool ParseSignal(std::span<const unsigned char> bytes, std::size_t count, std::size_t i, bool plus,
                 EdfSignalHeader& s, std::string* problem) {
  const std::string_view label = SignalFieldOf(bytes, count, i, kLabel);
  s.label = Trimmed(label);
  s.transducer = Trimmed(SignalFieldOf(bytes, count, i, kTransducer));
  s.physicalDimension = Trimmed(SignalFieldOf(bytes, count, i, kDimension));
  s.prefiltering = Trimmed(SignalFieldOf(bytes, count, i, kPrefilter));
  s.isAnnotations = plus && label == kAnnotationsLabel;
  const std::string_view samplesField = SignalFieldOf(bytes, count, i, kSamples);
  const auto samples = ParseInteger(samplesField);
  if (!samples || *samples < 1) {
    return Fail(problem, SignalName(i, s) + ": samples per data record " + Quoted(TrimSpaces(samplesField)) + " is not a whole number above zero");
  }
  s.samplesPerRecord = static_cast<std::int32_t>(*samples);
  // Annotation signals carry text; their ranges mean nothing to a reader.
  return s.isAnnotations || ParseRanges(bytes, count, i, s, problem);
}

bool ParseSignals(std::span<const unsigned char> bytes, std::size_t count, EdfContents& contents,
                  EdfLayout& layout, std::string* problem) {
  const bool plus = contents.variant != EdfVariant::kEdf;
  contents.signals.resize(count);
  std::size_t recordBytes = 0;
  for (std::size_t i = 0; i < count; ++i) {
    EdfSignalHeader& s = contents.signals[i];
    if (!ParseSignal(bytes, count, i, plus, s, problem)) return false;
    layout.signalOffsets.push_back(recordBytes);
    recordBytes += 2 * static_cast<std::size_t>(s.samplesPerRecord);
    if (recordBytes > kMaxRecordBytes) {
      return Fail(problem, "a data record would exceed " + std::to_string(kMaxRecordBytes / (1024 * 1024)) + " MB");
    }
  }
  layout.recordBytes = recordBytes;
  return true;
}

// Signal count and header size, checked against each other and the file.
bool ParseSizes(std::span<const unsigned char> bytes, EdfLayout& layout, std::size_t& count, std::string* problem) {
  const std::string_view nsField = FieldAt(bytes, 252, 4);
  const auto ns = ParseInteger(nsField);
  if (!ns || *ns < 0) return Fail(problem, "number of signals " + Quoted(TrimSpaces(nsField)) + " is not a whole number");
  if (*ns == 0) return Fail(problem, "file has no signals");
  if (*ns > kMaxSignals) return Fail(problem, "number of signals " + std::to_string(*ns) + " is above " + std::to_string(kMaxSignals));
  count = static_cast<std::size_t>(*ns);
  const std::size_t need = kFixedHeaderBytes + count * kSignalHeaderBytes;
  const std::string_view sizeField = FieldAt(bytes, 184, 8);
  const auto stated = ParseInteger(sizeField);
  if (!stated || *stated != static_cast<std::int64_t>(need)) {
    return Fail(problem, "header size field " + Quoted(TrimSpaces(sizeField)) + " does not match " + std::to_string(count) + " signals (" + std::to_string(need) + " bytes)");
  }
  if (bytes.size() < need) {
    return Fail(problem, "file is truncated: the header of " + std::to_string(count) + " signals needs " + std::to_string(need) + " bytes, the file has " + std::to_string(bytes.size()));
  }
  if (auto at = FirstNonPrintable(bytes.subspan(0, need))) {
    return Fail(problem, "header byte " + std::to_string(*at) + " is not printable ASCII");
  }
  layout.headerBytes = need;
  return true;
}

bool ParseRecordFields(std::span<const unsigned char> bytes, EdfContents& contents, EdfLayout& layout, std::string* problem) {
  const std::string_view recordsField = FieldAt(bytes, 236, 8);
  const auto records = ParseInteger(recordsField);
  if (!records || *records < -1) {
    return Fail(problem, "number of data records " + Quoted(TrimSpaces(recordsField)) + " is not a whole number");
  }
  layout.statedRecordCount = *records;
  const std::string_view durationField = FieldAt(bytes, 244, 8);
  const auto duration = ParseNumber(durationField);
  if (!duration || *duration < 0) {
    return Fail(problem, "data record duration " + Quoted(TrimSpaces(durationField)) + " is not a number of seconds");
  }
  contents.recordDurationSeconds = *duration;
  return true;
}

bool CheckSignalMix(const EdfContents& contents, std::string* problem) {
  bool annotations = false;
  bool ordinary = false;
  for (const EdfSignalHeader& s : contents.signals) (s.isAnnotations ? annotations : ordinary) = true;
  if (contents.variant != EdfVariant::kEdf && !annotations) return Fail(problem, "EDF+ file has no \"EDF Annotations\" signal");
  if (!ordinary) return Fail(problem, "file has no signals other than annotations");
  if (!(contents.recordDurationSeconds > 0)) return Fail(problem, "data record duration must be above zero");
  return true;
}

}  // namespace

bool ParseEdfHeader(std::span<const unsigned char> bytes, EdfContents& contents, EdfLayout& layout,
                    std::string* problem) {
  if (bytes.empty()) return Fail(problem, "file is empty");
  if (bytes.size() < kFixedHeaderBytes) {
    return Fail(problem, "file is too short for an EDF header: " + std::to_string(bytes.size()) + " bytes");
  }
  if (FieldAt(bytes, 0, 8) != kVersion) {
    return Fail(problem, "not an EDF file: version field is " + Quoted(FieldAt(bytes, 0, 8)));
  }
  if (auto at = FirstNonPrintable(bytes.subspan(0, kFixedHeaderBytes))) {
    return Fail(problem, "header byte " + std::to_string(*at) + " is not printable ASCII");
  }
  std::size_t count = 0;
  if (!ParseSizes(bytes, layout, count, problem)) return false;
  contents.patient = Trimmed(FieldAt(bytes, 8, 80));
  contents.recording = Trimmed(FieldAt(bytes, 88, 80));
  return ParseStart(FieldAt(bytes, 168, 8), FieldAt(bytes, 176, 8), contents.start, problem) &&
         ParseVariant(FieldAt(bytes, 192, 44), contents.variant, problem) &&
         ParseRecordFields(bytes, contents, layout, problem) &&
         ParseSignals(bytes, count, contents, layout, problem) && CheckSignalMix(contents, problem);
}

}  // namespace host::edf
