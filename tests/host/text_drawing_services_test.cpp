// A label in a rectangle (31) on a port of the test's own: clipped to it and
// cut with an ellipsis, read from the display list (text at points, columns
// and wrapped text are drawn by the bundle's readouts, report and plots).
#include <gtest/gtest.h>

#include "drawing_test_port.h"
#include "service_call.h"
#include "toolbox/resource_test_support.h"

namespace {

using namespace vantor::service;
using testext::Call;
using resource_test::PString;
using resource_test::TextOf;
using toolbox::DrawKind;

struct TextServices : testext::DrawingTest {
  int Width(std::string_view text) { return StringWidth(PString(text).get()); }
  int MiddleBaseline(int y) {
    FontInfo info{};
    GetFontInfo(&info);
    return y + (info.ascent - info.descent) / 2;
  }
  toolbox::DrawOp OnlyText() {
    const auto texts = OpsOf(DrawKind::kText);
    EXPECT_EQ(texts.size(), 1u);
    return texts.empty() ? toolbox::DrawOp{} : texts.front();
  }
};

TEST_F(TextServices, TextAtAPointIsPlacedByJustificationAroundItsMiddle) {
  const PString text("12.5");
  const int w = Width("12.5");
  for (const auto& [justify, left] : {std::pair{0, 100}, std::pair{1, 100 - w / 2}, std::pair{-1, 100 - w}}) {
    ClearDisplayList();
    Call<HostService169>(text.get(), std::int16_t{100}, std::int16_t{50},
                         static_cast<std::int16_t>(justify));
    const toolbox::DrawOp op = OnlyText();
    EXPECT_EQ(op.text, "12.5");
    EXPECT_EQ(op.from.h, left) << "justification " << justify;
    EXPECT_EQ(op.from.v, MiddleBaseline(50));
  }
}

TEST_F(TextServices, ColumnsStartOrEndAtXOnTheBaseline) {
  const PString text("Peak flow");
  Call<HostService345>(text.get(), std::int16_t{30}, std::int16_t{40},
                       std::int16_t{0});
  EXPECT_EQ(OnlyText().from, (Point{40, 30}));
  ClearDisplayList();
  Call<HostService345>(text.get(), std::int16_t{300}, std::int16_t{40},
                       std::int16_t{-1});
  EXPECT_EQ(OnlyText().from, (Point{40, static_cast<std::int16_t>(300 - Width("Peak flow"))}));
}

TEST_F(TextServices, ALabelInARectangleIsClippedToItAndCutWhenAsked) {
  ClipRect(&port()->portRect);
  const Rect label{100, 10, 114, 60};
  const PString text("3: pos=1200, exp, forced, dV=3.120L");
  Call<HostService31>(text.get(), &label, std::int16_t{32});
  const toolbox::DrawOp cut = OnlyText();
  EXPECT_EQ(cut.state.clip, label);
  EXPECT_EQ(cut.from.h, 10);
  EXPECT_EQ(cut.from.v, MiddleBaseline(107));
  ASSERT_FALSE(cut.text.empty());
  EXPECT_EQ(static_cast<unsigned char>(cut.text.back()), 0xC9) << "ends with an ellipsis";
  EXPECT_LE(Width(cut.text), 50);
  EXPECT_EQ(port()->clipRect, port()->portRect) << "the caller's clip comes back";

  ClearDisplayList();
  Call<HostService31>(text.get(), &label, std::int16_t{0});
  EXPECT_EQ(OnlyText().text, TextOf(text.get())) << "without option 32 the text is only clipped";
}

}  // namespace
