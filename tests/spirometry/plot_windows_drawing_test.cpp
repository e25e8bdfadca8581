// The "Spirometry Data" window and the "Flow-Volume Plot" drawn from a
// hand-made analysis: panels laid out for the rectangle and scale, traces
// through the axes' read-back mapping, the loop's orientation and arrows, the
// channel menus' headings added once, and only the message when the analysis
// failed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "extension/axis_scales.h"
#include "support/port_fixture.h"
#include "support/scaling_fixtures.h"
#include "frame/host_services_scales.h"
#include "spirometry/data_window_drawing.h"
#include "spirometry/hand_made_analysis.h"
#include "spirometry/loop_window_drawing.h"
#include "toolbox/menus.h"

using namespace spiro;

namespace {

using spirometry::BreathPhase;
using spirometry::LocalDataType;
using toolbox::DrawKind;

// One breath traced round, with the window record `Window` draws it into.
template <class Window>
struct PlotWindow : PortTest {
  void Trace(int samples, double radians, double flowPeak, double volumePeak) {
    hand_made::TraceLoop(data, samples, radians, flowPeak, volumePeak);
    data.flowScaling = data.volumeScaling = CalibratedScaling(1.0, 10.0, 0.0);
    data.axisFont = 21;
    data.reportFont = 1;
    window.redraw = 1;
  }
  void TearDown() override {
    for (void* axis : {window.flowAxis, window.volumeAxis}) {
      if (axis != nullptr) HostDisposeObject384(axis);
    }
    hand_made::DisposeHeld(data);
    PortTest::TearDown();
  }
  std::vector<toolbox::DrawOp> LinesClippedTo(const Rect& clip) const {
    return OpsWhere(Drawn(), [&clip](const toolbox::DrawOp& op) { return op.kind == DrawKind::kLine && op.state.clip == clip; });
  }
  bool DrewLines() const { return !OpsOf(Drawn(), DrawKind::kLine).empty(); }
  LocalDataType data{};
  Window window{};
};

struct DataWindow : PlotWindow<spirometry::SpiroDataWindowRecord> {
  void SetUp() override {
    PortTest::SetUp();
    Trace(kSamples, 0.02, 0.3, 0.2);
    data.timeFormat.displayInterval = 0.01;
    data.timeFormat.samplingInterval = 0.01;
    data.timeFormat.displayPrecision = 2;
    data.phases = hand_made::HandleOf(std::vector<BreathPhase>{{0, 0, 0, -32768.0f, 0}, {150, 1, 1, 0.1f, 0.05f},
                                                               {300, 0, 0, 0.1f, 0}});
    data.phaseCount = 3;
    data.peakInspiratoryIndex = 78;
    data.peakExpiratoryIndex = -1;
    data.forcedStartIndex = 150;
    data.forcedEndIndex = 300;
    data.fev1 = 1.0;
  }
  static constexpr int kSamples = 400;
};

class DataWindowScales : public DataWindow, public ::testing::WithParamInterface<std::int16_t> {};

TEST_P(DataWindowScales, TracesFollowTheAxesAcrossThePanels) {
  const std::int16_t s = GetParam();
  const Rect rect{0, 0, static_cast<std::int16_t>(200 * s), static_cast<std::int16_t>(300 * s)};
  DrawDataWindow(rect, s == 1, s, window, data);

  EXPECT_EQ(window.common.plotRect.top, 5 * s);
  EXPECT_EQ(window.leftEdge, 48 * s);
  EXPECT_EQ(window.volumePlotRect.bottom, 200 * s - 35 * s);
  EXPECT_EQ(window.redraw, 0);
  double offset = 0;
  double perRaw = 0;
  GetAxisGeometry(window.flowAxis, &offset, &perRaw);
  EXPECT_EQ(window.flowTraceOffset, offset) << "the mapping is the axis's own";
  EXPECT_EQ(window.flowTraceScale, perRaw);
  double upper = 0;
  double lower = 0;
  HostScaleGet364(window.flowAxis, &upper, &lower);
  EXPECT_NEAR(upper, 0.36, 1e-6) << "the samples' span and a fifth more";
  EXPECT_NEAR(lower, -0.36, 1e-6);

  const auto flow = LinesClippedTo(window.common.plotRect);
  ASSERT_GE(flow.size(), static_cast<std::size_t>(kSamples - 1));
  EXPECT_EQ(flow.front().from.h, window.leftEdge);
  EXPECT_EQ(flow[kSamples - 2].to.h, 300 * s - 10 * s - 1) << "the last sample at the panel's right edge";
  const auto volume = LinesClippedTo(window.volumePlotRect);
  EXPECT_GE(volume.size(), static_cast<std::size_t>(kSamples - 1));
}

INSTANTIATE_TEST_SUITE_P(OnScreenAndFourTimes, DataWindowScales, ::testing::Values(std::int16_t{1}, std::int16_t{4}));

// A failed analysis shows only its message; the range stays until a refit is due.
TEST_F(DataWindow, FailedAnalysisAndRefit) {
  window.common.status = 3;
  DrawDataWindow(Rect{0, 0, 200, 300}, true, 1, window, data);
  EXPECT_EQ(window.flowAxis, nullptr) << "no axes";
  EXPECT_FALSE(DrewLines());

  window.common.status = 0;
  DrawDataWindow(Rect{0, 0, 200, 300}, true, 1, window, data);
  data.flowMax = 0.9f;
  DrawDataWindow(Rect{0, 0, 200, 300}, true, 1, window, data);
  double upper = 0;
  double lower = 0;
  HostScaleGet364(window.flowAxis, &upper, &lower);
  EXPECT_NEAR(upper, 0.36, 1e-6);
  window.redraw = 1;
  DrawDataWindow(Rect{0, 0, 200, 300}, true, 1, window, data);
  HostScaleGet364(window.flowAxis, &upper, &lower);
  EXPECT_NEAR(upper, 0.3 + 0.72, 1e-6);
}

struct LoopWindow : PlotWindow<spirometry::SpiroPlotWindowRecord> {
  void SetUp() override {
    PortTest::SetUp();
    // One breath out and in: volume falls while flow is negative.
    Trace(201, 2 * M_PI / 200, -0.4, 0.2);
    for (MenuRef* menu : {&data.volumeMenu, &data.flowMenu}) {
      *menu = NewMenu(8100, reinterpret_cast<const unsigned char*>("\x07" "Channel"));
      AppendMenu(*menu, reinterpret_cast<const unsigned char*>("\x14" "Channels;Flow;Volume"));
    }
    data.volumeMenuOwnItems = 1;
    data.flowMenuOwnItems = 1;
    window.plotOption = 1;
  }
  void TearDown() override {
    DisposeMenu(data.volumeMenu);
    DisposeMenu(data.flowMenu);
    PlotWindow::TearDown();
  }
  void Draw() { DrawFlowVolumeLoop(Rect{0, 0, 200, 300}, true, 1, window, data); }
  std::size_t BlackStrokes() const {
    const auto lines = LinesClippedTo(window.common.plotRect);
    return static_cast<std::size_t>(std::count_if(lines.begin(), lines.end(), [](const toolbox::DrawOp& op) {
      return op.state.foreColor == RGBColor{};
    }));
  }
};

TEST_F(LoopWindow, ExpirationRunsUpAndToTheRightWithFiveArrows) {
  Draw();
  auto h = [&](double volume) { return -volume * window.volumeAxisScale + window.volumeAxisOffset; };
  auto v = [&](double flow) { return -flow * window.flowAxisScale + window.flowAxisOffset; };
  EXPECT_LT(v(-0.4), v(0.4)) << "expiratory (negative) flow is drawn higher";
  EXPECT_GT(h(-0.2), h(0.2)) << "falling volume is drawn further right";
  EXPECT_GE(h(0.2), window.common.plotRect.left);
  EXPECT_LE(h(-0.2), window.common.plotRect.right);
  EXPECT_EQ(BlackStrokes(), 10u) << "five arrowheads of two strokes";
  Draw();
  for (MenuRef menu : {data.volumeMenu, data.flowMenu}) EXPECT_EQ(CountMenuItems(menu), 5) << "headings added once";
  EXPECT_EQ(data.volumeMenuOwnItems, 3) << "item 3 + c names channel c";
  EXPECT_EQ(data.flowMenuOwnItems, 3);

  toolbox::ClearDisplayList(port_);
  window.plotOption = 0;
  Draw();
  EXPECT_EQ(BlackStrokes(), 0u);
}

// Without a volume channel only the message is shown. After a failure the axes
// show no labels; once the analysis succeeds and the axes are refitted they
// are labelled again.
TEST_F(LoopWindow, AFailureShowsOnlyTheMessageAndUnlabelledAxesUntilARefit) {
  auto labels = [&] {
    return OpsWhere(Drawn(), [](const toolbox::DrawOp& op) { return op.kind == DrawKind::kText && std::isdigit(op.text[0]); }).size();
  };
  window.common.status = 3;
  data.volumeChannel = 0;
  Draw();
  EXPECT_EQ(window.volumeAxis, nullptr);
  EXPECT_FALSE(DrewLines());
  data.volumeChannel = 2;
  Draw();
  EXPECT_EQ(labels(), 0u);
  toolbox::ClearDisplayList(port_);
  window.common.status = 0;
  window.redraw = 1;
  Draw();
  EXPECT_GT(labels(), 4u);
}

}  // namespace
