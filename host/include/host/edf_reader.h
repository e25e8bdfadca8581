// Reading EDF, EDF+C and EDF+D recordings.
//
// The reader keeps the file's own terms: header fields as text and numbers,
// digital samples per signal, record onsets and annotations. Turning that into
// a document (blocks, sample values, units) is the importer's job
// (recording_import.h). Every field and size is checked against the input
// before it is read, so any byte string gives either contents or a one-line
// problem, never a read outside the input.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace host {

enum class EdfVariant { kEdf, kEdfPlusContinuous, kEdfPlusDiscontinuous };

struct EdfSignalHeader {
  std::string label;              // trailing spaces removed
  std::string transducer;
  std::string physicalDimension;  // "mV", "uV", "L/s", may be empty
  double physicalMinimum = 0;
  double physicalMaximum = 0;     // differs from the minimum (may be below it)
  std::int32_t digitalMinimum = 0;
  std::int32_t digitalMaximum = 0;  // above the minimum; both within int16
  std::string prefiltering;
  std::int32_t samplesPerRecord = 0;  // >= 1
  bool isAnnotations = false;         // an EDF+ "EDF Annotations" signal
};

// The header's start date and time (the recording's local time).
struct EdfStartTime {
  int year = 1985;  // four digits: yy 85..99 are 1985..1999, 00..84 2000..2084
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

struct EdfAnnotation {
  double onsetSeconds = 0;          // after the header's start time
  double durationSeconds = -1;      // -1 when the annotation states none
  std::string text;                 // UTF-8 as stored
};

struct EdfContents {
  EdfVariant variant = EdfVariant::kEdf;
  std::string patient;    // local patient identification
  std::string recording;  // local recording identification
  EdfStartTime start;
  double recordDurationSeconds = 0;
  std::vector<EdfSignalHeader> signals;  // in file order, annotation signals included
  // Per record: its start in seconds after the header's start time. EDF+
  // files state it in every record; plain EDF records follow each other.
  std::vector<double> recordOnsets;
  // Per signal (index as in `signals`): every record's samples one after
  // another; empty for annotation signals.
  std::vector<std::vector<std::int16_t>> digital;
  // Annotations with text, in file order (the records' time-keeping entries
  // are in recordOnsets instead).
  std::vector<EdfAnnotation> annotations;

  std::size_t recordCount() const { return recordOnsets.size(); }
};

// Parses a whole file's bytes. Nothing on failure, with *problem (if given)
// set to one line saying what is wrong, e.g. "file is truncated: 12 data
// records need 6400 bytes, 6144 remain".
std::optional<EdfContents> ParseEdf(std::span<const unsigned char> bytes, std::string* problem);

// Reads and parses the file at path; a file that cannot be read is a problem too.
std::optional<EdfContents> ReadEdfFile(const std::string& path, std::string* problem);

// Whether the bytes start like an EDF header (version field "0" and spaces).
bool LooksLikeEdf(std::span<const unsigned char> bytes);

}  // namespace host
