// EDF files made by hand: refusals that say why without reading outside the
// input, EDF+D gaps as segments (the system's library refuses such files), and
// recordings of either kind becoming documents.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <tuple>

#include "edf_test_files.h"
#include "host/document.h"
#include "host/edf_reader.h"
#include "host/recording_import.h"
#include "service_call.h"

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

// Each spoiled field is refused with a line naming it.
TEST(MalformedEdf, SpoiledHeaderFieldsAreRefusedNamingTheField) {
  const std::tuple<const char*, std::function<void(edftest::File&)>, const char*> cases[] = {
      {"version", [](auto& f) { f.version = "1"; }, "not an EDF file: version field is \"1       \""},
      {"non_ascii", [](auto& f) { f.signals[0].label = "Spiro\xB5"; }, "header byte 261 is not printable ASCII"},
      {"control_char", [](auto& f) { f.date = "01.02\t24"; }, "header byte 173 is not printable ASCII"},
      {"date_separator", [](auto& f) { f.date = "01/02/24"; }, "start date \"01/02/24\""},
      {"day", [](auto& f) { f.date = "32.01.24"; }, "start date \"32.01.24\""},
      {"no_such_day", [](auto& f) { f.date = "31.02.99"; }, "start date \"31.02.99\" is not a day of the calendar"},
      {"hour", [](auto& f) { f.time = "24.00.00"; }, "start time \"24.00.00\""},
      {"header_size", [](auto& f) { f.headerBytes = "768"; }, "header size field \"768\" does not match 1 signals"},
      {"no_signals", [](auto& f) { f.signalCount = "0"; f.headerBytes = "256"; }, "file has no signals"},
      {"signal_count", [](auto& f) { f.signalCount = "one"; }, "number of signals \"one\" is not a whole number"},
      {"variant", [](auto& f) { f.reserved = "EDF+X"; }, "\"EDF+X\" names an unknown EDF+ variant"},
      {"records", [](auto& f) { f.records = "2x"; }, "number of data records \"2x\""},
      {"negative_records", [](auto& f) { f.records = "-2"; }, "number of data records \"-2\""},
      {"no_records", [](auto& f) { f.records = "0"; f.signals[0].samples.clear(); }, "holds no data records"},
      {"extra_bytes", [](auto& f) { f.records = "1"; }, "file has 8 bytes more than its 1 data records"},
      {"duration_comma", [](auto& f) { f.duration = "0,5"; }, "data record duration \"0,5\""},
      {"duration_zero", [](auto& f) { f.duration = "0"; }, "duration must be above zero"},
      {"physical_exponent", [](auto& f) { f.signals[0].physicalMaximum = "1e3"; }, "physical maximum \"1e3\" is not a number"},
      {"physical_equal", [](auto& f) { f.signals[0].physicalMinimum = "10"; }, "physical minimum and maximum are equal"},
      {"digital_text", [](auto& f) { f.signals[0].digitalMinimum = "low"; }, "digital minimum \"low\""},
      {"digital_range", [](auto& f) { f.signals[0].digitalMaximum = "40000"; }, "digital maximum \"40000\" is not a whole number from -32768 to 32767"},
      {"digital_order", [](auto& f) { f.signals[0].digitalMaximum = "-32768"; }, "digital maximum is not above the digital minimum"},
      {"fraction_samples", [](auto& f) { f.signals[0].samplesPerRecord = "2.5"; }, "samples per data record \"2.5\""},
      {"zero_samples", [](auto& f) { f.signals[0].samplesPerRecord = "0"; }, "samples per data record \"0\""},
      {"huge_record", [](auto& f) { f.signals[0].samplesPerRecord = "99999999"; }, "a data record would exceed 10 MB"},
      {"plus_without_annotations", [](auto& f) { f.reserved = "EDF+C"; }, "has no \"EDF Annotations\" signal"},
  };
  for (const auto& [name, spoil, expected] : cases) {
    SCOPED_TRACE(name);
    edftest::File f = SmallFile();
    spoil(f);
    const std::string problem = ProblemOf(f.Bytes());
    EXPECT_NE(problem.find(expected), std::string::npos) << problem;
  }
}

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

host::EdfContents Parse(const edftest::File& f) {
  std::string problem;
  auto contents = host::ParseEdf(f.Bytes(), &problem);
  EXPECT_TRUE(contents) << problem;
  return contents ? *contents : host::EdfContents{};
}

void Import(const edftest::File& f, host::Document& document) {
  std::string problem;
  const auto contents = host::ParseEdf(f.Bytes(), &problem);
  ASSERT_TRUE(contents) << problem;
  ASSERT_TRUE(host::ImportRecording(edftest::RecordingOf(*contents), document, &problem)) << problem;
}

// The test files' default range, -10..10 over -32768..32767, puts physical
// zero half a digital step above 0.
float ValueOf(int digital) { return (static_cast<float>(digital) + 0.5f) / 32768.0f; }

// Onsets printed with few decimals (a tenth of a sample off) are no gap;
// annotations keep their own onsets and durations.
TEST(DiscontinuousEdf, GapsStartNewSegmentsAtTheirOnsets) {
  edftest::File f = edftest::PlusFile("EDF+D", {"+0.5", "+1.51", "+5", "+6.02", "+10.25"});
  f.annotationAreas[2] +=
      edftest::Tal("+7.5", {"Forced expiration"}, "6") + edftest::Tal("-0.5", {"Before start"});
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
  host::Document d;
  Import(f, d);
  ASSERT_EQ(d.blockCount(), 3) << "segments become blocks at their times";
  EXPECT_EQ(d.BlockLength(3), 4);
  EXPECT_DOUBLE_EQ(d.StartTime(2), 3789627630.0 + 5) << "01.02.24 10.20.30 as seconds since 1904, and 5";
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


struct Range {
  const char* dimension;
  const char* pmin;
  const char* pmax;
  const char* dmin;
  const char* dmax;
  double toUnits;  // physical dimension to the channel's units
  const char* unit;  // volts of any size are shown as raw millivolts
  bool calibrated;   // other units are calibrated in their own
};
void PrintTo(const Range& r, std::ostream* os) { *os << r.dimension << " " << r.pmin << ".." << r.pmax; }

class EdfRanges : public ::testing::TestWithParam<Range> {};

// Writers pick any physical range, often the data's own extremes or written
// backwards: sample value 0 must still be physical zero (flow functions apply
// no offset), units per value positive, volts shown as millivolts, and
// clipping only at the recorded digital extremes.
TEST_P(EdfRanges, SamplesShowTheirPhysicalValueWithZeroAtZero) {
  const Range& r = GetParam();
  host::Document d;
  edftest::File f = SmallFile();
  f.signals[0].dimension = r.dimension;
  f.signals[0].physicalMinimum = r.pmin;
  f.signals[0].physicalMaximum = r.pmax;
  f.signals[0].digitalMinimum = r.dmin;
  f.signals[0].digitalMaximum = r.dmax;
  const int dmin = std::stoi(r.dmin), dmax = std::stoi(r.dmax);
  f.signals[0].samples = {static_cast<std::int16_t>(dmin), static_cast<std::int16_t>(dmin + 1), 0, 1,
                          static_cast<std::int16_t>(dmax - 1), static_cast<std::int16_t>(dmax), 7, -7};
  Import(f, d);
  const vantor::ChannelScaling& s = d.RecordedScaling(1, 1);
  EXPECT_EQ(s.offset, 0);
  EXPECT_GT(s.info.rawFactor, 0);
  EXPECT_EQ(testext::TextOf(s.calibrated ? s.unitText : s.info.baseUnitText), r.unit);
  EXPECT_EQ(s.calibrated != 0, r.calibrated);
  const double pmin = std::stod(r.pmin), pmax = std::stod(r.pmax);
  const double g = (pmax - pmin) / (dmax - dmin);
  const std::vector<float>& samples = d.RecordedSamples(1, 1);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const double physical = (pmin + (f.signals[0].samples[i] - dmin) * g) * r.toUnits;
    const double x = samples[i];
    const double shown = s.calibrated ? x * s.info.unitFactor * s.gain + s.offset : x * s.info.rawFactor;
    EXPECT_NEAR(shown, physical, 1e-6 * std::fabs(32768 * g * r.toUnits)) << "sample " << i;
  }
  host::SetCurrentDocument(&d);
  const auto clipped = [](std::int32_t at) {
    return testext::CallData<vantor::service::DataService504>(std::int16_t{1}, at, at + 1);
  };
  EXPECT_EQ(clipped(0), 1u) << "digital minimum";
  EXPECT_EQ(clipped(1), 0u);
  EXPECT_EQ(clipped(4), 0u);
  EXPECT_EQ(clipped(5), 1u) << "digital maximum";
  host::SetCurrentDocument(nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Writers, EdfRanges,
    ::testing::Values(Range{"L/s", "-4.488", "9.442", "-32768", "32767", 1, "L/s", true},
                      Range{"L/s", "9.442", "-4.488", "-32768", "32767", 1, "L/s", true},
                      Range{"degC", "0", "20", "0", "1000", 1, "degC", true}, Range{"", "0", "20", "0", "1000", 1, "", true},
                      Range{"uV", "-500", "1500", "-32768", "32767", 1e-3, "mV", false},
                      Range{"V", "-2", "2", "-32767", "32767", 1e3, "mV", false},
                      Range{"nV", "-2", "2", "-32767", "32767", 1e-6, "mV", false},
                      Range{"mV", "100", "-100", "-2048", "2047", 1, "mV", false},
                      Range{"mV", "-0.1", "0.1", "0", "4095", 1, "mV", false}));

// A flow head is the spirometer input whether its label or its transducer
// field says so, in any case; other channels are named by their label.
TEST(EdfImport, TheSpirometerIsFoundByLabelOrTransducer) {
  edftest::File f;
  const std::pair<const char*, const char*> fields[] = {
      {"Flow head", "SPIROMETER"}, {"spirometer", ""}, {"Pressure", "spirometer tube"}, {"Airflow", "Pneumotach"}};
  for (const auto& [label, transducer] : fields) {
    edftest::Signal s;
    s.label = label;
    s.transducer = transducer;
    s.samples = {1, 2, 3, 4};
    f.signals.push_back(s);
  }
  host::Document d;
  Import(f, d);
  EXPECT_EQ(d.InputName(1), host::kSpirometerInput);
  EXPECT_EQ(d.InputName(2), host::kSpirometerInput);
  EXPECT_EQ(d.InputName(3), "Pressure");
  EXPECT_EQ(d.InputName(4), "Airflow");
  EXPECT_EQ(d.Title(1), "Flow head");
  EXPECT_DOUBLE_EQ(d.SamplingInterval(1), 0.25);
}


TEST(RecordingImport, UnitsThatCannotBeUnitTextsAreRefusedBeforeAnythingIsAdded) {
  const std::pair<const char*, const char*> cases[] = {
      {"\xD0\xBC\xD0\x92", "channel \"X\": unit \"\xD0\xBC\xD0\x92\" cannot be shown"},
      {"litres per second per square metre", "is longer than 25 characters"}};
  for (const auto& [unit, expected] : cases) {
    host::Recording r;
    r.samplingInterval = 1;
    r.channels.push_back({"X", unit, 1, {}, {}});
    r.segments.push_back({0, {{0.5f, 0.25f}}});
    host::Document d;
    std::string problem;
    EXPECT_FALSE(host::ImportRecording(r, d, &problem));
    EXPECT_NE(problem.find(expected), std::string::npos) << problem;
    EXPECT_EQ(d.channelCount(), 0);
  }
  std::string problem;
  const auto micro = host::ScalingFor({"X", "\xC2\xB5V", 2, {}, {}}, &problem);
  ASSERT_TRUE(micro) << problem;
  EXPECT_DOUBLE_EQ(micro->info.unitFactor, 2e-3);
}

// A file is opened by its name's ending, an EDF file under another name by
// its header; what cannot be opened says why.
TEST(RecordingFile, OpensByNameOrHeaderAndRefusalsSayWhatIsWrong) {
  const std::string text = "Time [s],Flow [L/s]\n0,0.5\n0.5,-0.5\n";
  const std::tuple<std::string, const char*, const char*> cases[] = {
      {edftest::WriteTemporary("breath.csv", {text.begin(), text.end()}), "", "breath"},
      {edftest::WriteTemporary("recording.dat", SmallFile().Bytes()), "", "recording"},
      {edftest::WriteTemporary("empty.edf", {}), "file is empty", ""},
      {edftest::WriteTemporary("notes.txt", {'h', 'i'}), "not an EDF or CSV recording", ""},
      {edftest::WriteTemporary("short.EDF", {'0', ' '}), "file is too short for an EDF header", ""},
  };
  for (const auto& [path, expected, name] : cases) {
    host::Document d;
    std::string problem;
    EXPECT_EQ(host::ImportRecordingFile(path, d, &problem), *expected == '\0') << path;
    EXPECT_EQ(problem.find(expected), 0u) << problem;
    EXPECT_EQ(d.name(), name) << "the document is named by the file";
    EXPECT_EQ(d.channelCount(), *expected == '\0' ? 1 : 0) << path;
  }
}

}  // namespace
