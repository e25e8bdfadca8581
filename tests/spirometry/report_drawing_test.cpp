// The report drawn from a hand-made analysis: rows at their baselines, gaps
// for empty rows, the portrait page's two columns, scale applied to sizes and
// margins, and the status message instead of rows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/port_fixture.h"
#include "spirometry/hand_made_analysis.h"
#include "frame/host_services_memory.h"
#include "spirometry/report_drawing.h"
#include "spirometry/window_content.h"

using namespace spiro;

namespace {

using hand_made::StringList;

using spirometry::LocalDataType;
using toolbox::DrawKind;

struct Report : PortTest {
  void SetUp() override {
    PortTest::SetUp();
    std::vector<std::string> labels;
    for (int row = 1; row <= 28; ++row) labels.push_back(row == 4 ? "" : "L" + std::to_string(row));  // entry r: row r
    data.reportTextList = StringList(labels);
    data.messageList = StringList({"No selection", "b", "Channels missing", "d", "e", "f", "g", "h", "No flow channel"});
    data.sampleCount = 1000;
    data.timeFormat.samplingInterval = 0.01;
    data.timeFormat.displayInterval = 0.01;
    data.volumeToLitres = 1.0;
    data.flowToLitresPerSecond = 1.0;
    data.tidalVolume = 0.5;
    window.kind = spirometry::kReportWindow;
  }
  void TearDown() override {
    HostDisposeHandle(data.reportTextList);
    HostDisposeHandle(data.messageList);
    PortTest::TearDown();
  }
  // The first (bold) column of each row drawn: label text → baseline point.
  std::vector<toolbox::DrawOp> Labels() const {
    return OpsWhere(Drawn(), [](const toolbox::DrawOp& op) { return op.kind == DrawKind::kText && op.state.textFace == bold; });
  }
  static const toolbox::DrawOp* Find(const std::vector<toolbox::DrawOp>& ops, const std::string& text) {
    for (const toolbox::DrawOp& op : ops) {
      if (op.text == text) return &op;
    }
    return nullptr;
  }
  LocalDataType data{};
  spirometry::SpiroWindowRecord window{};
};

class ReportScales : public Report, public ::testing::WithParamInterface<std::int16_t> {};

TEST_P(ReportScales, RowsStepDownWithGapsForEmptyRows) {
  const int s = GetParam();
  DrawWindowContent(Rect{0, 0, 200, 300}, false, static_cast<std::int16_t>(s), window, data);
  const auto labels = Labels();
  ASSERT_EQ(labels.size(), 16u) << "rows 1 to 17 less the empty row 4";
  EXPECT_EQ(labels[0].state.textSize, 12 * s);
  const toolbox::DrawOp* row1 = Find(labels, "L1");
  const toolbox::DrawOp* row3 = Find(labels, "L3");
  const toolbox::DrawOp* row5 = Find(labels, "L5");
  ASSERT_TRUE(row1 && row3 && row5);
  EXPECT_EQ(row1->from, (Point{static_cast<SInt16>(15 * s), static_cast<SInt16>(5 * s)}));
  EXPECT_EQ(row3->from.v, 45 * s);
  EXPECT_EQ(row5->from.v, 45 * s + 15 * s + 8 * s) << "an empty row advances 8";
  EXPECT_EQ(data.axisFont, 1) << "output fonts";
}

INSTANTIATE_TEST_SUITE_P(ScreenAndFourTimes, ReportScales, ::testing::Values(std::int16_t{1}, std::int16_t{4}));

TEST_F(Report, APortraitPageSetsTheRowsInTwoColumns) {
  data.portraitPage = 1;
  DrawReport(Rect{100, 0, 800, 600}, 1, window, data);
  const auto labels = Labels();
  const int second = 600 / 2 - 5;
  const toolbox::DrawOp* row2 = Find(labels, "L2");
  const toolbox::DrawOp* row3 = Find(labels, "L3");
  const toolbox::DrawOp* row12 = Find(labels, "L12");
  const toolbox::DrawOp* row17 = Find(labels, "L17");
  ASSERT_TRUE(row2 && row3 && row12 && row17);
  EXPECT_EQ(row2->from, (Point{115, static_cast<SInt16>(second)}));
  EXPECT_EQ(row3->from, (Point{130, 5}));
  EXPECT_EQ(row12->from, (Point{153, static_cast<SInt16>(second)}));
  EXPECT_EQ(row17->from.h, second);

  toolbox::ClearDisplayList(port_);
  DrawReportHeader(Rect{0, 0, 90, 600}, 1, data);
  const auto header = Labels();
  EXPECT_TRUE(Find(header, "L22"));
  EXPECT_FALSE(Find(header, "L23")) << "a portrait page stops the subject block at row 22";
  ASSERT_TRUE(Find(header, "L25"));
  EXPECT_LE(Find(header, "L25")->from.h + 1, 595) << "date and time right to left from the right margin";
}

TEST_F(Report, AFailedAnalysisShowsItsStatusAndCode) {
  window.status = 3;
  window.messageCode = 9;
  DrawReport(Rect{0, 0, 200, 300}, 1, window, data);
  EXPECT_TRUE(Labels().empty());
  std::string shown;
  for (const toolbox::DrawOp& op : Drawn().ops) {
    if (op.kind == DrawKind::kText) shown += op.text + "|";
  }
  EXPECT_NE(shown.find("Channels missing"), std::string::npos) << shown;
  EXPECT_NE(shown.find("No flow"), std::string::npos) << shown;
}

}  // namespace
