#include "spirometry/report_rows.h"

#include <gtest/gtest.h>

#include <string>

#include "analysis_fixture.h"

using namespace spiro;

namespace spirotest {
namespace {

struct RowCase {
  std::int16_t row;
  bool withLabel;
  double volumeFactor;  // volumeToLitres; millilitres unless 1
  const char* expected;
};

class ReportRowTest : public AnalysisTest, public ::testing::WithParamInterface<RowCase> {};

TEST_P(ReportRowTest, FormatsRow) {
  MakeRecording({std::vector<float>(10, 0.0f)});
  NewRecord();
  auto& r = rec();
  r.volumeToLitres = GetParam().volumeFactor;
  r.flowToLitresPerSecond = 1.0;
  r.tidalVolume = 0.512;
  r.ventilation = 0.1;
  r.fev1 = 3.0;  // with no forced expiration fvc stays 0
  Str255 text;
  spirometry::FormatReportRow(text, GetParam().row, GetParam().withLabel, r);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(text + 1), text[0]), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReportRowTest,
    ::testing::Values(RowCase{9, true, 1.0, "Tidal volume\t0.51 L"},
                      RowCase{9, true, 0.001, "Tidal volume\t512.0 mL"},
                      RowCase{9, false, 0.001, "512.0"},
                      RowCase{8, true, 0.001, "VE\t100.0 mL/s\t(6.00 L/min)"},
                      RowCase{8, true, 1.0, "VE\t0.10 L/s\t(6.0 L/min)"},
                      RowCase{15, true, 1.0, "FVC\t? L"},
                      RowCase{17, true, 1.0, "FEV1/FVC\t?%"},
                      RowCase{19, true, 1.0, "Age\t"},
                      RowCase{23, true, 1.0, ""},
                      RowCase{14, true, 1.0, "Forced expiration\t"}));

}  // namespace
}  // namespace spirotest
