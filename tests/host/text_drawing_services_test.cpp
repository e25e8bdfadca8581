// Text services (31, 169, 346) on a port of the test's own: where text lands
// and what is cut, read from the display list (columns and plot labels are
// checked on the bundle's report and plots).
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

TEST_F(TextServices, WrappedTextFillsTheRectangleLineByLine) {
  const Rect header{0, 0, 40, 120};
  const PString text("Flow 1.234 L/s Volume 0.567 L");
  Call<HostService346>(text.get(), &header, std::int16_t{1});
  ASSERT_FALSE(ops().empty());
  EXPECT_EQ(ops().front().kind, DrawKind::kEraseRect);
  const auto lines = OpsOf(DrawKind::kText);
  ASSERT_GE(lines.size(), 2u) << "too wide for one line of 120 pixels";
  std::string joined;
  for (const toolbox::DrawOp& line : lines) {
    EXPECT_LE(Width(line.text), 120);
    EXPECT_EQ(line.state.clip, header);
    joined += line.text;
  }
  EXPECT_NE(joined.find("Volume"), std::string::npos) << "every word is drawn";
}

}  // namespace
