// vantor calibrate and measure-factor on a synthetic recording whose maximal
// inspiration is a 3-litre stroke through a known flow head, and the FROM:TO
// selections both take.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "calibrate_command.h"
#include "cli_suite.h"
#include "host/document_file.h"
#include "settings_dialog_script.h"
#include "vantor/byte_access.h"
#include "measure_factor_command.h"
#include "sample_span.h"

namespace {

constexpr double kHeadScale = 1.25;

class SettingsDialogCommands : public BundleSuite {
 protected:
  static void SetUpTestSuite() {
    BundleSuite::SetUpTestSuite();
    cli::SynthParameters p = Imperfect(0.0, 0.0, 0.002);
    p.breathing.seconds = 30;
    p.head = {kHeadScale, 0.0};
    Synth("strokes.edf", p);
  }
  static std::string File() { return Temp("strokes.edf"); }
};

TEST_F(SettingsDialogCommands, TheMaximalInspirationCalibratesTheHead) {
  ::testing::internal::CaptureStdout();
  // In 30 s, 7.75 s to 9.75 s breathes in 3 litres (see the recording's truth).
  const std::string saved = Temp("calibrated.vantor");
  EXPECT_EQ(cli::RunCalibrate({File(), "7.7s:9.8s", 3.0, std::nullopt, saved}, *bundle_), 0);
  const std::string out = ::testing::internal::GetCapturedStdout();
  const auto at = out.find("custom scale: ");
  ASSERT_NE(at, std::string::npos) << out;
  const double scale = std::stod(out.substr(at + 14));
  EXPECT_NEAR(scale / kHeadScale, 1.0, 0.005);
  // The saved document holds the calibration: its flow function comes back with it.
  host::Document reopened;
  std::string problem;
  ASSERT_TRUE(host::OpenDocument(saved, *bundle_, reopened, &problem)) << problem;
  const std::vector<unsigned char> settings = cli::SettingsRecordOf(reopened, 1);
  ASSERT_GE(settings.size(), 28u);
  EXPECT_EQ(vantor::LoadAt<std::int16_t>(settings.data(), 6), -1) << "the custom model";
  EXPECT_NEAR(vantor::LoadAt<double>(settings.data(), 12), scale, 1e-6 * scale);
  host::SetCurrentDocument(nullptr);
}

TEST_F(SettingsDialogCommands, RefusalsAreOneLineAndANonZeroExit) {
  const std::pair<std::function<int()>, int> cases[] = {
      {[] { return cli::RunCalibrate({File(), "100:109", 3.0, std::nullopt, std::nullopt}, *bundle_); }, 1},  // 9 samples
      {[] { return cli::RunCalibrate({File(), "7.7s:9.8s", 0.0, std::nullopt, std::nullopt}, *bundle_); }, 2},
      {[] { return cli::RunMeasureFactor({File(), "0:19", std::nullopt, std::nullopt}, *bundle_); }, 1},
      {[] { return cli::RunMeasureFactor({File(), "0:100", 9, std::nullopt}, *bundle_); }, 2},  // no such row
  };
  for (const auto& [command, exit] : cases) {
    const auto [rc, error] = Quietly(command);
    EXPECT_EQ(rc, exit) << error;
    EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 1) << error;
  }
}

TEST(SampleSpan, SecondsOrPositionsEndExclusive) {
  std::string problem;
  for (const char* bad : {"", "12", "1s:40", "a:b", "1.5:3", ":3", "nan:3", "3:"}) {
    EXPECT_FALSE(cli::ParseSampleSpan(bad, &problem)) << bad;
  }
  host::Document document;
  document.AddChannel("Flow", "");
  document.AddBlock(0.01, 0.0, 5000);
  const auto resolve = [&](const char* text) {
    return cli::ResolveSampleSpan(*cli::ParseSampleSpan(text, &problem), document, &problem);
  };
  EXPECT_EQ(resolve("12.5s:40s"), (host::PositionRange{1250, 4000}));
  EXPECT_EQ(resolve("10:20"), (host::PositionRange{10, 20}));
  EXPECT_EQ(resolve("0:5000"), (host::PositionRange{0, 5000}));
  EXPECT_FALSE(resolve("0:5001"));
  EXPECT_FALSE(resolve("20:20"));
  EXPECT_FALSE(resolve("30:20"));
}

}  // namespace
