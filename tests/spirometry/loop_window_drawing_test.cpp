// The "Flow-Volume Plot" drawn from a hand-made analysis: its orientation,
// its arrows, the channel menus' headings added once, and what a failed
// analysis leaves on the axes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "extension/port_fixture.h"
#include "extension/scaling_fixtures.h"
#include "spirometry/hand_made_analysis.h"
#include "frame/host_services_memory.h"
#include "frame/host_services_scales.h"
#include "spirometry/loop_window_drawing.h"
#include "toolbox/menus.h"

using namespace spiro;

namespace {

using spirometry::LocalDataType;
using spirometry::SpiroPlotWindowRecord;
using toolbox::DrawKind;

struct LoopWindow : PortTest {
  void SetUp() override {
    PortTest::SetUp();
    // One breath out and in: volume falls while flow is negative.
    hand_made::TraceLoop(data, 201, 2 * M_PI / 200, -0.4, 0.2);
    data.flowScaling = data.volumeScaling = CalibratedScaling(1.0, 10.0, 0.0);
    data.axisFont = 21;
    data.reportFont = 1;
    for (MenuRef* menu : {&data.volumeMenu, &data.flowMenu}) {
      *menu = NewMenu(8100, reinterpret_cast<const unsigned char*>("\x07" "Channel"));
      for (const char* item : {"\x07" "Channels", "\x04" "Flow", "\x06" "Volume"}) {
        AppendMenu(*menu, reinterpret_cast<const unsigned char*>(item));
      }
    }
    data.volumeMenuOwnItems = 1;
    data.flowMenuOwnItems = 1;
    window.redraw = 1;
    window.plotOption = 1;
  }
  void TearDown() override {
    for (void* axis : {window.flowAxis, window.volumeAxis}) {
      if (axis != nullptr) HostDisposeObject384(axis);
    }
    DisposeMenu(data.volumeMenu);
    DisposeMenu(data.flowMenu);
    HostDisposeHandle(data.flowSamples);
    HostDisposeHandle(data.volumeSamples);
    PortTest::TearDown();
  }
  void Draw() { DrawFlowVolumeLoop(Rect{0, 0, 200, 300}, true, 1, window, data); }
  std::size_t BlackStrokes() const {
    return OpsWhere(Drawn(), [this](const toolbox::DrawOp& op) {
             return op.kind == DrawKind::kLine && op.state.clip == window.common.plotRect && op.state.foreColor == RGBColor{};
           }).size();
  }
  LocalDataType data{};
  SpiroPlotWindowRecord window{};
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

  toolbox::ClearDisplayList(port_);
  window.plotOption = 0;
  Draw();
  EXPECT_EQ(BlackStrokes(), 0u);
}

TEST_F(LoopWindow, WithoutAVolumeChannelOnlyTheMessageIsShown) {
  window.common.status = 3;
  data.volumeChannel = 0;
  Draw();
  EXPECT_EQ(window.volumeAxis, nullptr);
  for (const toolbox::DrawOp& op : Drawn().ops) EXPECT_NE(op.kind, DrawKind::kLine);
}

TEST_F(LoopWindow, TheChannelMenusGainTheirHeadingsOnce) {
  Draw();
  Draw();
  for (MenuRef menu : {data.volumeMenu, data.flowMenu}) EXPECT_EQ(CountMenuItems(menu), 5);
  EXPECT_EQ(data.volumeMenuOwnItems, 3) << "item 3 + c names channel c";
  EXPECT_EQ(data.flowMenuOwnItems, 3);
}

// After a failure the axes show no labels; once the analysis succeeds and
// the axes are refitted they are labelled again.
TEST_F(LoopWindow, AxesAreLabelledAgainAfterAFailure) {
  window.common.status = 3;
  Draw();
  auto labels = [&] {
    return OpsWhere(Drawn(), [](const toolbox::DrawOp& op) { return op.kind == DrawKind::kText && std::isdigit(op.text[0]); }).size();
  };
  EXPECT_EQ(labels(), 0u);
  toolbox::ClearDisplayList(port_);
  window.common.status = 0;
  window.redraw = 1;
  Draw();
  EXPECT_GT(labels(), 4u);
}

}  // namespace
