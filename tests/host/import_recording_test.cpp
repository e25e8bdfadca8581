// Recordings become documents: sample values, scaling records, blocks.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <tuple>

#include "edf_test_files.h"
#include "host/document.h"
#include "host/edf_reader.h"
#include "host/recording_import.h"
#include "service_call.h"

namespace {

constexpr auto Text = testext::TextOf;

edftest::File OneSignal(const std::string& dimension, const std::string& pmin, const std::string& pmax,
                        const std::string& dmin, const std::string& dmax) {
  edftest::File f;
  edftest::Signal s;
  s.label = "Spirometer";
  s.dimension = dimension;
  s.physicalMinimum = pmin;
  s.physicalMaximum = pmax;
  s.digitalMinimum = dmin;
  s.digitalMaximum = dmax;
  s.samples = {-32767, -1, 0, 1, 32767, 16384, -16384, 5};
  f.signals = {s};
  return f;
}

void Import(const edftest::File& f, host::Document& document) {
  std::string problem;
  const auto contents = host::ParseEdf(f.Bytes(), &problem);
  ASSERT_TRUE(contents) << problem;
  ASSERT_TRUE(host::ImportRecording(edftest::RecordingOf(*contents), document, &problem)) << problem;
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
  edftest::File f = OneSignal(r.dimension, r.pmin, r.pmax, r.dmin, r.dmax);
  const int dmin = std::stoi(r.dmin), dmax = std::stoi(r.dmax);
  f.signals[0].samples = {static_cast<std::int16_t>(dmin), static_cast<std::int16_t>(dmin + 1), 0, 1,
                          static_cast<std::int16_t>(dmax - 1), static_cast<std::int16_t>(dmax), 7, -7};
  Import(f, d);
  const vantor::ChannelScaling& s = d.RecordedScaling(1, 1);
  EXPECT_EQ(s.offset, 0);
  EXPECT_GT(s.info.rawFactor, 0);
  EXPECT_EQ(Text(s.calibrated ? s.unitText : s.info.baseUnitText), r.unit);
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

TEST(EdfImport, DiscontinuousRecordsBecomeBlocksAtTheirTimes) {
  host::Document d;
  Import(edftest::PlusFile("EDF+D", {"+0", "+1", "+60"}), d);
  ASSERT_EQ(d.blockCount(), 2);
  EXPECT_EQ(d.BlockLength(1), 8);
  EXPECT_EQ(d.BlockLength(2), 4);
  // 01.02.24 10.20.30, as seconds since 1904.
  const double start = 3789627630.0;
  EXPECT_DOUBLE_EQ(d.StartTime(1), start);
  EXPECT_DOUBLE_EQ(d.StartTime(2), start + 60);
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
      {edftest::WriteTemporary("recording.dat", OneSignal("mV", "-1", "1", "-32767", "32767").Bytes()), "", "recording"},
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
