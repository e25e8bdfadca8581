// Readouts under the pointer, asserted on the two windows' display lists:
// crosses in both windows, nothing redrawn within one sample column, both
// readouts erased outside the samples, and the label of the phase under the
// pointer (none after the last boundary).
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "support/port_fixture.h"
#include "support/scaling_fixtures.h"
#include "spirometry/hand_made_analysis.h"
#include "host/service_table.h"
#include "util/handle_record.h"
#include "spirometry/cursor_readout.h"
#include "toolbox/windows.h"

using namespace spiro;

namespace {

using hand_made::Bytes;
using hand_made::HandleOf;
using hand_made::StringList;

using spirometry::LocalDataType;
using toolbox::DrawKind;

struct Readout : PortTest {
  void SetUp() override {
    PortTest::SetUp();
    const Rect bounds{50, 50, 250, 350};
    for (WindowRef* w : {&dataWindow, &plotWindow}) {
      *w = NewCWindow(nullptr, &bounds, reinterpret_cast<const unsigned char*>("\x01w"), false, 0, kWindowInFront,
                      false, 0);
    }
    LocalDataType d{};
    std::vector<float> samples;
    for (int i = 0; i < 100; ++i) samples.push_back(0.01f * static_cast<float>(i - 50));
    d.flowSamples = HandleOf(samples);
    d.volumeSamples = HandleOf(samples);
    d.sampleCount = 100;
    d.flowScaling = CalibratedScaling(1.0, 1.0, 0.0);
    d.flowScaling.decimals = 2;
    d.volumeScaling = d.flowScaling;
    d.volumeToLitres = 1.0;
    d.phases = HandleOf(std::vector<spirometry::BreathPhase>{{0, 0, 0, -32768.0f, 0}, {40, 1, 1, 0.3f, 0.2f},
                                                             {70, 0, 0, 0.3f, 0}});
    d.phaseCount = 3;
    d.labelList = StringList({"V ", "F ", "t ", " F ", " V "});
    d.messageList = StringList(std::vector<std::string>(13, "Forced"));
    spirometry::SpiroDataWindowRecord data{};
    data.common = {dataWindow, 1, {}, 1, 0, 0, 0, {0, 0, 200, 300}, {0, 0, 15, 300}, {20, 48, 100, 290}};
    data.volumePlotRect = Rect{102, 48, 180, 290};
    data.pixelsPerSample = 2.0;
    data.leftEdge = 48;
    data.flowTraceScale = -50;
    data.flowTraceOffset = 60;
    data.volumeTraceScale = -50;
    data.volumeTraceOffset = 140;
    data.bottomStrip = Rect{185, 0, 200, 300};
    ResetTextBox(data.readoutBox);
    SetTextBox(data.common.headerRect, 1, 9, false, data.readoutBox);
    d.windowRecords[0] = Bytes(&data, sizeof data);
    spirometry::SpiroPlotWindowRecord plot{};
    plot.common = {plotWindow, 1, {}, 2, 0, 0, 0, {0, 0, 200, 300}, {0, 0, 15, 300}, {20, 48, 165, 290}};
    plot.volumeAxisScale = 100;
    plot.volumeAxisOffset = 170;
    plot.flowAxisScale = 100;
    plot.flowAxisOffset = 90;
    ResetTextBox(plot.readoutBox);
    SetTextBox(plot.common.headerRect, 1, 9, false, plot.readoutBox);
    d.windowRecords[1] = Bytes(&plot, sizeof plot);
    document = reinterpret_cast<LocalDataType**>(Bytes(&d, sizeof d));
  }
  void TearDown() override {
    hand_made::DisposeRecord(document);
    DisposeWindow(dataWindow);
    DisposeWindow(plotWindow);
    PortTest::TearDown();
  }
  static const toolbox::DisplayList& List(WindowRef w) { return GetWindowPort(w)->displayList; }
  static std::size_t XorLines(WindowRef w) {
    return OpsWhere(List(w), [](const toolbox::DrawOp& op) { return op.kind == DrawKind::kLine && op.state.penMode == srcXor; }).size();
  }
  static std::string Texts(WindowRef w) {
    std::string all;
    for (const toolbox::DrawOp& op : OpsOf(List(w), DrawKind::kText)) all += op.text + "|";
    return all;
  }
  static bool Erased(WindowRef w, const Rect& r) {
    return !OpsWhere(List(w), [&r](const toolbox::DrawOp& op) { return op.kind == DrawKind::kEraseRect && op.rect == r; }).empty();
  }
  LocalDataType** document = nullptr;
  WindowRef dataWindow = nullptr;
  WindowRef plotWindow = nullptr;
};

TEST_F(Readout, FollowsThePointerAcrossBothWindows) {
  TrackCursor(Point{60, 48 + 2 * 20}, 1, document);  // sample 20, in the first phase, a forced one
  EXPECT_EQ(XorLines(dataWindow), 4u) << "a cross on each trace";
  EXPECT_EQ(XorLines(plotWindow), 2u) << "and one on the loop";
  EXPECT_NE(Texts(dataWindow).find("Forced"), std::string::npos) << Texts(dataWindow);
  EXPECT_NE(Texts(plotWindow).find("F "), std::string::npos) << Texts(plotWindow);

  const std::size_t dataOps = List(dataWindow).ops.size();
  const std::size_t plotOps = List(plotWindow).ops.size();
  TrackCursor(Point{90, 48 + 2 * 20}, 1, document);  // still sample 20
  EXPECT_EQ(List(dataWindow).ops.size(), dataOps) << "the same column redraws nothing";
  EXPECT_EQ(List(plotWindow).ops.size(), plotOps);

  TrackCursor(Point{60, 48 + 2 * 80}, 1, document);  // after the last boundary
  EXPECT_EQ(XorLines(dataWindow), 12u) << "old crosses removed, new ones drawn";
  EXPECT_EQ(Texts(dataWindow).find("Forced", Texts(dataWindow).find("Forced") + 1), std::string::npos)
      << "no label after the last boundary";

  TrackCursor(Point{60, 20}, 1, document);  // left of the first sample
  const auto d = LoadHandleRecord<spirometry::SpiroDataWindowRecord>((*document)->windowRecords[0]);
  EXPECT_TRUE(Erased(dataWindow, d.common.headerRect));
  const auto p = LoadHandleRecord<spirometry::SpiroPlotWindowRecord>((*document)->windowRecords[1]);
  EXPECT_TRUE(Erased(plotWindow, p.common.headerRect));
  EXPECT_EQ(XorLines(dataWindow), 16u);
  EXPECT_EQ(d.flowMarker, (Point{0, 0}));
  EXPECT_EQ(p.marker, (Point{0, 0}));
}

bool Detailed(std::int16_t selector) { return selector == 58; }

// With the host's detailed labels, the first phase is number 1 from position
// 0 (the sentinel record is never labelled), and a phase without a
// first-second volume has no FEV1 part.
TEST_F(Readout, DetailedLabelsNumberPhasesFromTheFirstBoundary) {
  vantor::ServiceTable& table = host::Services();
  const auto saved = vantor::ServiceAt<vantor::service::HostHasCapability>(table);
  vantor::SetService<vantor::service::HostHasCapability>(table, &Detailed);
  reinterpret_cast<spirometry::BreathPhase*>(*(*document)->phases)[2].firstSecondVolume =
      -std::numeric_limits<float>::infinity();
  TrackCursor(Point{60, 48 + 2 * 20}, 1, document);
  TrackCursor(Point{60, 48 + 2 * 50}, 1, document);
  vantor::SetService<vantor::service::HostHasCapability>(table, saved);
  const std::string texts = Texts(dataWindow);
  EXPECT_NE(texts.find("1: pos=0, exp, forced, dV=0.300L, FEV1=0.200L"), std::string::npos) << texts;
  EXPECT_NE(texts.find("2: pos=40, insp, dV=0.300L|"), std::string::npos) << texts;
}

TEST_F(Readout, AClickInTheLoopReadsItsPointWithoutACross) {
  TrackCursor(Point{80, 160}, 2, document);  // 10 pixels up and left of the origin
  EXPECT_EQ(XorLines(plotWindow), 0u);
  const auto p = LoadHandleRecord<spirometry::SpiroPlotWindowRecord>((*document)->windowRecords[1]);
  EXPECT_EQ(p.marker, (Point{80, 160}));
  EXPECT_NE(Texts(plotWindow).find("V 0.10F 0.10"), std::string::npos) << Texts(plotWindow);
  ClearMarkers(2, document);
  EXPECT_TRUE(Erased(plotWindow, p.common.headerRect));
}

}  // namespace
