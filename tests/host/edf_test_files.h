// Hand-made EDF files for the reader's tests: every header field is text the
// test may spoil, records are built from samples and annotation lists.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "host/edf_reader.h"
#include "host/recording.h"
#include "host/recording_import.h"

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

namespace detail {

inline void Field(std::string& out, const std::string& text, std::size_t width) {
  std::string field = text.substr(0, width);
  field.resize(width, ' ');
  out += field;
}

inline std::size_t RecordCount(const File& f) {
  for (const Signal& s : f.signals) {
    if (!s.annotations) {
      const int n = std::stoi(s.samplesPerRecord);
      return n > 0 ? s.samples.size() / static_cast<std::size_t>(n) : 0;
    }
  }
  return f.annotationAreas.size();
}

inline void AppendHeader(const File& f, std::string& out) {
  const std::size_t ns = f.signals.size();
  Field(out, f.version, 8);
  Field(out, "X X X X", 80);
  Field(out, "Startdate X X X X", 80);
  Field(out, f.date, 8);
  Field(out, f.time, 8);
  Field(out, f.headerBytes.empty() ? std::to_string(256 * (ns + 1)) : f.headerBytes, 8);
  Field(out, f.reserved, 44);
  Field(out, f.records.empty() ? std::to_string(RecordCount(f)) : f.records, 8);
  Field(out, f.duration, 8);
  Field(out, f.signalCount.empty() ? std::to_string(ns) : f.signalCount, 4);
  for (const Signal& s : f.signals) Field(out, s.annotations ? "EDF Annotations" : s.label, 16);
  for (const Signal& s : f.signals) Field(out, s.transducer, 80);
  for (const Signal& s : f.signals) Field(out, s.annotations ? "" : s.dimension, 8);
  for (const Signal& s : f.signals) Field(out, s.physicalMinimum, 8);
  for (const Signal& s : f.signals) Field(out, s.physicalMaximum, 8);
  for (const Signal& s : f.signals) Field(out, s.digitalMinimum, 8);
  for (const Signal& s : f.signals) Field(out, s.digitalMaximum, 8);
  for (std::size_t i = 0; i < ns; ++i) Field(out, "", 80);
  for (const Signal& s : f.signals) Field(out, s.samplesPerRecord, 8);
  for (std::size_t i = 0; i < ns; ++i) Field(out, "", 32);
}

inline void AppendRecord(const File& f, std::size_t r, std::string& out) {
  for (const Signal& s : f.signals) {
    const auto n = static_cast<std::size_t>(std::stoi(s.samplesPerRecord));
    if (s.annotations) {
      std::string area = r < f.annotationAreas.size() ? f.annotationAreas[r] : "";
      area.resize(2 * n, '\0');
      out += area;
      continue;
    }
    for (std::size_t i = 0; i < n; ++i) {
      const std::size_t at = r * n + i;
      const auto v = static_cast<std::uint16_t>(at < s.samples.size() ? s.samples[at] : 0);
      out += static_cast<char>(v & 0xFF);
      out += static_cast<char>(v >> 8);
    }
  }
}

}  // namespace detail

inline std::vector<unsigned char> File::Bytes() const {
  std::string out;
  detail::AppendHeader(*this, out);
  const std::size_t count = detail::RecordCount(*this);
  for (std::size_t r = 0; r < count; ++r) detail::AppendRecord(*this, r, out);
  return {out.begin(), out.end()};
}

// An annotation list: "+onset[\x15duration]\x14" then each text and "\x14",
// then "\0". A time-keeping list has "" as its first text.
inline std::string Tal(const std::string& onset, const std::vector<std::string>& texts,
                       const std::string& duration = "") {
  std::string tal = onset;
  if (!duration.empty()) tal += "\x15" + duration;
  tal += "\x14";
  for (const std::string& text : texts) tal += text + "\x14";
  tal += '\0';
  return tal;
}

// An EDF+ file of one 4-sample signal, records at the given onsets (as text),
// with the time-keeping list and the given extra text per record.
inline File PlusFile(const std::string& variant, const std::vector<std::string>& onsets) {
  File f;
  f.reserved = variant;
  Signal data;
  data.label = "Data";
  for (std::size_t r = 0; r < onsets.size(); ++r) {
    for (int i = 0; i < 4; ++i) data.samples.push_back(static_cast<std::int16_t>(100 * r + i));
    f.annotationAreas.push_back(Tal(onsets[r], {""}));
  }
  Signal notes;
  notes.annotations = true;
  notes.samplesPerRecord = "30";
  f.signals = {data, notes};
  return f;
}

// The recording of parsed contents (failing the test when there is none).
inline host::Recording RecordingOf(const host::EdfContents& contents) {
  std::string problem;
  auto recording = host::RecordingFromEdf(contents, &problem);
  EXPECT_TRUE(recording) << problem;
  return recording ? *recording : host::Recording{};
}

// Writes bytes to a fresh file in the test's temporary directory; its path.
inline std::string WriteTemporary(const std::string& name, const std::vector<unsigned char>& bytes) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  return path;
}

}  // namespace edftest
