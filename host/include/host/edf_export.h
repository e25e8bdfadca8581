// Writing EDF+ files (continuous) with the system's EDF library.
//
// The caller supplies digital samples and each signal's ranges, so the file
// holds exactly the quantisation the caller chose; reading it back gives
// physical = (d - dmin)(pmax - pmin)/(dmax - dmin) + pmin. Physical extremes
// are stored as eight characters of text: give values that fit (e.g. 10,
// -2.5) or they are shortened.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/edf_reader.h"

namespace host {

struct EdfExportSignal {
  std::string label;      // printable ASCII, at most 16 characters
  std::string dimension;  // printable ASCII, at most 8 characters
  double physicalMinimum = -1;
  double physicalMaximum = 1;
  std::int32_t digitalMinimum = -32768;
  std::int32_t digitalMaximum = 32767;
  std::int32_t samplesPerRecord = 1;
  std::vector<std::int16_t> digital;  // every record's samples, recordCount x samplesPerRecord
};

struct EdfExport {
  EdfStartTime start;                 // year 1985..2084
  double recordDurationSeconds = 1;   // 0.001..60, a whole number of 10 us
  std::string patientName;            // optional, printable ASCII
  std::string equipment;              // optional, printable ASCII
  std::vector<EdfExportSignal> signals;
  // Written as EDF+ annotations; onsets >= 0 within the recording, texts of
  // at most 40 bytes of UTF-8.
  std::vector<EdfAnnotation> annotations;
};

// Writes `data` to path as EDF+C. The file appears whole or not at all (it is
// written beside path and renamed over it). False with one line in *problem
// when the data cannot be written as EDF+ (sizes, texts, ranges) or the file
// cannot be written.
bool WriteEdfPlus(const std::string& path, const EdfExport& data, std::string* problem);

}  // namespace host
