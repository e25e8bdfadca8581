// EDF+ export through the system's EDF library, which writes EDF+C only.
#include "host/edf_export.h"

#include <edflib.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "edf_fields.h"

namespace host {
namespace {

constexpr std::size_t kMaxLabel = 16;
constexpr std::size_t kMaxDimension = 8;
constexpr std::size_t kMaxAnnotationText = 40;  // the library cuts longer texts
constexpr int kMaxAnnotationSignals = 64;

bool IsHeaderText(const std::string& text, std::size_t most) {
  const auto bytes = std::span(reinterpret_cast<const unsigned char*>(text.data()), text.size());
  return text.size() <= most && !edf::FirstNonPrintable(bytes);
}

// The record duration in the library's unit of 10 us; 0 when it has none.
long long DurationTicks(double seconds) {
  const double ticks = seconds * 1e5;
  const double whole = std::round(ticks);
  if (std::fabs(ticks - whole) > 1e-6 || whole < 100 || whole > 6e6) return 0;
  return static_cast<long long>(whole);
}

bool CheckSignal(const EdfExportSignal& s, std::size_t index, std::size_t records, std::string* problem) {
  const std::string name = "signal " + std::to_string(index + 1) + " (" + edf::Quoted(s.label) + ")";
  if (!IsHeaderText(s.label, kMaxLabel)) return Fail(problem, name + ": label must be at most 16 printable ASCII characters");
  if (!IsHeaderText(s.dimension, kMaxDimension)) return Fail(problem, name + ": unit must be at most 8 printable ASCII characters");
  if (!(s.physicalMinimum != s.physicalMaximum) || !std::isfinite(s.physicalMinimum) || !std::isfinite(s.physicalMaximum)) {
    return Fail(problem, name + ": physical minimum and maximum must be different finite numbers");
  }
  if (s.digitalMinimum < -32768 || s.digitalMaximum > 32767 || s.digitalMaximum <= s.digitalMinimum) {
    return Fail(problem, name + ": digital range must lie within -32768..32767, maximum above minimum");
  }
  if (s.samplesPerRecord < 1 || s.digital.size() != records * static_cast<std::size_t>(s.samplesPerRecord)) {
    return Fail(problem, name + ": sample count is not a whole number of data records");
  }
  return true;
}

bool CheckExport(const EdfExport& data, std::size_t& records, std::string* problem) {
  if (data.signals.empty()) return Fail(problem, "nothing to write: no signals");
  if (data.signals.size() > EDFLIB_MAXSIGNALS - kMaxAnnotationSignals) return Fail(problem, "too many signals for EDF+");
  if (DurationTicks(data.recordDurationSeconds) == 0) {
    return Fail(problem, "data record duration must be 0.001 to 60 s in steps of 10 us");
  }
  if (data.start.year < 1985 || data.start.year > 2084) return Fail(problem, "start date must lie in 1985..2084");
  if (!IsHeaderText(data.patientName, 80) || !IsHeaderText(data.equipment, 80)) {
    return Fail(problem, "patient name and equipment must be printable ASCII");
  }
  const EdfExportSignal& first = data.signals.front();
  records = first.samplesPerRecord > 0 ? first.digital.size() / static_cast<std::size_t>(first.samplesPerRecord) : 0;
  if (records == 0) return Fail(problem, "nothing to write: no samples");
  for (std::size_t i = 0; i < data.signals.size(); ++i) {
    if (!CheckSignal(data.signals[i], i, records, problem)) return false;
  }
  for (const EdfAnnotation& a : data.annotations) {
    if (a.text.empty() || a.text.size() > kMaxAnnotationText || !(a.onsetSeconds >= 0)) {
      return Fail(problem, "annotation " + edf::Quoted(a.text) + ": text must be 1 to 40 bytes, onset not negative");
    }
  }
  if (data.annotations.size() > records * kMaxAnnotationSignals) return Fail(problem, "too many annotations for the number of data records");
  return true;
}

bool SetHeader(int handle, const EdfExport& data, std::size_t records) {
  bool ok = edf_set_datarecord_duration(handle, static_cast<int>(DurationTicks(data.recordDurationSeconds))) == 0;
  const EdfStartTime& t = data.start;
  ok = ok && edf_set_startdatetime(handle, t.year, t.month, t.day, t.hour, t.minute, t.second) == 0;
  if (!data.patientName.empty()) ok = ok && edf_set_patientname(handle, data.patientName.c_str()) == 0;
  if (!data.equipment.empty()) ok = ok && edf_set_equipment(handle, data.equipment.c_str()) == 0;
  const auto perRecord = (data.annotations.size() + records - 1) / records;
  ok = ok && edf_set_number_of_annotation_signals(handle, static_cast<int>(std::max<std::size_t>(1, perRecord))) == 0;
  for (std::size_t i = 0; i < data.signals.size() && ok; ++i) {
    const EdfExportSignal& s = data.signals[i];
    const int sig = static_cast<int>(i);
    ok = edf_set_samplefrequency(handle, sig, s.samplesPerRecord) == 0 &&
         edf_set_physical_minimum(handle, sig, s.physicalMinimum) == 0 &&
         edf_set_physical_maximum(handle, sig, s.physicalMaximum) == 0 &&
         edf_set_digital_minimum(handle, sig, s.digitalMinimum) == 0 &&
         edf_set_digital_maximum(handle, sig, s.digitalMaximum) == 0 &&
         edf_set_label(handle, sig, s.label.c_str()) == 0 &&
         edf_set_physical_dimension(handle, sig, s.dimension.c_str()) == 0;
  }
  return ok;
}

bool WriteRecords(int handle, const EdfExport& data, std::size_t records) {
  std::vector<short> buffer;
  for (std::size_t r = 0; r < records; ++r) {
    for (const EdfExportSignal& s : data.signals) {
      const auto n = static_cast<std::size_t>(s.samplesPerRecord);
      buffer.assign(s.digital.begin() + static_cast<std::ptrdiff_t>(r * n),
                    s.digital.begin() + static_cast<std::ptrdiff_t>((r + 1) * n));
      if (edfwrite_digital_short_samples(handle, buffer.data()) != 0) return false;
    }
  }
  return true;
}

bool WriteAnnotations(int handle, const EdfExport& data) {
  for (const EdfAnnotation& a : data.annotations) {
    const auto onset = std::llround(a.onsetSeconds * 1e4);
    const auto duration = a.durationSeconds < 0 ? -1LL : std::llround(a.durationSeconds * 1e4);
    if (edfwrite_annotation_utf8(handle, onset, duration, a.text.c_str()) != 0) return false;
  }
  return true;
}

bool WriteWithLibrary(const std::string& path, const EdfExport& data, std::size_t records) {
  const int handle = edfopen_file_writeonly(path.c_str(), EDFLIB_FILETYPE_EDFPLUS, static_cast<int>(data.signals.size()));
  if (handle < 0) return false;
  const bool ok = SetHeader(handle, data, records) && WriteRecords(handle, data, records) && WriteAnnotations(handle, data);
  return edfclose_file(handle) == 0 && ok;
}

}  // namespace

bool WriteEdfPlus(const std::string& path, const EdfExport& data, std::string* problem) {
  std::size_t records = 0;
  if (!CheckExport(data, records, problem)) return false;
  const std::string partial = path + ".partial";
  if (!WriteWithLibrary(partial, data, records)) {
    std::remove(partial.c_str());
    return Fail(problem, "cannot be written");
  }
  std::error_code ec;
  std::filesystem::rename(partial, path, ec);
  if (ec) {
    std::remove(partial.c_str());
    return Fail(problem, "cannot be written: " + ec.message());
  }
  return true;
}

}  // namespace host
