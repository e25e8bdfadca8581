// Dialog services through the table on a dialog made from test resources:
// item access (102..118, 191, 192), numbers held to limits (210, 212),
// user-item procedures (121, 122, 135), showing and disposing (145, 146),
// the procedures of HostQueryValue 200 and 205, channel pop-ups (568), and
// making a dialog and running its modal loop (78, 79).
#include <gtest/gtest.h>

#include "host/document.h"
#include "service_call.h"
#include "toolbox/compiled_resources.h"
#include "toolbox/dialogs.h"
#include "toolbox/memory.h"
#include "toolbox/menus.h"
#include "toolbox/resource_test_support.h"
#include "toolbox/script.h"
#include "toolbox/sound.h"
#include "toolbox/windows.h"

namespace {

using namespace vantor::service;
using resource_test::PString;
using resource_test::TextOf;
using testext::Call;

enum : std::int16_t { kOk = 1, kCancel, kNote, kSeparator, kAge, kLinearise, kSource, kFactor, kFrame };

const char* const kResources = R"(
[[DLOG]]
id = 8800
title = "Settings"
bounds = [100, 100, 300, 500]
proc = "movableDBoxProc"
items = 8800

[[DITL]]
id = 8800
items = [
  { kind = "button", bounds = [160, 320, 180, 390], text = "OK" },
  { kind = "button", bounds = [160, 230, 180, 300], text = "Cancel" },
  { kind = "static_text", bounds = [10, 10, 26, 380], text = "Age:" },
  { kind = "user", bounds = [30, 10, 34, 380] },
  { kind = "edit_text", bounds = [40, 100, 56, 200], text = "42" },
  { kind = "checkbox", bounds = [70, 10, 86, 200], text = "Linearise" },
  { kind = "control", bounds = [90, 10, 110, 200], resource = 8800 },
  { kind = "edit_text", bounds = [120, 100, 136, 200], text = "1.5" },
  { kind = "user", bounds = [60, 220, 140, 390] },
]

[[data]]
type = "CNTL"
id = 8800
hex = "0000 0000 0014 00A0 0000 0100 0000 2261 0190 00000000 00"

[[MENU]]
id = 8801
title = "Source"
items = [{ text = "None" }, { text = "Old" }]
)";

class DialogServices : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog = GetNewDialog(8800, nullptr, kWindowInFront);
    ASSERT_NE(dialog, nullptr);
    toolbox::ClearBeeps();
  }
  void TearDown() override {
    if (toolbox::IsLiveDialog(static_cast<DialogRef>(dialog))) DisposeDialog(static_cast<DialogRef>(dialog));
    host::SetCurrentDocument(nullptr);
  }
  std::string Text(std::int16_t item) {
    Str255 out = {5, 's', 't', 'a', 'l', 'e'};
    Call<HostGetDialogItemText>(&out, dialog, item);
    return TextOf(out);
  }
  void Type(std::int16_t item, std::string_view text) {
    Call<HostSetDialogItemText>(dialog, item, PString(text).get());
  }
  CGrafPtr Port() { return GetDialogPort(static_cast<DialogRef>(dialog)); }

  toolbox_test::CompiledResources resources{kResources};
  void* dialog = nullptr;
};

TEST_F(DialogServices, ItemsAreReadAndWrittenByNumber) {
  EXPECT_EQ(Call<HostGetDialogItemRect>(dialog, kAge), (Rect{40, 100, 56, 200}));
  EXPECT_EQ(Call<HostGetDialogItemRect>(dialog, std::int16_t{99}), (Rect{0, 0, 0, 0}));
  Type(kAge, "57");
  EXPECT_EQ(Text(kAge), "57");
  Type(kLinearise, "Straighten");
  EXPECT_EQ(Text(kLinearise), "Straighten") << "a control's title";
  Call<HostSetDialogItemChecked>(dialog, kLinearise, true);
  EXPECT_EQ(Call<HostGetDialogItemValue>(dialog, kLinearise), 1);
  EXPECT_EQ(Call<HostGetDialogItemValue>(dialog, kAge), 0) << "a text item has no value";
  Call<HostEnableDialogItem>(dialog, kFactor, false);
  EXPECT_FALSE(toolbox::IsDialogItemEnabled(static_cast<DialogRef>(dialog), kFactor));
}

TEST_F(DialogServices, APopUpShowsItsChosenItem) {
  auto* menu = static_cast<MenuRef>(Call<HostGetDialogItemMenu>(dialog, kSource));
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(Call<HostGetDialogItemMenu>(dialog, kAge), nullptr);
  Call<HostService113>(dialog, kSource, std::int16_t{2});
  EXPECT_EQ(Call<HostGetDialogItemValue>(dialog, kSource), 2);
  EXPECT_EQ(Text(kSource), "Old");
  Type(kSource, "Anything");
  EXPECT_EQ(Text(kSource), "Old") << "the pop-up's text is its chosen item's";
  Call<HostSetDialogItemValue>(dialog, kSource, std::int16_t{9});
  EXPECT_EQ(Call<HostGetDialogItemValue>(dialog, kSource), 2) << "held to the item count";
  Call<HostService113>(dialog, kLinearise, std::int16_t{1});
  EXPECT_EQ(Call<HostGetDialogItemValue>(dialog, kLinearise), 0) << "113 is for pop-ups only";
}

TEST_F(DialogServices, ChannelPopUpsNameEveryChannel) {
  host::Document document;
  document.AddChannel("Flow", "");
  document.AddChannel("", "Spirometer");
  document.AddChannel("Volume", "");
  host::SetCurrentDocument(&document);
  Call<HostService568>(dialog, kSource, std::int16_t{1}, std::int16_t{0}, std::int16_t{0});
  auto* menu = static_cast<MenuRef>(Call<HostGetDialogItemMenu>(dialog, kSource));
  ASSERT_EQ(CountMenuItems(menu), 3);
  Call<HostSetDialogItemValue>(dialog, kSource, std::int16_t{3});
  EXPECT_EQ(Text(kSource), "Volume") << "the value reaches the last channel";
  Call<HostSetDialogItemValue>(dialog, kSource, std::int16_t{2});
  EXPECT_EQ(Text(kSource), "Channel 2") << "an untitled channel";

  Str255 suffix;
  Call<HostService608>(&suffix, std::int16_t{3});
  EXPECT_EQ(TextOf(suffix), " (Channel 3: Volume)");
  Call<HostService608>(&suffix, std::int16_t{2});
  EXPECT_EQ(TextOf(suffix), " (Channel 2)");
  Call<HostService608>(&suffix, std::int16_t{4});
  EXPECT_EQ(TextOf(suffix), "");
}

TEST_F(DialogServices, ChannelMenusReplaceTheirChannelItemsLiterally) {
  host::Document document;
  document.AddChannel("Flow (BTPS); L/s", "");
  document.AddChannel("Volume", "");
  host::SetCurrentDocument(&document);
  MenuRef menu = NewMenu(8850, PString("Channels").get());
  AppendMenuItemText(menu, PString("Heading").get());
  Call<HostService567>(static_cast<void*>(menu), std::int16_t{2}, std::int16_t{0}, std::int16_t{0});
  Call<HostService567>(static_cast<void*>(menu), std::int16_t{2}, std::int16_t{0}, std::int16_t{0});
  ASSERT_EQ(CountMenuItems(menu), 3) << "a second call replaces, not appends";
  Str255 text;
  GetMenuItemText(menu, 2, text);
  EXPECT_EQ(TextOf(text), "Flow (BTPS); L/s") << "menu metacharacters are kept as text";
  Call<HostService567>(static_cast<void*>(menu), std::int16_t{0}, std::int16_t{0}, std::int16_t{0});
  EXPECT_EQ(CountMenuItems(menu), 3) << "no first item: nothing changes";
  DisposeMenu(menu);
  // Disposed: ignored.
  Call<HostService567>(static_cast<void*>(menu), std::int16_t{1}, std::int16_t{0}, std::int16_t{0});
}

TEST_F(DialogServices, IntegersAreHeldToTheirLimitsWithABeep) {
  Type(kAge, "250");
  Call<HostService210>(dialog, kAge, std::int32_t{0}, std::int32_t{200});
  EXPECT_EQ(Text(kAge), "200");
  EXPECT_EQ(toolbox::RecordedBeeps().size(), 1u);
  Type(kAge, "12 years");
  Call<HostService210>(dialog, kAge, std::int32_t{0}, std::int32_t{200});
  EXPECT_EQ(Text(kAge), "12") << "the number alone, without a beep";
  EXPECT_EQ(toolbox::RecordedBeeps().size(), 1u);
  Type(kAge, "");
  Call<HostService210>(dialog, kAge, std::int32_t{0}, std::int32_t{200});
  EXPECT_EQ(Text(kAge), "") << "the user may still be typing";
  Type(kAge, "-5");
  Call<HostService210>(dialog, kAge, std::int32_t{300}, std::int32_t{10});
  EXPECT_EQ(Text(kAge), "10") << "limits the wrong way round are taken the right way";
}

TEST_F(DialogServices, DecimalsAreHeldToTheirLimitsAndReturned) {
  EXPECT_DOUBLE_EQ(Call<HostService212>(dialog, kFactor, 0.0, 10.0), 1.5);
  Type(kFactor, "1,25");
  EXPECT_DOUBLE_EQ(Call<HostService212>(dialog, kFactor, 0.0, 10.0), 1.25);
  EXPECT_EQ(Text(kFactor), "1,25") << "a comma the user typed stays";
  Type(kFactor, "15");
  EXPECT_DOUBLE_EQ(Call<HostService212>(dialog, kFactor, 0.0, 10.0), 10.0);
  EXPECT_EQ(Text(kFactor), "10");
  EXPECT_EQ(toolbox::RecordedBeeps().size(), 1u);
  Type(kFactor, "abc");
  EXPECT_DOUBLE_EQ(Call<HostService212>(dialog, kFactor, 1.0, 10.0), 1.0) << "no number reads 0, held to 1";
  EXPECT_EQ(Text(kFactor), "abc");
  Type(kFactor, "nan");
  EXPECT_DOUBLE_EQ(Call<HostService212>(dialog, kFactor, 0.0, 100.0), 0.0);
  EXPECT_DOUBLE_EQ(Call<HostService212>(dialog, kLinearise, 2.0, 3.0), 2.0) << "not a text item";
}

int gUserItemCalls = 0;
void CountingItemProc(void*, std::int16_t item) { gUserItemCalls += item; }

TEST_F(DialogServices, UserItemsAreDrawnByTheirProcedures) {
  gUserItemCalls = 0;
  Call<HostSetDialogItemProc>(dialog, kFrame, &CountingItemProc);
  Call<HostSetDialogItemProc>(dialog, kAge, &CountingItemProc);  // not a user item: ignored
  DrawDialog(static_cast<DialogRef>(dialog));
  EXPECT_EQ(gUserItemCalls, kFrame);

  Call<HostSetDialogItemProc>(dialog, kFrame, &CountingItemProc);
  DrawDialog(static_cast<DialogRef>(dialog));
  EXPECT_EQ(gUserItemCalls, 2 * kFrame) << "installed once, drawn once per update";
}

TEST_F(DialogServices, TheStandardItemProceduresDrawASeparatorAndAFrame) {
  GrafPort other;
  SetPort(&other);
  PenSize(4, 4);
  toolbox::ClearDisplayList(Port());
  Call<HostStandardItemProc121>(dialog, kSeparator);
  Call<HostStandardItemProc122>(dialog, kFrame);
  const auto& ops = Port()->displayList.ops;
  ASSERT_EQ(ops.size(), 3u) << "drawn into the dialog, whatever port was current";
  EXPECT_EQ(ops[0].kind, toolbox::DrawKind::kLine);
  EXPECT_EQ(ops[0].from, (Point{32, 10}));
  EXPECT_EQ(ops[0].to, (Point{32, 379}));
  EXPECT_EQ(ops[1].kind, toolbox::DrawKind::kLine);
  EXPECT_EQ(ops[2].kind, toolbox::DrawKind::kFrameRect);
  EXPECT_EQ(ops[2].rect, (Rect{60, 220, 140, 390}));
  EXPECT_EQ(ops[2].state.penSize, (Point{1, 1}));
  GrafPtr current = nullptr;
  GetPort(&current);
  EXPECT_EQ(current, &other);
  EXPECT_EQ(other.pnSize, (Point{4, 4}));
  EXPECT_TRUE(other.displayList.ops.empty());
  SetPort(nullptr);
}

TEST_F(DialogServices, QueryValueHandsOutTheStandardFilterAndUserItem) {
  const std::uint32_t filterReference = Call<HostQueryValue>(std::int16_t{205});
  ModalFilterUPP standard = nullptr;
  ASSERT_EQ(GetStdFilterProc(&standard), noErr);
  EXPECT_EQ(toolbox::FromU32<OpaqueModalFilterUPP>(filterReference), standard);
  EventRecord returnKey{keyDown, '\r', 0, {0, 0}, 0};
  DialogItemIndex hit = 0;
  EXPECT_TRUE(InvokeModalFilterUPP(static_cast<DialogRef>(dialog), &returnKey, &hit,
                                   toolbox::FromU32<OpaqueModalFilterUPP>(filterReference)));
  EXPECT_EQ(hit, kOk);

  const std::uint32_t itemReference = Call<HostQueryValue>(std::int16_t{200});
  ASSERT_NE(itemReference, 0u);
  EXPECT_EQ(Call<HostQueryValue>(std::int16_t{200}), itemReference) << "one procedure for the program's life";
  DialogItemType type = 0;
  Rect box{};
  GetDialogItem(static_cast<DialogRef>(dialog), kFrame, &type, nullptr, &box);
  SetDialogItem(static_cast<DialogRef>(dialog), kFrame, type,
                reinterpret_cast<Handle>(toolbox::FromU32<OpaqueUserItemUPP>(itemReference)), &box);
  DrawDialog(static_cast<DialogRef>(dialog));
  bool framed = false;
  for (const toolbox::DrawOp& op : Port()->displayList.ops) {
    framed = framed || (op.kind == toolbox::DrawKind::kFrameRect && op.rect == box);
  }
  EXPECT_TRUE(framed);
}

TEST_F(DialogServices, ShowingBringsTheDialogForwardAndDisposingEndsIt) {
  WindowRef window = GetDialogWindow(static_cast<DialogRef>(dialog));
  Call<HostShowDialog>(dialog);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(FrontWindow(), window);
  Call<HostDisposeDialog>(dialog);
  EXPECT_FALSE(toolbox::IsLiveDialog(static_cast<DialogRef>(dialog)));
  Call<HostDisposeDialog>(dialog);  // twice: ignored
  Call<HostSetDialogItemText>(dialog, kAge, PString("1").get());
  EXPECT_EQ(Text(kAge), "") << "a disposed dialog reads as empty";
}

TEST_F(DialogServices, TheModalLoopTakesTheScriptThroughTheStandardFilter) {
  void* made = Call<HostGetNewDialog>(std::int16_t{8800});
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(Call<HostGetNewDialog>(std::int16_t{8899}), nullptr) << "no such dialog";
  const auto filter = Call<HostQueryValue>(std::int16_t{205});

  toolbox::PushScriptAction(toolbox::ItemHitAction(kLinearise));
  toolbox::PushScriptAction(toolbox::TypeTextAction(kAge, "63"));
  toolbox::PushScriptAction(toolbox::KeyAction('\r'));
  std::int16_t hit = 0;
  Call<HostModalDialog>(filter, &hit);
  EXPECT_EQ(hit, kLinearise);
  Call<HostModalDialog>(filter, &hit);
  EXPECT_EQ(hit, kAge);
  Call<HostModalDialog>(filter, &hit);
  EXPECT_EQ(hit, kOk) << "Return goes to the default item through the standard filter";
  Call<HostModalDialog>(filter, &hit);
  EXPECT_EQ(hit, kCancel) << "an exhausted script answers Cancel";
  Call<HostDisposeDialog>(made);
}

}  // namespace
