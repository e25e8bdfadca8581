// Drawing pieces of the windows, asserted on the display list: report rows,
// the loop's trace with its arrows, the time axis and the forced bracket.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/port_fixture.h"
#include "spirometry/loop_trace.h"
#include "spirometry/tabbed_line.h"
#include "spirometry/time_axis.h"
#include "spirometry/trace_marks.h"
#include "toolbox/resource_test_support.h"

using namespace spiro;

namespace {

using toolbox::DrawKind;
using toolbox::DrawOp;

class Drawing : public PortTest {};

using Row = resource_test::PString;

int WidthOf(const DrawOp& op) {
  TextFont(op.state.textFont);
  TextSize(op.state.textSize);
  TextFace(op.state.textFace);
  return TextWidth(op.text.data(), 0, static_cast<SInt16>(op.text.size()));
}

TEST_F(Drawing, ATabOfZeroStillSpacesTheColumns) {
  DrawTabbedLine(Row("a\tb").get(), 3, 10, 40, 0, 1, 0);
  const auto texts = OpsOf(Drawn(), DrawKind::kText);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_GT(texts[1].from.h, texts[0].from.h);
}

struct Loop {
  std::vector<float> flow;
  std::vector<float> volume;
};

// A circle run once round, ending where it started.
Loop ClosedLoop(int count) {
  Loop loop;
  for (int i = 0; i <= count; ++i) {
    const double a = 2 * M_PI * i / count;
    loop.flow.push_back(static_cast<float>(0.5 * std::sin(a)));
    loop.volume.push_back(static_cast<float>(0.5 * std::cos(a)));
  }
  return loop;
}

std::vector<DrawOp> BlackStrokes(const toolbox::DisplayList& list) {
  return OpsWhere(list, [](const DrawOp& op) { return op.kind == DrawKind::kLine && op.state.foreColor == RGBColor{}; });
}

TEST_F(Drawing, AClosedLoopCarriesFiveArrowsPointingAlongIt) {
  const LoopMapping mapping{100, 150, 100, 100};
  const Rect plot{0, 0, 200, 300};
  for (int points : {200, 6}) {  // six points: segments longer than the arrow spacing
    toolbox::ClearDisplayList(port_);
    const Loop loop = ClosedLoop(points);
    DrawLoopTrace(loop.flow.data(), loop.volume.data(), static_cast<std::int32_t>(loop.flow.size()), mapping, plot,
                  1, true);
    const auto barbs = BlackStrokes(Drawn());
    ASSERT_EQ(barbs.size(), 10u) << points << " points";
    for (std::size_t i = 0; i < barbs.size(); i += 2) {
      // Both barbs start at the tip and point back against the direction of travel
      // (counter-clockwise on screen: at the tip, travel is perpendicular to the radius).
      const Point tip = barbs[i].from;
      EXPECT_EQ(barbs[i + 1].from, tip);
      const double rh = tip.h - 150.0;
      const double rv = tip.v - 100.0;
      const double travelH = -rv;  // h = 150 − 50 cos a, v = 100 − 50 sin a: d/da = (50 sin a, −50 cos a)
      const double travelV = rh;
      for (const DrawOp* barb : {&barbs[i], &barbs[i + 1]}) {
        const double back = (barb->to.h - tip.h) * travelH + (barb->to.v - tip.v) * travelV;
        EXPECT_LT(back, 0) << "barb at (" << tip.h << "," << tip.v << ")";
      }
    }
  }
}

vantor::BlockTimeFormat Seconds(double interval) {
  vantor::BlockTimeFormat format{};
  format.unitText[0] = 1;
  format.unitText[1] = 's';
  format.displayInterval = interval;
  format.samplingInterval = interval;
  format.displayPrecision = 2;
  return format;
}

// Ticks every nice step of seconds; a label that would run into the one
// before is skipped while its tick stays, and the unit titles the axis.
TEST_F(Drawing, TimeLabelsNeverOverlapButEveryTickIsDrawn) {
  for (double pixelsPerSample : {0.05, 0.5}) {
    toolbox::ClearDisplayList(port_);
    const TimeAxisLayout layout{pixelsPerSample, 20, Rect{10, 20, 150, 280}, 1, 1, 1};
    DrawTimeAxis(Seconds(0.01), 5000, layout);
    const auto strokes = OpsOf(Drawn(), DrawKind::kLine);
    auto texts = OpsOf(Drawn(), DrawKind::kText);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back().text, "s") << "the unit titles the axis";
    texts.pop_back();
    EXPECT_EQ(texts.front().text, "0") << "the first label is always drawn";
    for (std::size_t i = 1; i < texts.size(); ++i) {
      EXPECT_GT(texts[i].from.h, texts[i - 1].from.h + WidthOf(texts[i - 1])) << texts[i].text;
    }
    int ticks = 0;
    for (const DrawOp& stroke : strokes) ticks += stroke.from.v == 150 ? 1 : 0;
    EXPECT_GE(ticks, 8) << pixelsPerSample;
    EXPECT_LE(ticks, 40);
    if (pixelsPerSample < 0.1) {
      EXPECT_LT(texts.size(), static_cast<std::size_t>(ticks)) << "crowded: some labels left out";
    } else {
      EXPECT_EQ(texts.size(), static_cast<std::size_t>(ticks));
    }
    for (const DrawOp& stroke : strokes) EXPECT_LE(stroke.from.h, 20 + 5000 * pixelsPerSample);
  }
}

// A volume trace that falls by 3 over 100 samples of 0.01 s, then stays.
struct Trace {
  std::vector<float> samples;
  TracePlacement placement;
  Trace() {
    for (int i = 0; i < 200; ++i) samples.push_back(i < 100 ? 0.5f - 0.01f * static_cast<float>(i) : -0.5f);
    placement = TracePlacement{samples.data(), 200, 1.0, 20, -100.0, 100.0};
  }
};

TEST_F(Drawing, PeakTagsSitBesideTheirPeakAndNoPeakDrawsNone) {
  Trace trace;
  DrawPeakTag(trace.placement, -1, Row("PIF").get(), false, Rect{0, 0, 200, 300}, 1);
  DrawPeakTag(trace.placement, 200, Row("PIF").get(), false, Rect{0, 0, 200, 300}, 1);
  EXPECT_TRUE(Drawn().ops.empty());
  DrawPeakTag(trace.placement, 0, Row("PEF").get(), true, Rect{0, 0, 200, 300}, 1);
  const auto lines = OpsOf(Drawn(), DrawKind::kLine);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].from, (Point{50, 20}));
  EXPECT_EQ(lines[0].to, (Point{52, 20})) << "downwards for a tag below";
  const auto texts = OpsOf(Drawn(), DrawKind::kText);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_GE(texts[0].from.h, 0) << "pushed back inside the window";
  EXPECT_EQ(texts[0].from.v, 50 + 8);
}

TEST_F(Drawing, TheForcedBracketShowsFev1OnlyWhenComputed) {
  Trace trace;
  const Rect panel{10, 20, 190, 280};
  for (bool fev1 : {true, false}) {
    toolbox::ClearDisplayList(port_);
    DrawForcedBracket(trace.placement, ForcedExpiration{10, 150, fev1, 100}, panel, Row("FVC").get(),
                      Row("FEV1").get(), Rect{0, 0, 200, 300}, 1);
    const auto lines = OpsOf(Drawn(), DrawKind::kLine);
    ASSERT_EQ(lines.size(), fev1 ? 3u : 2u);
    EXPECT_EQ(lines[0].from, (Point{trace.placement.Y(150), 170}));
    EXPECT_EQ(lines[1].to, (Point{trace.placement.Y(10), 30})) << "down to the starting volume";
    EXPECT_EQ(lines[0].state.clip, panel);
    if (fev1) {
      EXPECT_EQ(lines[2].to, (Point{trace.placement.Y(110), 130})) << "one second in";
    }
    const auto texts = OpsOf(Drawn(), DrawKind::kText);
    ASSERT_EQ(texts.size(), fev1 ? 2u : 1u);
    EXPECT_EQ(texts.back().text, "FVC");
  }
  toolbox::ClearDisplayList(port_);
  DrawForcedBracket(trace.placement, ForcedExpiration{150, 199, true, 100}, panel, Row("FVC").get(),
                    Row("FEV1").get(), Rect{0, 0, 200, 300}, 1);
  EXPECT_EQ(OpsOf(Drawn(), DrawKind::kLine).size(), 2u) << "a first second past the samples is not read";
}

}  // namespace
