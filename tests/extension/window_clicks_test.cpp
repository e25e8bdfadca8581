// Clicks in the extension's windows: the flow-volume window's options pop-up
// and its two axes, asserted on the commands they file.
#include <cstring>

#include "extension/service_spy.h"
#include "extension/spiro_window.h"
#include "extension/spiro_window_events.h"
#include "frame/host_services_scales.h"
#include "spiro_extension_fixture.h"
#include "toolbox/events.h"
#include "toolbox/menus.h"
#include "toolbox/script.h"

namespace {

using namespace spirometry;
namespace svc = vantor::service;

class WindowClicks : public SpiroExtensionTest {
 protected:
  void SetUp() override {
    SpiroExtensionTest::SetUp();
    toolbox::ClearScript();
    ASSERT_NE(Open(), nullptr);
    PerformShorts(0, kPlotWindow, 1);
    ASSERT_NE(WindowOfKind(local_, kPlotWindow), nullptr);
  }
  void TearDown() override {
    for (void* axis : {Plot().volumeAxis, Plot().flowAxis}) {
      if (axis != nullptr) HostDisposeObject384(axis);
    }
    Plot().volumeAxis = Plot().flowAxis = nullptr;
    toolbox::ClearScript();
    SpiroExtensionTest::TearDown();
  }
  SpiroPlotWindowRecord& Plot() {
    return **reinterpret_cast<SpiroPlotWindowRecord**>(Record().windowRecords[kPlotWindow - 1]);
  }
  // A live axis whose kept mapping is the one it shows.
  void* MakeAxis(bool flow) {
    const Rect r = flow ? Rect{20, 0, 200, 48} : Rect{200, 48, 240, 300};
    void* axis = HostNewScale(&r, 1.0, -1.0, flow ? 1 : 0, 0);
    double offset = 0.0;
    double scale = 0.0;
    HostService404(axis, nullptr, nullptr, &offset, &scale);
    (flow ? Plot().flowAxisOffset : Plot().volumeAxisOffset) = offset;
    (flow ? Plot().flowAxisScale : Plot().volumeAxisScale) = scale;
    (flow ? Plot().flowAxis : Plot().volumeAxis) = axis;
    return axis;
  }
  void Click(WindowRef window, Point point) {
    std::uint32_t where = 0;
    std::memcpy(&where, &point, sizeof where);
    const toolbox::ScopedMemoryOwner owner(kOwner);
    gRespiratoryExtension.ClickInWindow(window, 0, 0, where, &event_, local_);
  }
  void ClickPlot(Point point) { Click(WindowOfKind(local_, kPlotWindow), point); }
  Point InPopUp() {
    const Rect r = Plot().popUpRect;
    return Point{static_cast<SInt16>((r.top + r.bottom) / 2), static_cast<SInt16>((r.left + r.right) / 2)};
  }

  EventRecord event_{mouseDown, 0, 0, Point{100, 100}, 0};
};

struct PopUpCase {
  std::uint8_t option;
  std::int16_t chosen;       // 0: dismissed
  bool submitted;
  std::int16_t submittedValue;
};

class PopUpChoices : public WindowClicks, public ::testing::WithParamInterface<PopUpCase> {};

TEST_P(PopUpChoices, ItemOneSubmitsTheOptionTurnedOver) {
  const PopUpCase c = GetParam();
  ServiceSpy<svc::HostSubmitCommandShortPairAlt> filed;
  ServiceSpy<svc::HostService37> icons;
  Plot().plotOption = c.option;
  if (c.chosen != 0) toolbox::PushScriptAction(toolbox::MenuChoiceAction(c.chosen));
  ClickPlot(InPopUp());
  CharParameter mark = 0;
  GetItemMark(Plot().popUpMenu, 1, &mark);
  EXPECT_EQ(mark != 0, c.option != 0) << "item 1 is checked exactly when the option is set";
  EXPECT_EQ(GetMenuHandle(GetMenuID(Plot().popUpMenu)), nullptr) << "the menu is taken out again";
  ASSERT_EQ(icons.count(), 2u);
  EXPECT_EQ(std::get<0>(icons.calls()[0]), kPopUpIcon + 1);  // pressed, then normal
  EXPECT_EQ(std::get<0>(icons.calls()[1]), kPopUpIcon);
  ASSERT_EQ(filed.count(), c.submitted ? 1u : 0u);
  if (c.submitted) {
    EXPECT_EQ(filed.last(), std::make_tuple(static_cast<std::uint16_t>(gRespiratoryExtension.MapLocalId(27)),
                                            std::int32_t{kPlotWindow}, std::int16_t{1}, c.submittedValue));
  }
}

INSTANTIATE_TEST_SUITE_P(Options, PopUpChoices,
                         ::testing::Values(PopUpCase{1, 1, true, 0}, PopUpCase{0, 1, true, 1},
                                           PopUpCase{1, 0, false, 0}));

// What the volume axis answers, and the command the click files.
struct AxisCase {
  const char* name;
  std::int16_t part;      // service 386's answer
  bool dragChangesRange;  // for a part below 0
  std::uint16_t code;     // 0: nothing filed
  double upper, lower;    // range commands
  std::int16_t channel;   // command 28
};

class AxisClicks : public WindowClicks, public ::testing::WithParamInterface<AxisCase> {};

TEST_P(AxisClicks, FileTheVolumeAxisCommand) {
  const AxisCase c = GetParam();
  void* axis = MakeAxis(false);
  MakeAxis(true);
  Plot().common.status = kAnalysisValid;
  ServiceSpy<svc::HostService386> press([&](void* scale, void*) -> std::int16_t {
    if (scale != axis) return 0;
    if (c.dragChangesRange) HostScaleSetRange363(scale, 2.5, -0.5);
    return c.part;
  });
  ServiceSpy<svc::HostSubmitCommandDoublePair> ranges;
  ServiceSpy<svc::HostSubmitCommandShort> channels;
  ClickPlot(Point{220, 100});
  EXPECT_EQ(std::get<1>(press.calls().front()), &event_) << "the host's event is passed on";
  EXPECT_EQ(press.count(), 1u) << "the flow axis is asked only when the volume axis is missed";
  const auto key = static_cast<std::uint16_t>(gRespiratoryExtension.MapLocalId(c.code));
  if (c.code == 30) {
    ASSERT_EQ(ranges.count(), 1u);
    EXPECT_EQ(ranges.last(), std::make_tuple(key, std::int32_t{kPlotWindow}, c.upper, c.lower));
  } else {
    EXPECT_EQ(ranges.count(), 0u);
  }
  if (c.code == 28) {
    ASSERT_EQ(channels.count(), 1u);
    EXPECT_EQ(channels.last(), std::make_tuple(key, std::int32_t{2}, c.channel));
  } else {
    EXPECT_EQ(channels.count(), 0u);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Parts, AxisClicks,
    ::testing::Values(AxisCase{"Dragged", -1, true, 30, 2.5, -0.5, 0},
                      AxisCase{"DraggedNowhere", -1, false, 0, 0, 0, 0},
                      AxisCase{"Typed", 1, false, 30, 1.0, -1.0, 0},
                      AxisCase{"DefaultRange", 2, false, 30, 0.9765625, -0.9765625, 0},
                      AxisCase{"FirstChannel", 3, false, 28, 0, 0, 0},
                      AxisCase{"ThirdChannel", 5, false, 28, 0, 0, 2}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(WindowClicks, AClickMissingTheVolumeAxisGoesToTheFlowAxis) {
  MakeAxis(false);
  void* flow = MakeAxis(true);
  Plot().common.status = kAnalysisValid;
  std::int16_t flowPart = 2;
  ServiceSpy<svc::HostService386> press(
      [&](void* scale, void*) -> std::int16_t { return scale == flow ? flowPart : 0; });
  ServiceSpy<svc::HostSubmitCommandDoublePair> ranges;
  ServiceSpy<svc::HostSubmitCommandShort> channels;
  ClickPlot(Point{100, 20});
  ASSERT_EQ(ranges.count(), 1u);
  EXPECT_EQ(std::get<0>(ranges.last()), gRespiratoryExtension.MapLocalId(29));
  EXPECT_EQ(std::get<2>(ranges.last()), 0.9765625);

  flowPart = 4;
  ClickPlot(Point{100, 20});
  ASSERT_EQ(channels.count(), 1u);
  EXPECT_EQ(channels.last(), std::make_tuple(static_cast<std::uint16_t>(gRespiratoryExtension.MapLocalId(28)),
                                             std::int32_t{1}, std::int16_t{1}));
}

// The axes take clicks only while the loop can be read: never without a
// selection, and after a failed analysis only with both channels chosen.
struct StatusCase {
  std::int16_t status;
  std::int16_t flowChannel, volumeChannel;
  bool asked;
};

class AxisRefusals : public WindowClicks, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(AxisRefusals, FollowTheStatus) {
  const StatusCase c = GetParam();
  MakeAxis(false);
  Plot().common.status = c.status;
  Record().flowChannel = c.flowChannel;
  Record().volumeChannel = c.volumeChannel;
  ServiceSpy<svc::HostService386> press([](void*, void*) -> std::int16_t { return 2; });
  ServiceSpy<svc::HostSubmitCommandDoublePair> ranges;
  ClickPlot(Point{220, 100});
  EXPECT_EQ(press.count(), c.asked ? 1u : 0u);
  EXPECT_EQ(ranges.count(), c.asked ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Statuses, AxisRefusals,
                         ::testing::Values(StatusCase{kAnalysisNoSelection, 2, 3, false},
                                           StatusCase{kAnalysisRefused, 0, 3, false},
                                           StatusCase{kAnalysisRefused, 2, 0, false},
                                           StatusCase{kAnalysisRefused, 2, 3, true},
                                           StatusCase{kAnalysisValid, 0, 0, true}));

TEST_F(WindowClicks, TheAxisChannelMenuMarksTheChosenChannel) {
  MakeAxis(false);
  Plot().common.status = kAnalysisValid;
  MenuRef menu = NewMenu(8100, reinterpret_cast<const unsigned char*>("\x07" "Channel"));
  for (const char* item : {"\x04" "Auto", "\x04" "None", "\x02" "C1", "\x02" "C2", "\x02" "C3"}) {
    AppendMenu(menu, reinterpret_cast<const unsigned char*>(item));
  }
  Record().volumeMenu = menu;  // disposed with the record
  Record().volumeMenuOwnItems = 2;
  Record().volumeChannel = 2;
  CheckMenuItem(menu, 3, true);
  ServiceSpy<svc::HostService386> press([](void*, void*) -> std::int16_t { return 0; });
  ClickPlot(Point{220, 100});
  for (MenuItemIndex item = 1; item <= 5; ++item) {
    CharParameter mark = 0;
    GetItemMark(menu, item, &mark);
    EXPECT_EQ(mark != 0, item == 4) << "item " << item;
  }
}

TEST_F(WindowClicks, OtherWindowsAndOtherExtensionsWindowsTakeNoClicks) {
  MakeAxis(false);
  Plot().common.status = kAnalysisValid;
  PerformShorts(0, kDataWindow, 1);
  PerformShorts(0, kReportWindow, 1);
  ServiceSpy<svc::HostService386> press([](void*, void*) -> std::int16_t { return 2; });
  ServiceSpy<svc::HostSubmitCommandShortPairAlt> options;
  toolbox::PushScriptAction(toolbox::MenuChoiceAction(1));
  for (const std::int16_t kind : {kDataWindow, kReportWindow}) Click(WindowOfKind(local_, kind), InPopUp());
  Click(nullptr, InPopUp());
  EXPECT_EQ(press.count(), 0u);
  EXPECT_EQ(options.count(), 0u);
  EXPECT_EQ(toolbox::PendingScriptActions(), 1u);
}

}  // namespace
