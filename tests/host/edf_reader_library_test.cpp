// Our EDF reader against the system's EDF library, on files the library
// writes itself and on plain EDF and EDF+C files made by hand.
#include <edflib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "edf_test_files.h"
#include "host/edf_export.h"
#include "host/edf_reader.h"
#include "host/recording_import.h"

namespace {

struct Shape {
  const char* name;
  double recordSeconds;
  std::vector<int> samplesPerRecord;  // one entry per signal
  int records;
  int annotations;
};
void PrintTo(const Shape& shape, std::ostream* os) { *os << shape.name; }

// Digital values that visit both extremes and everything between.
std::vector<std::int16_t> Pattern(std::size_t count, int seed) {
  std::vector<std::int16_t> out;
  std::uint32_t x = 2463534242u + static_cast<std::uint32_t>(seed);
  for (std::size_t i = 0; i < count; ++i) {
    x ^= x << 13, x ^= x >> 17, x ^= x << 5;
    out.push_back(i % 97 == 0 ? -32768 : i % 89 == 0 ? 32767 : static_cast<std::int16_t>(x & 0xFFFF));
  }
  return out;
}

host::EdfExport ExportOf(const Shape& shape) {
  host::EdfExport e;
  e.start = {2023, 11, 30, 23, 59, 58};
  e.recordDurationSeconds = shape.recordSeconds;
  const char* ranges[][2] = {{"-10", "10"}, {"0", "250"}, {"100", "-100"}, {"-0.5", "2.25"}};
  for (std::size_t i = 0; i < shape.samplesPerRecord.size(); ++i) {
    host::EdfExportSignal s;
    s.label = "S" + std::to_string(i + 1);
    s.dimension = i % 2 ? "uV" : "mV";
    s.physicalMinimum = std::stod(ranges[i % 4][0]);
    s.physicalMaximum = std::stod(ranges[i % 4][1]);
    s.digitalMinimum = i == 3 ? -2048 : -32768;
    s.digitalMaximum = i == 3 ? 2047 : 32767;
    s.samplesPerRecord = shape.samplesPerRecord[i];
    s.digital = Pattern(static_cast<std::size_t>(shape.records * s.samplesPerRecord), static_cast<int>(i));
    e.signals.push_back(s);
  }
  for (int a = 0; a < shape.annotations; ++a) {
    e.annotations.push_back({0.25 * a, a % 2 ? 1.5 : -1, "Event " + std::to_string(a)});
  }
  return e;
}

class LibraryFile {
 public:
  explicit LibraryFile(const std::string& path) : header_(std::make_unique<edf_hdr_struct>()) {
    handle_ = edfopen_file_readonly(path.c_str(), header_.get(), EDFLIB_READ_ALL_ANNOTATIONS);
  }
  ~LibraryFile() {
    if (handle_ >= 0) edfclose_file(handle_);
  }
  bool open() const { return handle_ >= 0; }
  const edf_hdr_struct& header() const { return *header_; }
  std::vector<double> Physical(int signal) const {
    std::vector<double> out(static_cast<std::size_t>(header_->signalparam[signal].smp_in_file));
    edfrewind(handle_, signal);
    edfread_physical_samples(handle_, signal, static_cast<int>(out.size()), out.data());
    return out;
  }
  edf_annotation_struct Annotation(int n) const {
    edf_annotation_struct a{};
    EXPECT_EQ(edf_get_annotation(handle_, n, &a), 0);
    return a;
  }

 private:
  std::unique_ptr<edf_hdr_struct> header_;
  int handle_ = -1;
};

std::vector<std::size_t> OrdinarySignals(const host::EdfContents& c) {
  std::vector<std::size_t> out;
  for (std::size_t i = 0; i < c.signals.size(); ++i) {
    if (!c.signals[i].isAnnotations) out.push_back(i);
  }
  return out;
}

std::string Trimmed(const char* field) {
  const std::string s(field);
  return s.substr(0, s.find_last_not_of(' ') + 1);
}

void ExpectHeadersAgree(const LibraryFile& lib, const host::EdfContents& ours) {
  const edf_hdr_struct& h = lib.header();
  EXPECT_EQ(h.filetype == EDFLIB_FILETYPE_EDF, ours.variant == host::EdfVariant::kEdf);
  EXPECT_EQ(h.datarecord_duration, std::llround(ours.recordDurationSeconds * EDFLIB_TIME_DIMENSION));
  EXPECT_EQ((h.startdate_year * 100 + h.startdate_month) * 100 + h.startdate_day,
            (ours.start.year * 100 + ours.start.month) * 100 + ours.start.day);
  EXPECT_EQ(h.starttime_hour * 3600 + h.starttime_minute * 60 + h.starttime_second,
            ours.start.hour * 3600 + ours.start.minute * 60 + ours.start.second);
  const auto ordinary = OrdinarySignals(ours);
  ASSERT_EQ(static_cast<std::size_t>(h.edfsignals), ordinary.size());
  for (std::size_t k = 0; k < ordinary.size(); ++k) {
    const edf_param_struct& p = h.signalparam[k];
    const host::EdfSignalHeader& s = ours.signals[ordinary[k]];
    EXPECT_EQ(Trimmed(p.label) + "|" + Trimmed(p.physdimension), s.label + "|" + s.physicalDimension);
  }
}

// Ranges and samples: the import's samples, in physical units, match the
// library's conversion for any physical range (asymmetric, reversed): a signal recorded at a lower rate
// is held, so its sample i of a record sits at the first fastest-rate sample
// at or after i * fastest / perRecord.
void ExpectPhysicalAgrees(const LibraryFile& lib, const host::EdfContents& ours) {
  const host::Recording recording = edftest::RecordingOf(ours);
  const auto ordinary = OrdinarySignals(ours);
  std::size_t fastest = 1;
  for (std::size_t s : ordinary) fastest = std::max(fastest, static_cast<std::size_t>(ours.signals[s].samplesPerRecord));
  for (std::size_t k = 0; k < ordinary.size(); ++k) {
    const std::vector<double> theirs = lib.Physical(static_cast<int>(k));
    const host::RecordingChannel& channel = recording.channels[k];
    ASSERT_GT(channel.unitsPerValue, 0);
    std::vector<float> held;
    for (const host::RecordingSegment& segment : recording.segments) {
      held.insert(held.end(), segment.samples[k].begin(), segment.samples[k].end());
    }
    const auto perRecord = static_cast<std::size_t>(ours.signals[ordinary[k]].samplesPerRecord);
    ASSERT_EQ(theirs.size() / perRecord * fastest, held.size());
    for (std::size_t i = 0; i < theirs.size(); ++i) {
      const std::size_t at = i / perRecord * fastest + ((i % perRecord) * fastest + perRecord - 1) / perRecord;
      const double physical = static_cast<double>(held[at]) * channel.unitsPerValue;
      ASSERT_NEAR(physical, theirs[i], 1e-6 * channel.unitsPerValue) << "signal " << k << " sample " << i;
    }
  }
}

void ExpectAnnotationsAgree(const LibraryFile& lib, const host::EdfContents& ours) {
  ASSERT_EQ(lib.header().annotations_in_file, static_cast<long long>(ours.annotations.size()));
  for (std::size_t n = 0; n < ours.annotations.size(); ++n) {
    const edf_annotation_struct theirs = lib.Annotation(static_cast<int>(n));
    EXPECT_EQ(theirs.onset, std::llround(ours.annotations[n].onsetSeconds * EDFLIB_TIME_DIMENSION));
    EXPECT_EQ(std::string(theirs.annotation), ours.annotations[n].text);
    if (ours.annotations[n].durationSeconds < 0) {
      EXPECT_EQ(std::string(theirs.duration), "");
    } else {
      EXPECT_DOUBLE_EQ(std::stod(theirs.duration), ours.annotations[n].durationSeconds);
    }
  }
}

void ExpectReadersAgree(const std::string& path) {
  const LibraryFile lib(path);
  ASSERT_TRUE(lib.open()) << "the library refused " << path << " (" << lib.header().filetype << ")";
  std::string problem;
  const auto ours = host::ReadEdfFile(path, &problem);
  ASSERT_TRUE(ours) << problem;
  ExpectHeadersAgree(lib, *ours);
  ExpectPhysicalAgrees(lib, *ours);
  ExpectAnnotationsAgree(lib, *ours);
}

class LibraryWrittenFile : public ::testing::TestWithParam<Shape> {};

TEST_P(LibraryWrittenFile, ReadsAsTheLibraryReadsIt) {
  const Shape& shape = GetParam();
  const std::string path = ::testing::TempDir() + "library_" + shape.name + ".edf";
  std::string problem;
  ASSERT_TRUE(host::WriteEdfPlus(path, ExportOf(shape), &problem)) << problem;
  ExpectReadersAgree(path);
  const auto ours = host::ReadEdfFile(path, &problem);
  ASSERT_TRUE(ours);
  EXPECT_EQ(ours->variant, host::EdfVariant::kEdfPlusContinuous);
  for (std::size_t r = 0; r < ours->recordCount(); ++r) {
    EXPECT_NEAR(ours->recordOnsets[r], static_cast<double>(r) * shape.recordSeconds, 1e-9);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, LibraryWrittenFile,
    ::testing::Values(Shape{"one_signal", 1.0, {100}, 10, 0}, Shape{"mixed_rates", 1.0, {256, 128, 1}, 5, 3},
                      Shape{"half_second_records", 0.5, {50, 25, 10, 5}, 7, 4},
                      Shape{"long_records", 2.5, {250, 3}, 4, 2}, Shape{"one_record", 1.0, {7}, 1, 1}),
    [](const ::testing::TestParamInfo<Shape>& shape) { return std::string(shape.param.name); });

TEST(HandMadeFile, PlainEdfReadsAsTheLibraryReadsIt) {
  edftest::File f;
  f.date = "31.12.99";
  f.duration = "0.25";
  edftest::Signal a;
  a.label = "Flow";
  a.dimension = "L/s";
  a.samplesPerRecord = "5";
  a.samples = Pattern(5 * 6, 1);
  edftest::Signal b;
  b.label = "Pressure";
  b.physicalMinimum = "-3.5";
  b.physicalMaximum = "12";
  b.digitalMinimum = "0";
  b.digitalMaximum = "4095";
  b.samplesPerRecord = "1";
  for (int i = 0; i < 6; ++i) b.samples.push_back(static_cast<std::int16_t>(i * 800));
  f.signals = {a, b};
  ExpectReadersAgree(edftest::WriteTemporary("plain.edf", f.Bytes()));
}

TEST(HandMadeFile, ContinuousPlusFileReadsAsTheLibraryReadsIt) {
  edftest::File f = edftest::PlusFile("EDF+C", {"+0", "+1", "+2"});
  f.annotationAreas[1] += edftest::Tal("+1.5", {"Cough"}, "0.25");
  f.annotationAreas[2] += edftest::Tal("+2.75", {"Yawn", "Sigh"});
  ExpectReadersAgree(edftest::WriteTemporary("plus_c.edf", f.Bytes()));
}

}  // namespace
