// Printing through the host's output jobs: the report page's layout on
// portrait and landscape pages, its rows in the PDF, and the refusals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/port_fixture.h"
#include "extension/spiro_commands.h"
#include "spirometry/hand_made_analysis.h"
#include "frame/host_services_memory.h"
#include "frame/host_services_scales.h"
#include "host/alerts.h"
#include "host/host_context.h"
#include "host/host_state.h"
#include "host/output_jobs.h"
#include "spirometry/window_output.h"
#include "support/command_output.h"
#include "toolbox/memory.h"
#include "toolbox/script.h"
#include "util/handle_record.h"
#include "vantor/byte_access.h"

using namespace spiro;

namespace {

using hand_made::Bytes;
using hand_made::StringList;

using spirometry::LocalDataType;

struct Printing : PortTest {
  void SetUp() override {
    PortTest::SetUp();
    host::ResetHostContext();
    host::SetAlertsQuiet(true);
    LocalDataType d{};
    hand_made::TraceLoop(d, 301, 0.021, -0.4, 0.2);
    d.timeFormat.samplingInterval = 0.01;
    d.volumeToLitres = 1.0;
    d.flowToLitresPerSecond = 1.0;
    d.reportGraph = 2;
    d.commandsEnabled = 1;
    std::vector<std::string> labels;
    for (int row = 1; row <= 28; ++row) labels.push_back("Row " + std::to_string(row));
    d.reportTextList = StringList(labels);
    d.messageList = StringList(std::vector<std::string>(20, "Message"));
    spirometry::SpiroDataWindowRecord dataWindow{};
    dataWindow.common.kind = spirometry::kDataWindow;
    dataWindow.redraw = 1;
    d.windowRecords[0] = Bytes(&dataWindow, sizeof dataWindow);
    spirometry::SpiroPlotWindowRecord plotWindow{};
    plotWindow.common.kind = spirometry::kPlotWindow;
    plotWindow.redraw = 1;
    d.windowRecords[1] = Bytes(&plotWindow, sizeof plotWindow);
    spirometry::SpiroWindowRecord reportWindow{};
    reportWindow.kind = spirometry::kReportWindow;
    d.windowRecords[2] = Bytes(&reportWindow, sizeof reportWindow);
    data = reinterpret_cast<LocalDataType**>(Bytes(&d, sizeof d));
  }
  void TearDown() override {
    const auto plot = LoadPlot();
    const auto dataWindow = LoadHandleRecord<spirometry::SpiroDataWindowRecord>((*data)->windowRecords[0]);
    for (void* axis : {plot.flowAxis, plot.volumeAxis, dataWindow.flowAxis, dataWindow.volumeAxis}) {
      if (axis != nullptr) HostDisposeObject384(axis);
    }
    hand_made::DisposeRecord(data);
    host::State().recording = false;
    host::CurrentOutputSetup() = host::OutputSetup{};
    host::SetAlertsQuiet(false);
    PortTest::TearDown();
  }
  spirometry::SpiroPlotWindowRecord LoadPlot() const {
    return LoadHandleRecord<spirometry::SpiroPlotWindowRecord>((*data)->windowRecords[1]);
  }
  // Command 14 as the host hands it back: the kind and the rectangle.
  void PerformOutput(std::int16_t kind, const Rect& rect) {
    unsigned char record[16] = {};
    vantor::StoreAt(record, 2, spirometry::kOutputCommand);
    vantor::StoreAt(record, 4, std::int32_t{kind});
    vantor::StoreAt(record, 8, rect);
    spirometry::PerformSpiroCommand(extension, record, data);
  }
  LocalDataType** data = nullptr;
  hand_made::Extension extension;
};

class PageShapes : public Printing, public ::testing::WithParamInterface<bool> {};

// The loop's plot area follows from the page: between the subject block and
// the report's rows on a portrait page, right of the report on a landscape one.
TEST_P(PageShapes, PlaceThePlotAndTheReport) {
  const bool landscape = GetParam();
  const std::string pdf = ::testing::TempDir() + (landscape ? "report-wide.pdf" : "report-tall.pdf");
  host::CurrentOutputSetup() = {pdf, landscape};
  toolbox::PushScriptAction(toolbox::ItemHitAction(1));  // Print, in the print dialog
  PrintReport(data, extension);
  ASSERT_EQ(host::FinishedOutputJobs().size(), 1u) << (host::Alerts().empty() ? "" : host::Alerts().back().text);
  const host::FinishedOutputJob& job = host::FinishedOutputJobs().back();
  ASSERT_EQ(job.pages.size(), 1u);
  const Rect page = job.pages.front().page;
  const Rect loop = LoadPlot().common.plotRect;
  EXPECT_TRUE(loop.top >= page.top && loop.left >= page.left && loop.bottom <= page.bottom && loop.right <= page.right);
  EXPECT_GT(loop.bottom - loop.top, (page.bottom - page.top) / 3);
  EXPECT_EQ((*data)->portraitPage, 1) << "the windows draw as they did before printing";
  const auto textAt = [&job](const char* text) {
    for (const toolbox::DrawOp& op : job.pages.front().drawing.ops) {
      if (op.kind == toolbox::DrawKind::kText && op.text == text) return op.from;
    }
    ADD_FAILURE() << text << " is not on the page";
    return Point{};
  };
  const Point row = textAt("Row 3");
  const Point subject = textAt("Row 18");
  if (landscape) {
    EXPECT_LT(row.h, loop.left);
    EXPECT_LT(subject.h, loop.left);
  } else {
    EXPECT_GT(row.v, loop.bottom);
    EXPECT_LT(subject.v, loop.top);
  }
  const std::string text = CommandOutput("pdftotext '" + pdf + "' - 2>/dev/null");
  if (text.empty()) GTEST_SKIP() << "poppler-utils are not installed";
  EXPECT_NE(text.find("Row 3"), std::string::npos) << text;
  EXPECT_NE(text.find("Row 18"), std::string::npos) << "the subject block" << text;
}

INSTANTIATE_TEST_SUITE_P(PortraitAndLandscape, PageShapes, ::testing::Bool());

// Printing is refused while recording; printing, a window's printing and the
// output command are each refused after a failed analysis, with its message;
// the output command is ignored while commands are disabled or for no kind.
TEST_F(Printing, IsRefusedWhileRecordingOrAfterAFailedAnalysisAndIgnoredWhileDisabled) {
  const Rect rect{60, 50, 400, 450};
  (*data)->commandsEnabled = 0;
  PerformOutput(spirometry::kPlotWindow, rect);
  (*data)->commandsEnabled = 1;
  PerformOutput(4, rect);
  EXPECT_TRUE(host::Alerts().empty());
  host::State().recording = true;
  PrintReport(data, extension);
  host::State().recording = false;
  ASSERT_EQ(host::Alerts().size(), 1u);

  (*data)->analysisStatus = 3;
  (*data)->messageCode = 9;
  reinterpret_cast<spirometry::SpiroWindowRecord*>(*(*data)->windowRecords[1])->status = 3;
  PrintReport(data, extension);
  PrintWindow(2, data, extension);
  PerformOutput(spirometry::kPlotWindow, rect);
  EXPECT_TRUE(host::FinishedOutputJobs().empty());
  ASSERT_EQ(host::Alerts().size(), 4u);
  for (std::size_t i = 1; i < 4; ++i) EXPECT_EQ(host::Alerts()[i].text, "MessageMessage (Message)") << i;
  EXPECT_NE((*data)->outputRect, rect) << "nothing was output";
}

// While recording, a window's output is filed for later and the user told;
// nothing is placed on the page now.
TEST_F(Printing, OutputWhileRecordingIsDeferred) {
  (*data)->outputWindowKind = spirometry::kReportWindow;
  const Rect destination{36, 36, 836, 636};
  EXPECT_EQ(PictureWindowOutput(&destination, 1, reinterpret_cast<Handle>(data)), 1);
  EXPECT_TRUE(host::Alerts().empty());
  host::State().recording = true;
  EXPECT_EQ(PictureWindowOutput(&destination, 1, reinterpret_cast<Handle>(data)), 0);
  ASSERT_EQ(host::Alerts().size(), 1u);
  EXPECT_EQ(host::Alerts().front().service, 82);
  EXPECT_EQ((*data)->commandsEnabled, 1);
  EXPECT_EQ((*data)->outputRect, destination);
}

class OutputCommand : public Printing, public ::testing::WithParamInterface<std::int16_t> {};

// The window is drawn into the command's rectangle (the report onto the whole
// page), one page, no dialog, and the window is drawn again afterwards.
TEST_P(OutputCommand, DrawsTheKindIntoTheRectangleWithoutADialog) {
  const std::int16_t kind = GetParam();
  const Rect rect{60, 50, 400, 450};
  PerformOutput(kind, rect);
  ASSERT_EQ(host::FinishedOutputJobs().size(), 1u) << (host::Alerts().empty() ? "" : host::Alerts().back().text);
  const host::FinishedOutputJob& job = host::FinishedOutputJobs().back();
  EXPECT_FALSE(job.dialogShown);
  EXPECT_EQ(job.copies, 1);
  ASSERT_EQ(job.pages.size(), 1u);
  EXPECT_FALSE(job.pages.front().drawing.ops.empty());
  EXPECT_EQ((*data)->outputWindowKind, kind);
  if (kind == spirometry::kReportWindow) {
    EXPECT_EQ((*data)->outputRect, job.pages.front().page);
    return;
  }
  EXPECT_EQ((*data)->outputRect, rect);
  const auto drawn = LoadHandleRecord<spirometry::SpiroWindowRecord>((*data)->windowRecords[kind - 1]);
  EXPECT_EQ(drawn.plotRect.left, rect.left + 48);
  EXPECT_EQ(drawn.plotRect.right, rect.right - 10);
  EXPECT_GT(drawn.plotRect.top, rect.top);
  EXPECT_LT(drawn.plotRect.bottom, rect.bottom);
}

INSTANTIATE_TEST_SUITE_P(Kinds, OutputCommand,
                         ::testing::Values(spirometry::kDataWindow, spirometry::kPlotWindow,
                                           spirometry::kReportWindow));

// Whichever allocation fails, the output ends in its page or in one alert.
TEST_F(Printing, OutputCommandUnderAllocationFailuresEndsInAPageOrAnAlert) {
  const Rect rect{60, 50, 400, 450};
  int alerted = 0;
  for (long n = 1; n <= 40; ++n) {
    host::ResetHostContext();
    host::SetAlertsQuiet(true);
    toolbox::FailAllocationAfter(n);
    PerformOutput(spirometry::kPlotWindow, rect);
    toolbox::FailAllocationAfter(0);
    const bool paged = !host::FinishedOutputJobs().empty() && !host::FinishedOutputJobs().back().pages.empty();
    EXPECT_NE(paged, !host::Alerts().empty()) << "failing allocation " << n;
    alerted += host::Alerts().empty() ? 0 : 1;
  }
  EXPECT_GT(alerted, 0) << "some allocation of the output failed";
}

}  // namespace
