// The "Spirometry Data" window drawn from a hand-made analysis: panels laid
// out for the rectangle and scale, traces through the axes' read-back
// mapping, the last sample at the right edge, and only the message when the
// analysis failed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "extension/axis_scales.h"
#include "extension/port_fixture.h"
#include "extension/scaling_fixtures.h"
#include "spirometry/hand_made_analysis.h"
#include "frame/host_services_memory.h"
#include "frame/host_services_scales.h"
#include "spirometry/data_window_drawing.h"

using namespace spiro;

namespace {

using hand_made::HandleOf;

using spirometry::BreathPhase;
using spirometry::LocalDataType;
using spirometry::SpiroDataWindowRecord;
using toolbox::DrawKind;

struct DataWindow : PortTest {
  void SetUp() override {
    PortTest::SetUp();
    hand_made::TraceLoop(data, kSamples, 0.02, 0.3, 0.2);
    data.flowScaling = data.volumeScaling = CalibratedScaling(1.0, 10.0, 0.0);
    data.timeFormat.displayInterval = 0.01;
    data.timeFormat.samplingInterval = 0.01;
    data.timeFormat.displayPrecision = 2;
    data.phases = HandleOf(std::vector<BreathPhase>{{0, 0, 0, -32768.0f, 0}, {150, 1, 1, 0.1f, 0.05f},
                                                    {300, 0, 0, 0.1f, 0}});
    data.phaseCount = 3;
    data.peakInspiratoryIndex = 78;
    data.peakExpiratoryIndex = -1;
    data.forcedStartIndex = 150;
    data.forcedEndIndex = 300;
    data.fev1 = 1.0;
    data.axisFont = 21;
    data.reportFont = 1;
    window.redraw = 1;
  }
  void TearDown() override {
    for (void* axis : {window.flowAxis, window.volumeAxis}) {
      if (axis != nullptr) HostDisposeObject384(axis);
    }
    for (Handle h : {data.flowSamples, data.volumeSamples, data.phases}) HostDisposeHandle(h);
    PortTest::TearDown();
  }
  std::vector<toolbox::DrawOp> LinesClippedTo(const Rect& clip) const {
    return OpsWhere(Drawn(), [&clip](const toolbox::DrawOp& op) { return op.kind == DrawKind::kLine && op.state.clip == clip; });
  }
  static constexpr int kSamples = 400;
  LocalDataType data{};
  SpiroDataWindowRecord window{};
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

TEST_F(DataWindow, AFailedAnalysisShowsOnlyItsMessage) {
  window.common.status = 3;
  DrawDataWindow(Rect{0, 0, 200, 300}, true, 1, window, data);
  EXPECT_EQ(window.flowAxis, nullptr) << "no axes";
  for (const toolbox::DrawOp& op : Drawn().ops) EXPECT_NE(op.kind, DrawKind::kLine);
}

TEST_F(DataWindow, TheRangeStaysUntilARefitIsDue) {
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

}  // namespace
