// Hand-made EDF files for the reader's tests: every header field is text the
// test may spoil, records are built from samples and annotation lists.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/edf_reader.h"
#include "host/recording.h"

namespace edftest {

struct Signal {
  std::string label = "Signal";
  std::string transducer;
  std::string dimension = "mV";
  std::string physicalMinimum = "-10";
  std::string physicalMaximum = "10";
  std::string digitalMinimum = "-32768";
  std::string digitalMaximum = "32767";
  std::string samplesPerRecord = "4";
  std::vector<std::int16_t> samples;  // every record's, one after another
  bool annotations = false;           // then `label` is set to "EDF Annotations"
};

struct File {
  std::string version = "0";
  std::string date = "01.02.24";
  std::string time = "10.20.30";
  std::string reserved;              // "EDF+C", "EDF+D" or empty
  std::string headerBytes;           // empty: the right value
  std::string records;               // empty: the number of records built
  std::string duration = "1";
  std::string signalCount;           // empty: the right value
  std::vector<Signal> signals;
  // The annotation signal's bytes per record (zero-padded); records are
  // counted from the first ordinary signal's samples.
  std::vector<std::string> annotationAreas;

  std::vector<unsigned char> Bytes() const;
};

// An annotation list: "+onset[\x15duration]\x14" then each text and "\x14",
// then "\0". A time-keeping list has "" as its first text.
std::string Tal(const std::string& onset, const std::vector<std::string>& texts, const std::string& duration = "");

// An EDF+ file of one 4-sample signal, records at the given onsets (as text),
// with the time-keeping list and the given extra text per record.
File PlusFile(const std::string& variant, const std::vector<std::string>& onsets);

// The recording of parsed contents (failing the test when there is none).
host::Recording RecordingOf(const host::EdfContents& contents);

// Writes bytes to a fresh file in the test's temporary directory; its path.
std::string WriteTemporary(const std::string& name, const std::vector<unsigned char>& bytes);

}  // namespace edftest
