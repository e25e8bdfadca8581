// vantor info on EDF+ files another writer made (the system's EDF library):
// rates of signals held at the block's rate, annotations, and start times
// below the millisecond.
#include <edflib.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "info_command.h"

namespace {

struct Written {
  int slowRate;            // samples per second of the second signal
  int subsecond;           // start after the whole second, in 100 ns
  const char* firstStart;  // the first block's start as info shows it
};

// Two signals, 100 Hz and `slowRate`, three one-second records, two
// annotations (one with a duration).
std::string WriteEdfPlus(const std::string& name, const Written& w) {
  const std::string path = ::testing::TempDir() + name;
  const int handle = edfopen_file_writeonly(path.c_str(), EDFLIB_FILETYPE_EDFPLUS, 2);
  EXPECT_GE(handle, 0);
  const int rates[] = {100, w.slowRate};
  for (int s = 0; s < 2; ++s) {
    edf_set_samplefrequency(handle, s, rates[s]);
    edf_set_physical_maximum(handle, s, 5.0);
    edf_set_physical_minimum(handle, s, -3.0);
    edf_set_digital_maximum(handle, s, 32767);
    edf_set_digital_minimum(handle, s, -32768);
    edf_set_physical_dimension(handle, s, s == 0 ? "mV" : "L/s");
    edf_set_label(handle, s, s == 0 ? "Spirometer" : "Airflow");
  }
  edf_set_startdatetime(handle, 2024, 3, 1, 9, 30, 15);
  edf_set_subsecond_starttime(handle, w.subsecond);
  for (int record = 0; record < 3; ++record) {
    for (int s = 0; s < 2; ++s) {
      std::vector<double> samples(static_cast<std::size_t>(rates[s]), 0.5 * record);
      edfwrite_physical_samples(handle, samples.data());
    }
  }
  edfwrite_annotation_utf8(handle, 12500, 20000, "Forced expiration");  // 100 us units
  edfwrite_annotation_utf8(handle, 3, -1, "Cough");
  edfclose_file(handle);
  return path;
}

class InfoOnEdfPlus : public ::testing::TestWithParam<Written> {};

TEST_P(InfoOnEdfPlus, ShowsNativeRatesAnnotationsAndTheExactStart) {
  const std::string path = WriteEdfPlus("info_" + std::to_string(GetParam().subsecond) + ".edf", GetParam());
  ::testing::internal::CaptureStdout();
  ASSERT_EQ(cli::RunInfo(path), 0);
  const std::string out = ::testing::internal::GetCapturedStdout();
  char held[96];
  std::snprintf(held, sizeof held, "unit L/s      input \"Airflow\"            %d Hz, held at 100 Hz",
                GetParam().slowRate);
  EXPECT_NE(out.find(held), std::string::npos) << out;
  EXPECT_NE(out.find("input \"Spirometer\"         100 Hz\n"), std::string::npos) << "at its own rate\n" << out;
  EXPECT_NE(out.find(std::string("   1  ") + GetParam().firstStart + "       300 samples at 100 Hz  3.000 s"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("annotations: 2\n"), std::string::npos) << out;
  // The writer rounds onsets after a start within the second to its own 100 us steps.
  if (GetParam().subsecond == 0) {
    EXPECT_NE(out.find("  2024-03-01 09:30:16.250  for 2 s  \"Forced expiration\"\n"
                       "  2024-03-01 09:30:15.0003  \"Cough\"\n"),
              std::string::npos)
        << out;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Starts, InfoOnEdfPlus,
    ::testing::Values(Written{1, 0, "2024-03-01 09:30:15.000"}, Written{10, 1234567, "2024-03-01 09:30:15.1234567"},
                      Written{25, 5, "2024-03-01 09:30:15.0000005"},
                      Written{50, 9999999, "2024-03-01 09:30:15.9999999"}));

}  // namespace
