// The analysis settings, subject and copy format dialogs run from scripts:
// what they submit on OK, and that Cancel submits nothing.
#include <functional>
#include <string>

#include "support/service_spy.h"
#include "spiro_extension_fixture.h"
#include "spirometry/settings_dialogs.h"
#include "toolbox/script.h"

using namespace spiro;

namespace {

using namespace spirometry;
using vantor::LoadAt;

class SettingsDialogs : public SpiroExtensionTest {
 protected:
  void SetUp() override {
    SpiroExtensionTest::SetUp();
    ASSERT_NE(Open(), nullptr);
  }
  void Script(const std::string& script) {
    std::string problem;
    ASSERT_TRUE(toolbox::QueueScriptText(script, &problem)) << problem;
  }
  void TearDown() override {
    EXPECT_EQ(toolbox::PendingScriptActions(), 0u) << "the dialog stopped before the script's end";
    toolbox::ClearScript();
    SpiroExtensionTest::TearDown();
  }
  // The blocks submitted, copied while their bytes live.
  std::vector<std::vector<unsigned char>> blocks_;
  ServiceSpy<vantor::service::HostSubmitCommandBlock> submit_{
      [this](std::uint16_t, OSType, std::int16_t size, const void* data) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        blocks_.emplace_back(bytes, bytes + size);
      }};
  ServiceSpy<vantor::service::HostSubmitCommandShort> submitShort_;
};

TEST_F(SettingsDialogs, SettingsHoldTheFactorAtOneAndTheThresholdInSteps) {
  Script("type 6 0.5; type 13 1; hit 11; hit 1");
  EditAnalysisSettings(local_, gRespiratoryExtension);
  ASSERT_EQ(blocks_.size(), 1u);
  ASSERT_EQ(blocks_[0].size(), 16u);
  EXPECT_EQ(LoadAt<std::uint16_t>(blocks_[0].data(), 0), 4100);
  EXPECT_EQ(LoadAt<float>(blocks_[0].data(), 4), 1.0f);
  EXPECT_EQ(LoadAt<std::uint16_t>(blocks_[0].data(), 12), 1) << "the data window plot";
  EXPECT_EQ(LoadAt<std::uint16_t>(blocks_[0].data(), 14), 20);
}

TEST_F(SettingsDialogs, SubjectNamesAreCutTo31Characters) {
  Script("type 6 " + std::string(40, 'n') + "; type 8 250; hit 8; type 16 172; hit 11; choose 3; hit 1");
  EditSubject(local_, gRespiratoryExtension);
  ASSERT_EQ(blocks_.size(), 1u);
  const auto& b = blocks_[0];
  ASSERT_EQ(b.size(), 44u);
  EXPECT_EQ(b[2], 31);
  EXPECT_EQ(b[2 + 31], 'n');
  EXPECT_EQ(LoadAt<std::int16_t>(b.data(), 34), 200) << "held to 0..200";
  EXPECT_EQ(LoadAt<std::int16_t>(b.data(), 36), 2);
  EXPECT_EQ(LoadAt<std::int16_t>(b.data(), 40), 172);
}

// Their commands open the settings and subject dialogs; the copy format
// dialog submits the large variant.
TEST_F(SettingsDialogs, CommandsOpenTheDialogsAndCopyFormatSubmitsTheLargeVariant) {
  Script("hit 1; type 6 Ann; hit 1; hit 6; hit 1");
  Perform(16404, 0, {});
  Perform(16405, 0, {});
  ASSERT_EQ(blocks_.size(), 2u);
  EXPECT_EQ(blocks_[0].size(), 16u);
  EXPECT_EQ(blocks_[1][2], 3) << "the subject's name";
  EditCopyFormat(kReportWindow, local_, gRespiratoryExtension);
  ASSERT_EQ(submitShort_.count(), 1u);
  EXPECT_EQ(std::get<1>(submitShort_.last()), kReportWindow);
  EXPECT_EQ(std::get<2>(submitShort_.last()), 4);
  EXPECT_EQ(Record().copyFormat, 4);
}

TEST_F(SettingsDialogs, CancelSubmitsNothing) {
  const std::uint16_t format = Record().copyFormat;
  const std::vector<std::function<void()>> dialogs = {
      [&] { EditAnalysisSettings(local_, gRespiratoryExtension); },
      [&] { EditSubject(local_, gRespiratoryExtension); },
      [&] { EditCopyFormat(1, local_, gRespiratoryExtension); },
  };
  for (const auto& run : dialogs) {
    Script("type 6 2; hit 2");  // the name, the factor, or a radio button
    run();
    toolbox::ClearScript();
  }
  EXPECT_TRUE(blocks_.empty());
  EXPECT_EQ(submitShort_.count(), 0u);
  EXPECT_EQ(Record().copyFormat, format);
}

}  // namespace
