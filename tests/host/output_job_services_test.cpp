// Output jobs: the print dialog from the script, picture procedures, titles,
// and failures ending in one alert with nothing written (pages in the PDF are
// checked on the bundle's printed report).
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "host/alerts.h"
#include "host/host_context.h"
#include "host/output_jobs.h"
#include "host/output_requests.h"
#include "service_call.h"
#include "toolbox/memory.h"
#include "toolbox/quickdraw.h"
#include "toolbox/resource_test_support.h"
#include "toolbox/script.h"

namespace {

using namespace vantor::service;
using testext::Call;

// What the page procedure was asked for, and what the procedures answer.
std::vector<Rect> gPagesAsked;
int gPagesWanted = 1;
int gPictureResult = 0;

std::int32_t DrawPage(const Rect* page, std::int32_t, std::int16_t, Handle) {
  gPagesAsked.push_back(*page);
  MoveTo(static_cast<SInt16>(page->left + 5), static_cast<SInt16>(page->top + 15));
  DrawString(resource_test::PString("Page").get());
  return static_cast<int>(gPagesAsked.size()) < gPagesWanted ? 1 : 0;
}

std::int32_t PlacePicture(const Rect* destination, std::int16_t, Handle) {
  PaintRect(destination);
  return gPictureResult;
}

struct OutputJobs : ::testing::Test {
  void SetUp() override {
    gPagesAsked.clear();
    gPagesWanted = 1;
    gPictureResult = 0;
    host::ResetHostContext();
    host::ClearAlerts();
    host::SetAlertsQuiet(true);
    host::CurrentOutputSetup() = host::OutputSetup{};
  }
  void TearDown() override {
    toolbox::ClearScript();
    host::CurrentOutputSetup() = host::OutputSetup{};
    host::SetAlertsQuiet(false);
  }
  const host::FinishedOutputJob& RunJob(bool dialog, const char* title = "Report",
                                        vantor::OutputPictureProc picture = nullptr) {
    void* job = Call<HostService640>(static_cast<Handle>(nullptr), &DrawPage);
    EXPECT_NE(job, nullptr);
    if (picture != nullptr) Call<HostService642>(job, picture);
    Call<HostService643>(job, std::int16_t{1}, dialog, resource_test::PString(title).get());
    return host::FinishedOutputJobs().back();
  }
};

// The print dialog answers from the script; a picture procedure makes the page
// unless it declines; an empty title takes the one set before.
TEST_F(OutputJobs, DialogPagesPicturesAndTitles) {
  EXPECT_TRUE(RunJob(true).cancelled) << "an exhausted script cancels";
  EXPECT_TRUE(gPagesAsked.empty());
  toolbox::PushScriptAction(toolbox::ItemHitAction(1));
  gPagesWanted = 2;
  host::CurrentOutputSetup().pdfPath = ::testing::TempDir() + "two_pages.pdf";
  const host::FinishedOutputJob& printed = RunJob(true);
  EXPECT_FALSE(printed.cancelled);
  EXPECT_EQ(printed.pages.size(), 2u) << "a non-zero result asks for another page";
  EXPECT_EQ(gPagesAsked.front().right - gPagesAsked.front().left, 600) << "a portrait page";

  gPagesAsked.clear();
  gPagesWanted = 1;
  RunJob(false, "Window", &PlacePicture);
  EXPECT_EQ(gPagesAsked.size(), 1u) << "the picture procedure declined: the page procedure draws";
  gPictureResult = 1;
  const host::FinishedOutputJob& job = RunJob(false, "Window", &PlacePicture);
  EXPECT_EQ(gPagesAsked.size(), 1u);
  ASSERT_EQ(job.pages.size(), 1u);
  EXPECT_TRUE(job.pages.front().fromPicture);
  ASSERT_FALSE(job.pages.front().drawing.ops.empty());
  EXPECT_EQ(job.pages.front().drawing.ops.front().rect, job.pages.front().page);

  Call<HostService160>(resource_test::PString("Bericht f\x9Fr Anna").get());
  EXPECT_EQ(RunJob(false, "").title, "Bericht für Anna") << "as UTF-8";
  EXPECT_EQ(host::TakeNextOutputTitle(), "") << "taken once";
  EXPECT_EQ(RunJob(false, "Data").title, "Data");
}

TEST_F(OutputJobs, FailuresEndInOneAlertAndNoFile) {
  const std::string pdf = ::testing::TempDir() + "no-such-folder/out.pdf";
  host::CurrentOutputSetup().pdfPath = pdf;
  EXPECT_TRUE(RunJob(false).pdfPath.empty());
  ASSERT_EQ(host::Alerts().size(), 1u);
  EXPECT_NE(host::Alerts().front().text.find("could not be made"), std::string::npos);

  host::ClearAlerts();
  host::CurrentOutputSetup().pdfPath = ::testing::TempDir() + "never.pdf";
  void* job = Call<HostService640>(static_cast<Handle>(nullptr), &DrawPage);
  toolbox::FailAllocationAfter(1);  // the page's port
  Call<HostService643>(job, std::int16_t{1}, false, resource_test::PString("Report").get());
  toolbox::FailAllocationAfter(0);
  EXPECT_TRUE(host::FinishedOutputJobs().back().pages.empty());
  ASSERT_EQ(host::Alerts().size(), 1u);
  EXPECT_NE(host::Alerts().front().text.find("out of memory"), std::string::npos);
  EXPECT_FALSE(std::ifstream(host::CurrentOutputSetup().pdfPath).good());

  toolbox::FailAllocationAfter(1);
  EXPECT_EQ(Call<HostService640>(static_cast<Handle>(nullptr), &DrawPage), nullptr);
  toolbox::FailAllocationAfter(0);
  EXPECT_EQ(Call<HostService640>(static_cast<Handle>(nullptr), static_cast<vantor::OutputPageProc>(nullptr)), nullptr);
}

}  // namespace
