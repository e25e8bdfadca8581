// Services that draw into the current port (a port of the test's own, read from
// its display list): rectangles, text, icons, text-box buffers, placed pictures
// and axes, whose drags and title menus answer from the script.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "support/scaling_fixtures.h"
#include "host/output_requests.h"
#include "service_call.h"
#include "toolbox/compiled_resources.h"
#include "toolbox/display_list.h"
#include "toolbox/events.h"
#include "toolbox/memory.h"
#include "toolbox/menus.h"
#include "toolbox/quickdraw.h"
#include "toolbox/script.h"
#include "vantor/byte_access.h"
#include "vantor/records.h"

namespace {

using namespace vantor::service;
using testext::Call;
using testext::PString;
using testext::TextOf;
using toolbox::DrawKind;

// A port of the test's own, current for the test, whose display list tests read.
class DrawingServices : public ::testing::Test {
 protected:
  void SetUp() override {
    port_ = std::make_unique<GrafPort>();
    port_->portRect = Rect{0, 0, 300, 400};
    port_->visRect = port_->portRect;
    SetPort(port_.get());
    TextFont(1);
    TextSize(12);
  }
  void TearDown() override { SetPort(nullptr); }

  GrafPtr port() { return port_.get(); }
  void ClearDisplayList() { toolbox::ClearDisplayList(port_.get()); }
  const std::vector<toolbox::DrawOp>& ops() const { return port_->displayList.ops; }
  std::vector<toolbox::DrawOp> OpsOf(toolbox::DrawKind kind) const {
    std::vector<toolbox::DrawOp> found;
    for (const toolbox::DrawOp& op : ops()) {
      if (op.kind == kind) found.push_back(op);
    }
    return found;
  }
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

 private:
  std::unique_ptr<GrafPort> port_;
};

TEST_F(DrawingServices, ScalingARectangleSaturatesInsteadOfWrapping) {
  const std::tuple<Rect, std::int16_t, Rect> cases[] = {{{10, 20, 110, 220}, 4, {40, 80, 440, 880}},
                                                        {{-20000, 0, 20000, 16384}, 2, {-32768, 0, 32767, 32767}},
                                                        {{1, 2, 3, 4}, 0, {1, 2, 3, 4}}};
  for (auto [rect, scale, expected] : cases) {
    Call<HostService171>(&rect, scale);
    EXPECT_EQ(rect, expected) << scale;
  }
}

TEST_F(DrawingServices, PreparingARectangleErasesOrShadesAndRestoresThePen) {
  Rect label{10, 10, 24, 200};
  Call<HostService74>(&label, std::int16_t{-6}, std::int16_t{1});
  ASSERT_EQ(ops().size(), 1u);
  EXPECT_EQ(ops()[0].kind, DrawKind::kEraseRect);
  EXPECT_EQ(ops()[0].rect, label);

  PenSize(3, 3);
  PenMode(patXor);
  const RGBColor blue{0, 0, 0xFFFF};
  RGBForeColor(&blue);
  Rect strip{30, 40, 36, 90};
  Call<HostService74>(&strip, std::int16_t{-11}, std::int16_t{1});
  Call<HostService74>(&strip, std::int16_t{-11}, std::int16_t{0});
  ASSERT_EQ(ops().size(), 2u) << "draw 0 draws nothing";
  EXPECT_EQ(ops()[1].kind, DrawKind::kPaintRect);
  EXPECT_EQ(ops()[1].rect, strip);
  EXPECT_EQ(ops()[1].state.penMode, patCopy) << "shaded with the normal pen, not the caller's XOR";
  EXPECT_NE(ops()[1].state.foreColor, blue);
  EXPECT_EQ(strip, (Rect{30, 40, 36, 90})) << "the rectangle is not adjusted";
  EXPECT_EQ(port()->pnMode, patXor);
  EXPECT_EQ(port()->pnSize, (Point{3, 3}));
  EXPECT_EQ(port()->rgbFgColor, blue);
}

TEST_F(DrawingServices, TextAtAPointIsPlacedByJustificationAroundItsMiddleAndColumnsByTheirEnd) {
  const PString text("12.5");
  const int w = Width("12.5");
  for (const auto& [justify, left] : {std::pair{0, 100}, std::pair{1, 100 - w / 2}, std::pair{-1, 100 - w}}) {
    ClearDisplayList();
    Call<HostService169>(text.get(), std::int16_t{100}, std::int16_t{50}, static_cast<std::int16_t>(justify));
    const toolbox::DrawOp op = OnlyText();
    EXPECT_EQ(op.text, "12.5");
    EXPECT_EQ(op.from, (Point{static_cast<std::int16_t>(MiddleBaseline(50)), static_cast<std::int16_t>(left)}))
        << "justification " << justify;
  }
  for (const auto& [x, direction, left] : {std::tuple{30, 0, 30}, std::tuple{300, -1, 300 - Width("12.5")}}) {
    ClearDisplayList();
    Call<HostService345>(text.get(), static_cast<std::int16_t>(x), std::int16_t{40},
                         static_cast<std::int16_t>(direction));
    EXPECT_EQ(OnlyText().from, (Point{40, static_cast<std::int16_t>(left)})) << "a column on the baseline";
  }
}

TEST_F(DrawingServices, ALabelInARectangleIsClippedToItAndCutWhenAsked) {
  ClipRect(&port()->portRect);
  const Rect label{100, 10, 114, 60};
  const PString text("3: pos=1200, exp, forced, dV=3.120L");
  Call<HostService31>(text.get(), &label, std::int16_t{32});
  const toolbox::DrawOp cut = OnlyText();
  EXPECT_EQ(cut.state.clip, label);
  EXPECT_EQ(cut.from, (Point{static_cast<std::int16_t>(MiddleBaseline(107)), 10}));
  ASSERT_FALSE(cut.text.empty());
  EXPECT_EQ(static_cast<unsigned char>(cut.text.back()), 0xC9) << "ends with an ellipsis";
  EXPECT_LE(Width(cut.text), 50);
  EXPECT_EQ(port()->clipRect, port()->portRect) << "the caller's clip comes back";

  ClearDisplayList();
  Call<HostService31>(text.get(), &label, std::int16_t{0});
  EXPECT_EQ(OnlyText().text, TextOf(text.get())) << "without option 32 the text is only clipped";
}

TEST_F(DrawingServices, ColourAndOneBitIconsAreMaskedAndCentredAndAMissingOneFramed) {
  // 'ics#': image bit at pixel 0 only; mask over every row but the last.
  std::vector<unsigned char> mono(64, 0);
  mono[0] = 0x80;
  std::fill(mono.begin() + 32, mono.begin() + 62, 0xFF);
  // 'ics8': white but pixel 1 black (255) and pixel 2 the first red (215).
  std::vector<unsigned char> color(256, 0);
  color[1] = 255;
  color[2] = 215;
  toolbox_test::RawResources resources;
  resources.Add(FourCharCode("ics#"), 8100, mono);
  resources.Add(FourCharCode("ics8"), 8100, color);
  resources.Add(FourCharCode("ics#"), 8101, mono);
  const std::pair<std::int16_t, Rect> icons[] = {
      {8100, {10, 10, 30, 30}}, {8101, {0, 0, 16, 16}}, {8199, {40, 40, 56, 56}}};
  for (const auto& [id, rect] : icons) {
    Call<HostService37>(id, &rect, std::int16_t{16}, std::int16_t{16}, std::int16_t{0}, std::int16_t{1},
                        std::int16_t{0});
  }
  const auto images = OpsOf(DrawKind::kImage);
  ASSERT_EQ(images.size(), 2u);
  const toolbox::DrawOp& icon = images.front();
  EXPECT_EQ(icon.rect, (Rect{12, 12, 28, 28}));
  ASSERT_EQ(icon.imagePixels.size(), 256u);
  EXPECT_EQ(icon.imagePixels[0], 0xFFFFFFFFu) << "index 0 of the system table is white";
  EXPECT_EQ(icon.imagePixels[1], 0xFF000000u);
  EXPECT_EQ(icon.imagePixels[2], 0xFFEE0000u);
  EXPECT_EQ(icon.imagePixels[255], 0u) << "outside the mask: transparent";
  EXPECT_EQ(images.back().imagePixels[0], 0xFF000000u) << "one bit: black";
  EXPECT_EQ(images.back().imagePixels[1], 0xFFFFFFFFu);
  const auto frames = OpsOf(DrawKind::kFrameRect);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames.front().rect, (Rect{40, 40, 56, 56}));
}

// The extension's text box: the first 34 bytes of 45's record, then its own fields.
struct TextBuffer {
  explicit TextBuffer(const Rect& bounds) {
    unsigned char record[vantor::kTextBufferRecordBytes];
    Call<HostService45>(record, &bounds, std::int16_t{1}, std::int16_t{0});
    std::memcpy(box, record, 34);
  }
  std::uint32_t Reference() const { return vantor::LoadAt<std::uint32_t>(box, 30); }
  void* Box() { return static_cast<void*>(box); }
  unsigned char box[64]{};
};

GrafPtr CurrentPort() {
  GrafPtr current = nullptr;
  GetPort(&current);
  return current;
}

TEST_F(DrawingServices, TextBufferDrawingIsShownInTheBox) {
  const Rect bufferRect{0, 0, 13, 200};
  TextBuffer buffer(bufferRect);
  ASSERT_NE(buffer.Reference(), 0u);
  Call<HostService50>(buffer.Box());
  EXPECT_NE(CurrentPort(), port()) << "the buffer is current";
  MoveTo(5, 10);
  DrawString(PString("Flow 1.2").get());
  Call<HostService51>(buffer.Box());
  EXPECT_EQ(CurrentPort(), port());
  EXPECT_TRUE(ops().empty()) << "nothing reaches the window before it is shown";

  const Rect boxRect{20, 30, 33, 230};
  Call<HostService54>(buffer.Box(), &bufferRect, &boxRect, std::int16_t{0});
  ASSERT_FALSE(ops().empty());
  EXPECT_EQ(ops().front().kind, DrawKind::kEraseRect);
  EXPECT_EQ(ops().front().rect, boxRect);
  const toolbox::DrawOp text = OnlyText();
  EXPECT_EQ(text.text, "Flow 1.2");
  EXPECT_EQ(text.from, (Point{30, 35})) << "moved from the buffer to the box";

  ClearDisplayList();
  toolbox::FailAllocationAfter(1);
  Call<HostService54>(buffer.Box(), &bufferRect, &bufferRect, std::int16_t{0});
  toolbox::FailAllocationAfter(0);
  EXPECT_TRUE(OpsOf(DrawKind::kText).empty()) << "out of memory: the box is only erased";
  EXPECT_EQ(OpsOf(DrawKind::kEraseRect).size(), 1u);

  Call<HostService48>(buffer.Box());
  Call<HostService50>(buffer.Box());  // released: ignored
  EXPECT_EQ(CurrentPort(), port());
}

TEST_F(DrawingServices, TextBuffersOfEmptyBoundsOrDamagedReferencesAreHarmless) {
  TextBuffer empty(Rect{0, 0, 0, 50});
  EXPECT_EQ(empty.Reference(), 0u) << "empty bounds make no buffer";
  vantor::StoreAt(empty.box, 30, std::uint32_t{0x1234});
  Call<HostService50>(empty.Box());
  Call<HostService48>(empty.Box());
  EXPECT_EQ(CurrentPort(), port()) << "a reference that is no buffer is ignored";
}

// A picture of 100 × 200 drawn at scale 2 (natural size 100 × 50), placed with 161.
struct PicturePlacement : DrawingServices {
  void SetUp() override {
    DrawingServices::SetUp();
    host::PendingOutput() = host::OutputRequests{};
    picture = OpenPicture(&frame);
    ASSERT_NE(picture, nullptr);
    const Rect inner{10, 20, 90, 180};
    PaintRect(&inner);
    ClosePicture();
    ClearDisplayList();
  }
  void TearDown() override {
    KillPicture(picture);
    host::PendingOutput() = host::OutputRequests{};
    DrawingServices::TearDown();
  }
  std::int32_t Place(const Rect* destination, bool fit, Handle pic = nullptr) {
    Handle placed = pic != nullptr ? pic : reinterpret_cast<Handle>(picture);
    return Call<HostService161>(destination, &frame, placed, std::int16_t{200}, std::int16_t{200}, fit);
  }
  const Rect frame{0, 0, 100, 200};
  PicHandle picture = nullptr;
};

TEST_F(PicturePlacement, KeepsItsNaturalSizeCentredOrShrunkToFit) {
  const std::tuple<Rect, bool, Rect, const char*> cases[] = {
      {{0, 0, 300, 400}, true, {125, 150, 175, 250}, "centred"},
      {{0, 0, 25, 100}, true, {0, 25, 25, 75}, "half size keeps the aspect"},
      {{10, 10, 10, 10}, true, {10, 10, 60, 110}, "no destination size: natural size at its corner"},
      {{0, 0, 300, 400}, false, {0, 0, 300, 400}, "without fit it fills the destination"}};
  for (const auto& [destination, fit, placed, why] : cases) {
    EXPECT_EQ(Place(&destination, fit), 1) << why;
    EXPECT_EQ(host::PendingOutput().pictures.back().placed, placed) << why;
  }
  ASSERT_EQ(host::PendingOutput().pictures.size(), 4u);
  const auto& kept = host::PendingOutput().pictures.front().pict;
  ASSERT_EQ(kept.size(), static_cast<std::size_t>(GetHandleSize(reinterpret_cast<Handle>(picture))));
  EXPECT_EQ(std::memcmp(kept.data(), *picture, kept.size()), 0) << "a copy, since the caller kills its own";
  EXPECT_FALSE(OpsOf(DrawKind::kPaintRect).empty()) << "drawn into the current port";
}

TEST_F(PicturePlacement, MissingOrDamagedPicturesArePlacedNowhere) {
  const Rect page{0, 0, 300, 400};
  Handle dead = NewHandle(8);
  DisposeHandle(dead);
  EXPECT_EQ(Place(&page, true, dead), 0);
  Handle garbage = NewHandleClear(40);
  std::memset(*garbage, 0x7F, 40);
  EXPECT_EQ(Place(&page, true, garbage), 0);
  DisposeHandle(garbage);
  EXPECT_EQ(Place(nullptr, true), 0);
  EXPECT_TRUE(host::PendingOutput().pictures.empty());
  EXPECT_TRUE(ops().empty());
}

struct Mapping {
  double upper = 0, lower = 0, offset = 0, scale = 0;
  double Pixel(double raw) const { return raw * scale + offset; }
};

vantor::ChannelScaling Litres(double gain) {
  vantor::ChannelScaling scaling = CalibratedScaling(1.0, gain, 0.0);
  toolbox::StorePascal(scaling.unitText, "L");
  return scaling;
}

struct ScaleServices : DrawingServices {
  void TearDown() override {
    if (axis != nullptr) Call<HostDisposeObject384>(axis);
    toolbox::ClearScript();
    DrawingServices::TearDown();
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
  Call<HostScaleSet380>(axis, PString("Volume").get());
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
  MenuRef menu = NewMenu(300, PString("Channels").get());
  for (const char* item : {"Set Range", "Default", "-", "Flow", "Volume"}) {
    AppendMenu(menu, PString(item).get());
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
