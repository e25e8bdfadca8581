// Axes: the pixel mapping that 404 reports, labels in channel units placed
// where that mapping puts their values, and the drags and title-menu choices
// that 386 answers from the script.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "drawing_test_port.h"
#include "extension/scaling_fixtures.h"
#include "service_call.h"
#include "toolbox/events.h"
#include "toolbox/menus.h"
#include "toolbox/resource_test_support.h"
#include "toolbox/script.h"
#include "vantor/records.h"

namespace {

using namespace vantor::service;
using testext::Call;
using toolbox::DrawKind;

struct Mapping {
  double upper = 0, lower = 0, offset = 0, scale = 0;
  double Pixel(double raw) const { return raw * scale + offset; }
};

vantor::ChannelScaling Litres(double gain) {
  vantor::ChannelScaling scaling = CalibratedScaling(1.0, gain, 0.0);
  toolbox::StorePascal(scaling.unitText, "L");
  return scaling;
}

struct ScaleServices : testext::DrawingTest {
  void TearDown() override {
    if (axis != nullptr) Call<HostDisposeObject384>(axis);
    toolbox::ClearScript();
    DrawingTest::TearDown();
  }
  void Make(const Rect& rect, bool vertical) {
    axis = Call<HostNewScale>(&rect, 0.9765625, -0.9765625, std::int16_t{vertical}, std::int16_t{vertical});
    ASSERT_NE(axis, nullptr);
    Call<HostScaleSet375>(axis, &rect, std::int16_t{vertical}, std::int16_t{14});
  }
  Mapping Read() {
    Mapping m;
    Call<HostService404>(axis, &m.upper, &m.lower, &m.offset, &m.scale);
    return m;
  }
  std::int16_t Press(Point local) {
    EventRecord event{};
    event.what = mouseDown;
    event.where = local;  // the test port lies at the global origin
    return Call<HostService386>(axis, static_cast<void*>(&event));
  }
  void* axis = nullptr;
};

TEST_F(ScaleServices, MapTheRangeOntoTheRectangleEdgesAndRefuseEmptyRanges) {
  Make(Rect{10, 3, 110, 45}, true);
  Mapping m = Read();
  EXPECT_DOUBLE_EQ(m.offset, 60.0) << "the bundle assumes the middle before the first read-back";
  EXPECT_DOUBLE_EQ(m.Pixel(0.9765625), 10.0) << "upper at the top";
  EXPECT_DOUBLE_EQ(m.Pixel(-0.9765625), 110.0);
  Call<HostScaleSetRange363>(axis, 0.1, 0.1);
  m = Read();
  EXPECT_GT(m.upper, m.lower) << "an empty range is widened, never a division by zero";
  Call<HostService404>(axis, nullptr, nullptr, nullptr, nullptr);
  int notAnAxis = 0;
  Call<HostScaleSetRange363>(static_cast<void*>(&notAnAxis), 1.0, 0.0);
  EXPECT_EQ(notAnAxis, 0) << "an address that is not an axis is left alone";
}

// Labels read the units of the value their tick marks, on both orientations
// and for the loop's negated volume conversion.
class ScaleLabels : public ScaleServices, public ::testing::WithParamInterface<std::tuple<bool, double>> {};

TEST_P(ScaleLabels, SitAtThePixelOfTheirValue) {
  const auto [vertical, gain] = GetParam();
  Make(vertical ? Rect{10, 3, 210, 45} : Rect{220, 50, 252, 350}, vertical);
  const vantor::ChannelScaling litres = Litres(gain);
  Call<HostScaleSet379>(axis, &litres);
  Call<HostScaleSetRange363>(axis, 0.5, -0.5);
  Call<HostScaleSet380>(axis, resource_test::PString("Volume").get());
  ClearDisplayList();
  Call<HostScaleDraw385>(axis, true);

  const Mapping m = Read();
  int labels = 0;
  std::string title;
  for (const toolbox::DrawOp& op : OpsOf(DrawKind::kText)) {
    char* end = nullptr;
    const double units = std::strtod(op.text.c_str(), &end);
    if (end == op.text.c_str() || *end != '\0') {
      title += op.text;
      continue;
    }
    ++labels;
    const double expected = m.Pixel(units / gain);
    const int width = TextWidth(op.text.data(), 0, static_cast<SInt16>(op.text.size()));
    const double centre = vertical ? op.from.v - 3 : op.from.h + width / 2.0;
    EXPECT_NEAR(centre, expected, 4.0) << op.text;
  }
  EXPECT_GE(labels, 3);
  EXPECT_NE(title.find("(L)"), std::string::npos) << "the title carries the unit: " << title;
}

INSTANTIATE_TEST_SUITE_P(Orientations, ScaleLabels,
                         ::testing::Combine(::testing::Bool(), ::testing::Values(4.0, -4.0)));

TEST_F(ScaleServices, DragsMoveOrStretchTheRangeUnderThePointer) {
  Make(Rect{0, 0, 200, 40}, true);
  const Mapping before = Read();
  EXPECT_EQ(Press(Point{100, 20}), -1) << "no drag in the script: tracked, nothing changed";
  EXPECT_EQ(Read().offset, before.offset);

  toolbox::PushScriptAction(toolbox::DragTargetAction(20, 120));  // h 20, v 120
  EXPECT_EQ(Press(Point{100, 20}), -1);
  Mapping m = Read();
  EXPECT_DOUBLE_EQ(m.scale, before.scale) << "the middle pans";
  EXPECT_DOUBLE_EQ(m.Pixel(0.0), 120.0) << "the value pressed follows the pointer";

  toolbox::PushScriptAction(toolbox::DragTargetAction(20, 10));
  const double pressed = (20 - m.offset) / m.scale;
  EXPECT_EQ(Press(Point{20, 20}), -1);
  const Mapping stretched = Read();
  EXPECT_DOUBLE_EQ(stretched.lower, m.lower) << "the far end stays";
  EXPECT_NEAR(stretched.Pixel(pressed), 10.0, 1e-9);
  EXPECT_EQ(Press(Point{250, 20}), 0) << "not on the axis";
}

TEST_F(ScaleServices, TheTitleMenuAnswersItsItems) {
  Make(Rect{0, 0, 200, 40}, true);
  MenuRef menu = NewMenu(300, resource_test::PString("Channels").get());
  for (const char* item : {"Set Range", "Default", "-", "Flow", "Volume"}) {
    AppendMenu(menu, resource_test::PString(item).get());
  }
  Call<HostScaleSet368>(axis, static_cast<void*>(menu), std::int16_t{1});
  const vantor::ChannelScaling litres = Litres(2.0);
  Call<HostScaleSet379>(axis, &litres);
  const Point title{100, 5};
  EXPECT_EQ(Call<HostService387>(title, axis), 2);
  EXPECT_EQ(Call<HostService387>(Point{100, 30}, axis), 1);

  toolbox::PushScriptAction(toolbox::MenuChoiceAction(5));
  EXPECT_EQ(Press(title), 5) << "channel items come back as their item number";
  toolbox::PushScriptAction(toolbox::MenuChoiceAction(0));
  EXPECT_EQ(Press(title), -1) << "dismissed";

  Call<HostScaleSetRange363>(axis, 0.25, 0.0);
  toolbox::PushScriptAction(toolbox::MenuChoiceAction(2));
  EXPECT_EQ(Press(title), 2);
  EXPECT_EQ(Read().upper, 0.9765625) << "back to the default range";

  toolbox::PushScriptAction(toolbox::MenuChoiceAction(1));
  toolbox::PushScriptAction(toolbox::TypeTextAction(1, "1.5"));
  toolbox::PushScriptAction(toolbox::TypeTextAction(2, "-0,5"));
  EXPECT_EQ(Press(title), 1);
  double first = 0, second = 0;
  Call<HostService367>(axis, std::int16_t{2}, &first, &second);
  EXPECT_DOUBLE_EQ(first, 0.75) << "typed in litres, kept raw";
  EXPECT_DOUBLE_EQ(second, -0.25);

  Call<HostSetFlagBits>(axis, std::int32_t{1024}, true);
  EXPECT_EQ(Call<HostService387>(title, axis), 0) << "an axis drawn for output has no parts";
  Call<HostDisposeObject384>(axis);
  axis = nullptr;
  DisposeMenu(menu);
}

}  // namespace
