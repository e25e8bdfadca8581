// Clicks in the extension's windows: the flow-volume window's options pop-up
// and its two axes, asserted on the commands they file.
#include <cstring>
#include <sstream>

#include "support/service_spy.h"
#include "extension/spiro_window.h"
#include "extension/spiro_window_events.h"
#include "frame/host_services_scales.h"
#include "spiro_extension_fixture.h"
#include "toolbox/events.h"
#include "toolbox/menus.h"
#include "toolbox/script.h"
#include "util/pstring.h"

using namespace spiro;

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
    Plot().common.status = kAnalysisValid;
  }
  void TearDown() override {
    for (void* axis : {Plot().volumeAxis, Plot().flowAxis}) HostDisposeObject384(axis);
    Plot().volumeAxis = Plot().flowAxis = nullptr;
    toolbox::ClearScript();
    SpiroExtensionTest::TearDown();
  }
  // Live axes whose kept mappings are the ones they show.
  void MakeAxes() {
    const Rect volumeRect{200, 48, 240, 300};
    const Rect flowRect{20, 0, 200, 48};
    Plot().volumeAxis = HostNewScale(&volumeRect, 1.0, -1.0, 0, 0);
    Plot().flowAxis = HostNewScale(&flowRect, 1.0, -1.0, 1, 0);
    HostService404(Plot().volumeAxis, nullptr, nullptr, &Plot().volumeAxisOffset, &Plot().volumeAxisScale);
    HostService404(Plot().flowAxis, nullptr, nullptr, &Plot().flowAxisOffset, &Plot().flowAxisScale);
  }
  void Click(WindowRef window, Point point) {
    std::uint32_t where = 0;
    std::memcpy(&where, &point, sizeof where);
    const toolbox::ScopedMemoryOwner owner(kOwner);
    gRespiratoryExtension.ClickInWindow(window, 0, 0, where, &event_, local_);
  }
  Point InPopUp() {
    const Rect r = Plot().popUpRect;
    return Point{static_cast<SInt16>((r.top + r.bottom) / 2), static_cast<SInt16>((r.left + r.right) / 2)};
  }
  // "code first values" for each command filed, the code mapped back from its key.
  template <class... Values>
  void File(std::uint16_t key, std::int32_t first, Values... values) {
    std::ostringstream text;
    text.precision(17);
    for (std::uint16_t code = 0; code < 64; ++code) {
      if (gRespiratoryExtension.MapLocalId(code) == key) text << code;
    }
    text << ' ' << first;
    ((text << ' ' << values), ...);
    filed_.push_back(text.str());
  }

  EventRecord event_{mouseDown, 0, 0, Point{100, 100}, 0};
  std::vector<std::string> filed_;
  ServiceSpy<svc::HostSubmitCommandDoublePair> ranges_{
      [this](std::uint16_t k, std::int32_t i, double a, double b) { File(k, i, a, b); }};
  ServiceSpy<svc::HostSubmitCommandShort> channels_{
      [this](std::uint16_t k, std::int32_t i, std::int16_t v) { File(k, i, v); }};
  ServiceSpy<svc::HostSubmitCommandShortPairAlt> options_{
      [this](std::uint16_t k, std::int32_t i, std::int16_t a, std::int16_t b) { File(k, i, a, b); }};
};

struct PopUpCase {
  std::uint8_t option;
  std::int16_t chosen;  // 0: dismissed
  const char* filed;
};

class PopUpChoices : public WindowClicks, public ::testing::WithParamInterface<PopUpCase> {};

TEST_P(PopUpChoices, ItemOneSubmitsTheOptionTurnedOver) {
  const PopUpCase c = GetParam();
  ServiceSpy<svc::HostService37> icons;
  Plot().plotOption = c.option;
  if (c.chosen != 0) toolbox::PushScriptAction(toolbox::MenuChoiceAction(c.chosen));
  Click(WindowOfKind(local_, kPlotWindow), InPopUp());
  CharParameter mark = 0;
  GetItemMark(Plot().popUpMenu, 1, &mark);
  EXPECT_EQ(mark != 0, c.option != 0) << "item 1 is checked exactly when the option is set";
  EXPECT_EQ(GetMenuHandle(GetMenuID(Plot().popUpMenu)), nullptr) << "the menu is taken out again";
  ASSERT_EQ(icons.count(), 2u);
  EXPECT_EQ(std::get<0>(icons.calls()[0]), kPopUpIcon + 1);  // pressed, then normal
  EXPECT_EQ(std::get<0>(icons.calls()[1]), kPopUpIcon);
  EXPECT_EQ(filed_, std::vector<std::string>(*c.filed != 0 ? 1 : 0, c.filed));
}

INSTANTIATE_TEST_SUITE_P(Options, PopUpChoices,
                         ::testing::Values(PopUpCase{1, 1, "27 2 1 0"}, PopUpCase{0, 1, "27 2 1 1"},
                                           PopUpCase{1, 0, ""}));

// What each axis answers (service 386), and the one command the click files.
// The axes take clicks only while the loop can be read: never without a
// selection, and after a failed analysis only with both channels chosen.
struct AxisCase {
  const char* name;
  std::int16_t volumePart, flowPart;
  bool dragChangesRange;  // for a part below 0
  const char* filed;
  std::int16_t status = kAnalysisValid;
  std::int16_t flowChannel = 0, volumeChannel = 0;
};

class AxisClicks : public WindowClicks, public ::testing::WithParamInterface<AxisCase> {};

TEST_P(AxisClicks, FileTheAxisCommand) {
  const AxisCase c = GetParam();
  MakeAxes();
  Plot().common.status = c.status;
  Record().flowChannel = c.flowChannel;
  Record().volumeChannel = c.volumeChannel;
  std::vector<void*> asked;
  ServiceSpy<svc::HostService386> press([&](void* axis, void* event) -> std::int16_t {
    EXPECT_EQ(event, &event_) << "the host's event is passed on";
    asked.push_back(axis);
    const std::int16_t part = axis == Plot().volumeAxis ? c.volumePart : c.flowPart;
    if (part < 0 && c.dragChangesRange) HostScaleSetRange363(axis, 2.5, -0.5);
    return part;
  });
  Click(WindowOfKind(local_, kPlotWindow), Point{220, 100});
  const bool refused = c.status != kAnalysisValid && *c.filed == 0;
  EXPECT_EQ(asked.size(), refused ? 0u : c.volumePart == 0 ? 2u : 1u);
  EXPECT_TRUE(asked.empty() || asked.front() == Plot().volumeAxis) << "the volume axis is asked first";
  EXPECT_EQ(filed_, std::vector<std::string>(*c.filed != 0 ? 1 : 0, c.filed));
}

INSTANTIATE_TEST_SUITE_P(
    Parts, AxisClicks,
    ::testing::Values(AxisCase{"Dragged", -1, 0, true, "30 2 2.5 -0.5"},
                      AxisCase{"Typed", 1, 0, false, "30 2 1 -1"},
                      AxisCase{"DefaultRange", 2, 0, false, "30 2 0.9765625 -0.9765625"},
                      AxisCase{"ThirdChannel", 5, 0, false, "28 2 2"},
                      AxisCase{"FlowDragged", 0, -1, true, "29 2 2.5 -0.5"},
                      AxisCase{"FlowChannel", 0, 4, false, "28 1 1"},
                      AxisCase{"Missed", 0, 0, false, ""},
                      AxisCase{"NoSelection", 2, 0, false, "", kAnalysisNoSelection, 2, 3},
                      AxisCase{"FailedWithoutFlow", 2, 0, false, "", kAnalysisRefused, 0, 3},
                      AxisCase{"FailedWithBoth", 2, 0, false, "30 2 0.9765625 -0.9765625", kAnalysisRefused, 2, 3}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(WindowClicks, TheAxisChannelMenuMarksTheChosenChannel) {
  MakeAxes();
  MenuRef menu = NewMenu(8100, PStringLiteral("Channel").data());
  AppendMenu(menu, PStringLiteral("Auto;None;C1;C2;C3").data());
  Record().volumeMenu = menu;  // disposed with the record
  Record().volumeMenuOwnItems = 2;
  Record().volumeChannel = 2;
  CheckMenuItem(menu, 3, true);
  ServiceSpy<svc::HostService386> press([](void*, void*) -> std::int16_t { return 0; });
  Click(WindowOfKind(local_, kPlotWindow), Point{220, 100});
  for (MenuItemIndex item = 1; item <= 5; ++item) {
    CharParameter mark = 0;
    GetItemMark(menu, item, &mark);
    EXPECT_EQ(mark != 0, item == 4) << "item " << item;
  }
}

}  // namespace
