// Copy from a spirometry window, asserted on the clipboard's flavours: the
// report's 17 labelled lines or one line of values, and the plot windows'
// pictures magnified by the copy format, at most 8 times.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/port_fixture.h"
#include "spirometry/hand_made_analysis.h"
#include "host/clipboard.h"
#include "spirometry/clipboard_copy.h"
#include "toolbox/pict.h"
#include "toolbox/scrap.h"
#include "toolbox/sound.h"
#include "toolbox/windows.h"

using namespace spiro;

namespace {

using hand_made::StringList;

using spirometry::LocalDataType;

struct Copy : PortTest {
  void SetUp() override {
    PortTest::SetUp();
    ClearCurrentScrap();
    toolbox::ClearBeeps();
    // Every block may move on any allocation (the heap is scrambled under
    // the sanitizers): the record is filled as a value and copied in last.
    LocalDataType d{};
    std::vector<std::string> labels;
    for (int row = 1; row <= 28; ++row) labels.push_back(row == 4 || row == 7 ? "" : "Row " + std::to_string(row));
    d.reportTextList = StringList(labels);
    d.sampleCount = 6000;
    d.timeFormat.samplingInterval = 0.01;
    d.inspirationCount = 5;
    d.expirationCount = 6;
    d.volumeToLitres = 1.0;
    d.flowToLitresPerSecond = 1.0;
    d.analysisStatus = spirometry::kAnalysisValid;  // results current
    const Rect bounds{50, 50, 250, 350};
    window = NewCWindow(nullptr, &bounds, reinterpret_cast<const unsigned char*>("\x04" "Plot"), true, 0,
                        kWindowInFront, false, 0);
    for (std::int16_t kind : {spirometry::kPlotWindow, spirometry::kReportWindow}) {
      spirometry::SpiroPlotWindowRecord record{};
      record.common.window = window;
      record.common.kind = kind;
      record.common.status = 1;  // nothing selected: the message box is the content
      record.common.contentRect = Rect{0, 0, 200, 300};
      d.windowRecords[kind - 1] = hand_made::Bytes(&record, spirometry::WindowRecordBytes(kind));
    }
    data = reinterpret_cast<LocalDataType**>(hand_made::Bytes(&d, sizeof d));
  }
  void TearDown() override {
    hand_made::DisposeRecord(data);
    DisposeWindow(window);
    ClearCurrentScrap();
    PortTest::TearDown();
  }
  LocalDataType** data = nullptr;
  WindowRef window = nullptr;
  hand_made::Extension extension;
};

TEST_F(Copy, TheReportGivesSeventeenLinesOrOneLineOfValues) {
  CopyWindowContent(1, spirometry::kReportWindow, data, extension);
  const auto text = host::ClipboardText();
  ASSERT_TRUE(text);
  EXPECT_EQ(std::count(text->begin(), text->end(), '\n'), 17);
  EXPECT_EQ(text->substr(0, 7), "Row 1\t\n") << *text;
  EXPECT_NE(text->find("Row 3\t60.00 s"), std::string::npos) << *text;
  EXPECT_NE(text->find("\n\nRow 5\t5\n"), std::string::npos) << "an empty row is a lone line end";

  CopyWindowContent(4, spirometry::kReportWindow, data, extension);
  const auto values = host::ClipboardText();
  ASSERT_TRUE(values);
  EXPECT_EQ(values->substr(0, 12), "60.00\t5\t6\t?\t") << *values;
  EXPECT_EQ(values->find('\n'), std::string::npos) << "no line end";

  CopyWindowContent(2, spirometry::kReportWindow, data, extension);
  EXPECT_FALSE(host::ClipboardText()) << "another variant copies nothing";
  EXPECT_TRUE(toolbox::RecordedBeeps().empty()) << "and reports nothing";
}

class PictureCopy : public Copy, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(PictureCopy, IsTheWindowMagnifiedByTheVariantUpToEight) {
  const auto [variant, magnification] = GetParam();
  CopyWindowContent(static_cast<std::uint16_t>(variant), spirometry::kPlotWindow, data, extension);
  const auto picture = host::ClipboardPicture();
  ASSERT_TRUE(picture);
  const auto contents = toolbox::ReadPict(*picture);
  ASSERT_TRUE(contents);
  EXPECT_EQ(contents->frame, (Rect{0, 0, static_cast<SInt16>(200 * magnification), static_cast<SInt16>(300 * magnification)}));
  EXPECT_TRUE(toolbox::RecordedBeeps().empty());
}

INSTANTIATE_TEST_SUITE_P(Variants, PictureCopy,
                         ::testing::Values(std::pair{1, 1}, std::pair{4, 4}, std::pair{12, 8}));

TEST_F(Copy, AMissingWindowOrPictureMemoryBeeps) {
  HostDisposeHandle((*data)->windowRecords[0]);
  (*data)->windowRecords[0] = nullptr;
  CopyWindowContent(1, spirometry::kDataWindow, data, extension);
  EXPECT_EQ(toolbox::RecordedBeeps().size(), 1u);
  // Whichever allocation fails, the copy either puts a readable picture on
  // the clipboard or beeps, never both, never neither.
  int beeped = 0;
  for (long n = 1; n <= 40; ++n) {
    toolbox::ClearBeeps();
    toolbox::FailAllocationAfter(n);
    CopyWindowContent(1, spirometry::kPlotWindow, data, extension);
    toolbox::FailAllocationAfter(0);
    const auto picture = host::ClipboardPicture();
    const bool copied = picture && toolbox::ReadPict(*picture);
    EXPECT_NE(copied, !toolbox::RecordedBeeps().empty()) << "failing allocation " << n;
    beeped += toolbox::RecordedBeeps().empty() ? 0 : 1;
  }
  EXPECT_GT(beeped, 0) << "some allocation of the copy failed";
}

}  // namespace
