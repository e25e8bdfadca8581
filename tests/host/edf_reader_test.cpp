// The EDF reader on hand-made files: the files it must refuse, each with a
// line that says why and never by reading outside the input, and EDF+D,
// whose records with gaps between them become separate segments (the
// system's library refuses such files).
#include <gtest/gtest.h>

#include <functional>

#include "edf_test_files.h"
#include "host/edf_reader.h"
#include "host/recording_import.h"

namespace {

edftest::File SmallFile() {
  edftest::File f;
  edftest::Signal s;
  s.label = "Spirometer";
  s.samples = {1, -2, 3, -4, 5, -6, 7, -8};
  f.signals = {s};
  return f;
}

std::string ProblemOf(const std::vector<unsigned char>& bytes) {
  std::string problem;
  const auto contents = host::ParseEdf(bytes, &problem);
  EXPECT_FALSE(contents) << "accepted";
  EXPECT_EQ(problem.find('\n'), std::string::npos) << problem;
  return problem;
}

TEST(MalformedEdf, EveryTruncationIsRefusedWithItsReason) {
  for (const edftest::File& f : {SmallFile(), edftest::PlusFile("EDF+D", {"+0", "+3"})}) {
    const std::vector<unsigned char> whole = f.Bytes();
    ASSERT_TRUE(host::ParseEdf(whole, nullptr));
    const std::size_t header = 256 * (f.signals.size() + 1);
    for (std::size_t n = 0; n < whole.size(); ++n) {
      // A copy of exactly n bytes, so AddressSanitizer sees any read beyond.
      const std::vector<unsigned char> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
      const std::string problem = ProblemOf(cut);
      const char* expected = n == 0 ? "file is empty"
                             : n < 256 ? "too short for an EDF header"
                             : n < header ? "the header of"
                                          : "data records need";
      EXPECT_NE(problem.find(expected), std::string::npos) << n << " bytes: " << problem;
    }
  }
}

struct Spoiled {
  const char* name;
  std::function<void(edftest::File&)> spoil;
  const char* expected;
};

class SpoiledHeader : public ::testing::TestWithParam<Spoiled> {};
void PrintTo(const Spoiled& s, std::ostream* os) { *os << s.name; }

TEST_P(SpoiledHeader, IsRefusedNamingTheField) {
  edftest::File f = SmallFile();
  GetParam().spoil(f);
  const std::string problem = ProblemOf(f.Bytes());
  EXPECT_NE(problem.find(GetParam().expected), std::string::npos) << problem;
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SpoiledHeader,
    ::testing::Values(
        Spoiled{"version", [](auto& f) { f.version = "1"; }, "not an EDF file: version field is \"1       \""},
        Spoiled{"non_ascii", [](auto& f) { f.signals[0].label = "Spiro\xB5"; }, "header byte 261 is not printable ASCII"},
        Spoiled{"control_char", [](auto& f) { f.date = "01.02\t24"; }, "header byte 173 is not printable ASCII"},
        Spoiled{"date_separator", [](auto& f) { f.date = "01/02/24"; }, "start date \"01/02/24\""},
        Spoiled{"day", [](auto& f) { f.date = "32.01.24"; }, "start date \"32.01.24\""},
        Spoiled{"month", [](auto& f) { f.date = "01.13.24"; }, "start date"},
        Spoiled{"no_such_day", [](auto& f) { f.date = "31.02.99"; }, "start date \"31.02.99\" is not a day of the calendar"},
        Spoiled{"hour", [](auto& f) { f.time = "24.00.00"; }, "start time \"24.00.00\""},
        Spoiled{"header_size", [](auto& f) { f.headerBytes = "768"; }, "header size field \"768\" does not match 1 signals"},
        Spoiled{"no_signals", [](auto& f) { f.signalCount = "0"; f.headerBytes = "256"; }, "file has no signals"},
        Spoiled{"signal_count", [](auto& f) { f.signalCount = "one"; }, "number of signals \"one\" is not a whole number"},
        Spoiled{"variant", [](auto& f) { f.reserved = "EDF+X"; }, "\"EDF+X\" names an unknown EDF+ variant"},
        Spoiled{"records", [](auto& f) { f.records = "2x"; }, "number of data records \"2x\""},
        Spoiled{"negative_records", [](auto& f) { f.records = "-2"; }, "number of data records \"-2\""},
        Spoiled{"no_records", [](auto& f) { f.records = "0"; f.signals[0].samples.clear(); }, "holds no data records"},
        Spoiled{"extra_bytes", [](auto& f) { f.records = "1"; }, "file has 8 bytes more than its 1 data records"},
        Spoiled{"duration_comma", [](auto& f) { f.duration = "0,5"; }, "data record duration \"0,5\""},
        Spoiled{"duration_zero", [](auto& f) { f.duration = "0"; }, "duration must be above zero"},
        Spoiled{"physical_exponent", [](auto& f) { f.signals[0].physicalMaximum = "1e3"; }, "physical maximum \"1e3\" is not a number"},
        Spoiled{"physical_equal", [](auto& f) { f.signals[0].physicalMinimum = "10"; }, "physical minimum and maximum are equal"},
        Spoiled{"digital_text", [](auto& f) { f.signals[0].digitalMinimum = "low"; }, "digital minimum \"low\""},
        Spoiled{"digital_range", [](auto& f) { f.signals[0].digitalMaximum = "40000"; }, "digital maximum \"40000\" is not a whole number from -32768 to 32767"},
        Spoiled{"digital_order", [](auto& f) { f.signals[0].digitalMaximum = "-32768"; }, "digital maximum is not above the digital minimum"},
        Spoiled{"fraction_samples", [](auto& f) { f.signals[0].samplesPerRecord = "2.5"; }, "samples per data record \"2.5\""},
        Spoiled{"zero_samples", [](auto& f) { f.signals[0].samplesPerRecord = "0"; }, "samples per data record \"0\""},
        Spoiled{"huge_record", [](auto& f) { f.signals[0].samplesPerRecord = "99999999"; }, "a data record would exceed 10 MB"},
        Spoiled{"plus_without_annotations", [](auto& f) { f.reserved = "EDF+C"; }, "has no \"EDF Annotations\" signal"}),
    [](const ::testing::TestParamInfo<Spoiled>& p) { return std::string(p.param.name); });

TEST(MalformedEdf, AnnotationSignalsAloneAreNoRecording) {
  edftest::File f = edftest::PlusFile("EDF+C", {"+0"});
  f.signals.erase(f.signals.begin());
  EXPECT_NE(ProblemOf(f.Bytes()).find("no signals other than annotations"), std::string::npos);
}

TEST(MalformedEdf, BadAnnotationListsNameTheirRecord) {
  const std::pair<std::string, const char*> cases[] = {
      {"", "data record 2: no time-keeping annotation"},
      {"1\x14\x14", "data record 2: annotation onset \"1\" is not a signed number"},
      {"+1\x14Start\x14", "data record 2: first annotation list does not start with the record's time"},
      {"+1\x15-2\x14\x14", "data record 2: annotation duration \"-2\""},
      {"+1\x14\x14" + std::string(60, 'x'), "data record 2: annotation"},
      {"+1", "data record 2: annotation list is not terminated"},
      {std::string("+1\x14\x14\0", 5) + "+1" + std::string(40, '0') + std::string("\x14" "Far\x14\0", 6),
       "annotation \"Far\" lies beyond any recording's span"},
      {std::string("+1\x14\x14\0", 5) + std::string("+2\x15" "1000000000000\x14Long\x14\0", 23),
       "annotation \"Long\" lies beyond any recording's span"},
  };
  for (const auto& [area, expected] : cases) {
    edftest::File f = edftest::PlusFile("EDF+C", {"+0", "+1"});
    f.annotationAreas[1] = area;
    EXPECT_NE(ProblemOf(f.Bytes()).find(expected), std::string::npos) << expected << " / " << ProblemOf(f.Bytes());
  }
}

TEST(MalformedEdf, RecordsThatGoBackInTimeOrBeyondTheCenturyAreRefused) {
  const auto f = edftest::PlusFile("EDF+D", {"+0", "+5", "+5.5"});
  EXPECT_NE(ProblemOf(f.Bytes()).find("data record 3 starts at 5.5"), std::string::npos);
  const auto far = edftest::PlusFile("EDF+D", {"+0", "+1000000000000"});
  EXPECT_NE(ProblemOf(far.Bytes()).find("data record 2 starts"), std::string::npos) << ProblemOf(far.Bytes());
}

TEST(UnfinishedEdf, UnknownRecordCountTakesTheCompleteRecords) {
  edftest::File f = SmallFile();
  f.records = "-1";
  std::vector<unsigned char> bytes = f.Bytes();
  bytes.push_back(9);  // half a sample of a third record
  std::string problem;
  const auto contents = host::ParseEdf(bytes, &problem);
  ASSERT_TRUE(contents) << problem;
  EXPECT_EQ(contents->recordCount(), 2u);
  EXPECT_EQ(contents->digital[0], (std::vector<std::int16_t>{1, -2, 3, -4, 5, -6, 7, -8}));
}

TEST(ReadEdfFile, NamesAMissingFile) {
  std::string problem;
  EXPECT_FALSE(host::ReadEdfFile(::testing::TempDir() + "no_such_recording.edf", &problem));
  EXPECT_EQ(problem, "no such file");
}

host::EdfContents Parse(const edftest::File& f) {
  std::string problem;
  auto contents = host::ParseEdf(f.Bytes(), &problem);
  EXPECT_TRUE(contents) << problem;
  return contents ? *contents : host::EdfContents{};
}

// The test files' default range, -10..10 over -32768..32767, puts physical
// zero half a digital step above 0.
float ValueOf(int digital) { return (static_cast<float>(digital) + 0.5f) / 32768.0f; }

// Onsets printed with few decimals (a tenth of a sample off) are no gap;
// annotations keep their own onsets and durations.
TEST(DiscontinuousEdf, GapsStartNewSegmentsAtTheirOnsets) {
  edftest::File f = edftest::PlusFile("EDF+D", {"+0.5", "+1.51", "+5", "+6.02", "+10.25"});
  f.annotationAreas[2] += edftest::Tal("+7.5", {"Forced expiration"}, "6") + edftest::Tal("-0.5", {"Before start"});
  const auto contents = Parse(f);
  EXPECT_EQ(contents.variant, host::EdfVariant::kEdfPlusDiscontinuous);
  EXPECT_EQ(contents.recordOnsets, (std::vector<double>{0.5, 1.51, 5, 6.02, 10.25}));
  const host::Recording recording = edftest::RecordingOf(contents);
  EXPECT_DOUBLE_EQ(recording.samplingInterval, 0.25);
  ASSERT_EQ(recording.segments.size(), 3u);
  const double starts[] = {0.5, 5, 10.25};
  const std::size_t lengths[] = {8, 8, 4};
  for (std::size_t s = 0; s < 3; ++s) {
    EXPECT_DOUBLE_EQ(recording.segments[s].startSeconds, starts[s]);
    EXPECT_EQ(recording.segments[s].length(), lengths[s]);
  }
  // Record 3 (samples 200..203) opens the second segment.
  EXPECT_EQ(recording.segments[1].samples[0][0], ValueOf(200));
  EXPECT_EQ(recording.segments[2].samples[0][3], ValueOf(403));
  const auto& notes = contents.annotations;
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[0].text, "Forced expiration");
  EXPECT_EQ(std::vector<double>({notes[0].onsetSeconds, notes[0].durationSeconds, notes[1].onsetSeconds,
                                 notes[1].durationSeconds}),
            std::vector<double>({7.5, 6, -0.5, -1}));
}

TEST(EdfRecording, ARecordingTooLargeToHoldIsRefused) {
  // 10 MB of file would hold 301 signals at the rate of the fastest.
  edftest::File f;
  edftest::Signal fast;
  fast.samplesPerRecord = "5000000";
  fast.samples.assign(5000000, 1);
  f.signals.assign(300, edftest::Signal{});
  for (edftest::Signal& slow : f.signals) slow.samplesPerRecord = "1";
  f.signals.insert(f.signals.begin(), fast);
  std::string problem;
  const auto contents = host::ParseEdf(f.Bytes(), &problem);
  ASSERT_TRUE(contents) << problem;
  EXPECT_FALSE(host::RecordingFromEdf(*contents, &problem));
  EXPECT_NE(problem.find("recording would need 1505000000 samples in memory"), std::string::npos) << problem;
}

}  // namespace
