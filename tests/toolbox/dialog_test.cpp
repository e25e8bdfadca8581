// Dialogs from 'DLOG' and 'DITL' resources run by the script queue: item
// hits, typed text, keys and pop-up choices, modal filters, drawing with
// user items and ParamText, and the failures (missing or lying resources,
// memory running out) that must give no dialog and leave nothing behind.
#include <gtest/gtest.h>

#include "toolbox/compiled_resources.h"
#include "toolbox/toolbox_test.h"
#include "toolbox/dialogs.h"
#include "toolbox/memory.h"
#include "toolbox/resource_test_support.h"
#include "toolbox/script.h"
#include "toolbox/windows.h"

namespace {

using resource_test::Hex;
using resource_test::PString;
using resource_test::TextOf;
using toolbox::ItemHitAction;
using toolbox::PushScriptAction;

enum : DialogItemIndex {
  kOk = 1,
  kCancel,
  kCaption,
  kFactor,
  kLinearise,
  kFlowPlot,
  kDataPlot,
  kCross,
  kDisabledNote,
  kModel,
};

const char* const kDialog = R"(
[[DLOG]]
id = 300
title = "Settings"
bounds = [100, 100, 300, 500]
proc = "movableDBoxProc"
visible = true
items = 300

[[DITL]]
id = 300
items = [
  { kind = "button", bounds = [160, 320, 180, 390], text = "OK" },
  { kind = "button", bounds = [160, 230, 180, 300], text = "Cancel" },
  { kind = "static_text", bounds = [10, 10, 26, 380], text = "Window ^0:" },
  { kind = "edit_text", bounds = [40, 100, 56, 200], text = "1.00" },
  { kind = "checkbox", bounds = [70, 10, 86, 200], text = "Linearise" },
  { kind = "radio", bounds = [90, 10, 106, 200], text = "Flow-volume plot" },
  { kind = "radio", bounds = [110, 10, 126, 200], text = "Data window plot" },
  { kind = "user", bounds = [130, 10, 150, 50] },
  { kind = "static_text", bounds = [130, 60, 150, 200], text = "Not now", enabled = false },
  { kind = "control", bounds = [40, 220, 60, 380], resource = 300 },
]

[[data]]
type = "CNTL"
id = 300
hex = "0000 0000 0014 00A0 0000 0100 0000 012D 0190 00000000 00"

[[MENU]]
id = 301
title = "Model"
items = [{ text = "Small head" }, { text = "Adult head", enabled = false }, { text = "Custom…" }]
)";

class DialogTest : public toolbox_test::ToolboxTest {
 protected:
  void SetUp() override {
    ToolboxTest::SetUp();
    ParamText(PString("Flow-Volume Plot").get(), nullptr, nullptr, nullptr);
  }

  static std::string ItemText(DialogRef d, DialogItemIndex item) {
    Handle h = nullptr;
    GetDialogItem(d, item, nullptr, &h, nullptr);
    Str255 text;
    GetDialogItemText(h, text);
    return TextOf(text);
  }

  static ControlRef Control(DialogRef d, DialogItemIndex item) {
    ControlRef control = nullptr;
    EXPECT_EQ(GetDialogItemAsControl(d, item, &control), noErr) << item;
    return control;
  }

  toolbox_test::CompiledResources resources_{kDialog};
};

// Runs the dialog as its callers do: until OK or Cancel, toggling the check
// box and the radio group on their hits. Returns the items hit.
std::vector<DialogItemIndex> RunLikeACaller(DialogRef d, ModalFilterUPP filter) {
  std::vector<DialogItemIndex> hits;
  DialogItemIndex item = 0;
  while (item != kOk && item != kCancel) {
    ModalDialog(filter, &item);
    hits.push_back(item);
    ControlRef control = nullptr;
    GetDialogItemAsControl(d, item, &control);
    if (item == kLinearise) SetControlValue(control, static_cast<SInt16>(1 - GetControlValue(control)));
    if (item == kFlowPlot || item == kDataPlot) {
      for (DialogItemIndex radio : {kFlowPlot, kDataPlot}) {
        ControlRef r = nullptr;
        GetDialogItemAsControl(d, radio, &r);
        SetControlValue(r, radio == item ? 1 : 0);
      }
    }
    if (hits.size() > 20) break;  // a dialog that never ends fails the test, not the run
  }
  return hits;
}

// A filter that takes clicks on the caption and keeps every event it saw.
std::vector<EventRecord> gFilterEvents;
Boolean CaptionFilter(DialogRef d, EventRecord* event, DialogItemIndex* itemHit) {
  gFilterEvents.push_back(*event);
  if (event->what != mouseDown) return StdFilterProc(d, event, itemHit);
  Point local = event->where;
  GlobalToLocal(&local);
  if (FindDialogItem(d, local) + 1 != kCaption) return false;
  *itemHit = kCaption;
  return true;
}

TEST_F(DialogTest, AScriptedSequenceOfHitsAndTypedTextRunsTheDialogThroughItsFilter) {
  DialogRef d = GetNewDialog(300, nullptr, kWindowInFront);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(GetDialogKeyboardFocusItem(d), kFactor);
  PushScriptAction(ItemHitAction(kLinearise));
  PushScriptAction(toolbox::TypeTextAction(kFactor, "0.50"));
  PushScriptAction(ItemHitAction(kModel));
  PushScriptAction(toolbox::MenuChoiceAction(2));  // disabled: no hit
  PushScriptAction(ItemHitAction(kModel));         // dismissed: no choice follows
  PushScriptAction(ItemHitAction(kModel));
  PushScriptAction(toolbox::MenuChoiceAction(3));
  PushScriptAction(ItemHitAction(kDisabledNote));  // disabled: consumed, no hit
  PushScriptAction(ItemHitAction(kDataPlot));
  PushScriptAction(ItemHitAction(kOk));
  EXPECT_EQ(RunLikeACaller(d, nullptr), (std::vector<DialogItemIndex>{kLinearise, kFactor, kModel, kDataPlot, kOk}));
  EXPECT_EQ(ItemText(d, kFactor), "0.50");
  EXPECT_EQ(GetControlValue(Control(d, kLinearise)), 1);
  EXPECT_EQ(GetControlValue(Control(d, kModel)), 3);
  EXPECT_EQ(GetControlValue(Control(d, kDataPlot)), 1);

  // A filter sees each action as an event first, at its global point.
  ModalFilterUPP filter = NewModalFilterUPP(&CaptionFilter);
  gFilterEvents.clear();
  PushScriptAction(ItemHitAction(kCaption));
  PushScriptAction(toolbox::ClickAction(Point{78, 15}));  // the check box
  PushScriptAction(toolbox::KeyAction(kReturnCharCode));
  EXPECT_EQ(RunLikeACaller(d, filter), (std::vector<DialogItemIndex>{kCaption, kLinearise, kOk}));
  ASSERT_EQ(gFilterEvents.size(), 3u);
  Rect content{};
  GetWindowBounds(GetDialogWindow(d), kWindowContentRgn, &content);
  EXPECT_EQ(gFilterEvents[0].where,
            (Point{static_cast<SInt16>(content.top + 18), static_cast<SInt16>(content.left + 195)}));
  EXPECT_EQ(gFilterEvents[2].message & charCodeMask, kReturnCharCode);
  EXPECT_EQ(GetControlValue(Control(d, kLinearise)), 0);
  DisposeModalFilterUPP(filter);
  DisposeDialog(d);
}

TEST_F(DialogTest, KeysTypeOverTheSelectionAndTheStandardKeysNeedEnabledItems) {
  DialogRef d = GetNewDialog(300, nullptr, kWindowInFront);
  ModalFilterUPP standard = nullptr;
  ASSERT_EQ(GetStdFilterProc(&standard), noErr);
  SelectDialogItemText(d, kFactor, 1, 3);  // "1[.0]0"
  PushScriptAction(toolbox::KeyAction('5'));
  DialogItemIndex item = 0;
  ModalDialog(standard, &item);
  EXPECT_EQ(item, kFactor);
  EXPECT_EQ(ItemText(d, kFactor), "150");
  // A caller shortening the text under the selection: typing replaces what is left.
  Handle factor = nullptr;
  GetDialogItem(d, kFactor, nullptr, &factor, nullptr);
  SelectDialogItemText(d, kFactor, 3, 4);
  SetHandleSize(factor, 1);
  PushScriptAction(toolbox::KeyAction('9'));
  ModalDialog(standard, &item);
  EXPECT_EQ(ItemText(d, kFactor), "19");
  PushScriptAction(toolbox::TypeTextAction(kFactor, std::string(300, '7')));
  ModalDialog(standard, &item);
  EXPECT_EQ(GetHandleSize(factor), 255) << "typing stops at 255 bytes";
  toolbox::SetDialogItemEnabled(d, kOk, false);
  EXPECT_FALSE(IsControlActive(Control(d, kOk)));
  PushScriptAction(toolbox::KeyAction(kReturnCharCode));
  PushScriptAction(toolbox::KeyAction(kEscapeCharCode));
  PushScriptAction(ItemHitAction(kLinearise));
  ModalDialog(nullptr, &item);
  EXPECT_EQ(item, kCancel) << "Escape is Cancel";
  EXPECT_EQ(toolbox::PendingScriptActions(), 1u);
  // An action no dialog takes ends the run in Cancel and stays for its owner.
  toolbox::ClearScript();
  PushScriptAction(toolbox::GrowTargetAction(10, 10));
  ModalDialog(standard, &item);
  EXPECT_EQ(item, kCancel);
  EXPECT_EQ(toolbox::PendingScriptActions(), 1u);
  DisposeDialog(d);
}

std::vector<std::pair<DialogRef, DialogItemIndex>> gUserItemCalls;
void RecordUserItem(DialogRef d, DialogItemIndex item) {
  gUserItemCalls.emplace_back(d, item);
  Rect box{};
  GetDialogItem(d, item, nullptr, nullptr, &box);
  MoveTo(box.left, box.top);  // drawn into the current port: the dialog's
  LineTo(box.right, box.bottom);
  PenSize(7, 7);  // must not leak into the next item
}

TEST_F(DialogTest, ItemHandlesGiveTextsAndControlsAndDrawingRunsUserItemsAndParamText) {
  DialogRef d = GetNewDialog(300, nullptr, kWindowInFront);
  DialogItemType type = 0;
  Handle h = nullptr;
  Rect box{};
  GetDialogItem(d, kDisabledNote, &type, &h, &box);
  EXPECT_EQ(type, kStaticTextDialogItem | kItemDisableBit);
  EXPECT_EQ(box, (Rect{130, 60, 150, 200}));
  EXPECT_EQ(ItemText(d, kDisabledNote), "Not now");
  GetDialogItem(d, kFactor, &type, &h, nullptr);
  SetDialogItemText(h, PString("2.25").get());
  EXPECT_EQ(ItemText(d, kFactor), "2.25");
  EXPECT_EQ(ItemText(d, kOk), "OK");  // a button's handle is its control
  ControlRef none = nullptr;
  EXPECT_EQ(GetDialogItemAsControl(d, kCaption, &none), errItemNotControl);
  EXPECT_EQ(FindDialogItem(d, Point{45, 150}), kFactor - 1);
  EXPECT_EQ(FindDialogItem(d, Point{195, 5}), -1);

  // Drawing runs user item procedures and substitutes ParamText.
  UserItemUPP cross = NewUserItemUPP(&RecordUserItem);
  GetDialogItem(d, kCross, nullptr, nullptr, &box);
  SetDialogItem(d, kCross, kUserDialogItem, reinterpret_cast<Handle>(cross), &box);
  gUserItemCalls.clear();
  DrawDialog(d);
  ASSERT_EQ(gUserItemCalls.size(), 1u);
  EXPECT_EQ(gUserItemCalls[0], std::make_pair(d, DialogItemIndex{kCross}));
  const auto& ops = GetDialogPort(d)->displayList.ops;
  const auto has = [&ops](auto match) { return std::any_of(ops.begin(), ops.end(), match); };
  EXPECT_TRUE(has([](const toolbox::DrawOp& op) {
    return op.kind == toolbox::DrawKind::kText && op.text == "Window Flow-Volume Plot:";
  }));
  EXPECT_TRUE(has([](const toolbox::DrawOp& op) {
    return op.kind == toolbox::DrawKind::kLine && op.from == Point{130, 10} && op.to == Point{150, 50};
  }));

  EXPECT_TRUE(has([](const toolbox::DrawOp& op) {  // the edit text's frame
    return op.kind == toolbox::DrawKind::kFrameRect && op.rect == Rect{37, 97, 59, 203};
  }));
  EXPECT_TRUE(has([](const toolbox::DrawOp& op) {  // the default button's rounded ring, in a fresh pen
    return op.kind == toolbox::DrawKind::kFrameRoundRect && op.rect == Rect{156, 316, 184, 394} &&
           op.state.penSize == Point{3, 3} && op.ovalSize == Point{16, 16};
  }));
  const auto lines = [&ops] {
    return std::count_if(ops.begin(), ops.end(),
                         [](const toolbox::DrawOp& op) { return op.kind == toolbox::DrawKind::kLine; });
  };
  const auto unchecked = lines();
  SetControlValue(Control(d, kLinearise), 1);
  toolbox::ClearDisplayList(GetDialogPort(d));
  DrawDialog(d);
  EXPECT_EQ(lines(), unchecked + 2) << "the check box's cross";
  std::string error;
  EXPECT_TRUE(toolbox::WriteDialogPng(d, resource_test::TempDir().File("dialog.png"), &error)) << error;
  DisposeDialog(d);
  EXPECT_EQ(CountDITL(d), 0);
  DisposeUserItemUPP(cross);
}

TEST_F(DialogTest, MissingOrLyingResourcesGiveNoDialogAndNoWindow) {
  EXPECT_EQ(GetNewDialog(999, nullptr, kWindowInFront), nullptr);
  toolbox_test::RawResources raw;
  raw.Add(FourCharCode("DLOG"), 500, Hex("0000 0000 0064 00C8 0005 0100 0000 0000 0000 01F5 00"));  // items 501
  // Two items claimed, the second's text running past the data.
  raw.Add(FourCharCode("DITL"), 501,
          Hex("0001 00000000 0001000200030004 04 02 4F4B 00000000 0005000600070008 08 09 6162"));
  EXPECT_EQ(GetNewDialog(500, nullptr, kWindowInFront), nullptr);
  raw.Add(FourCharCode("DLOG"), 502, Hex("0000 0000 0064"));  // truncated
  EXPECT_EQ(GetNewDialog(502, nullptr, kWindowInFront), nullptr);
}

TEST_F(DialogTest, RunningOutOfMemoryAtAnyAllocationGivesNoDialogAndLeaksNothing) {
  const toolbox::ScopedMemoryOwner owner(77);
  const std::size_t before = toolbox::LiveHandleCount(77);
  for (long n = 1;; ++n) {
    toolbox::FailAllocationAfter(n);
    DialogRef d = GetNewDialog(300, nullptr, kWindowInFront);
    toolbox::FailAllocationAfter(0);
    if (d != nullptr) {
      EXPECT_GT(n, 2) << "the dialog allocates its window's region and its texts";
      DisposeDialog(d);
      EXPECT_EQ(toolbox::LiveHandleCount(77), before);
      break;
    }
    EXPECT_EQ(MemError(), memFullErr) << "failure point " << n;
    EXPECT_EQ(GetWindowList(), nullptr) << "failure point " << n;
    EXPECT_EQ(toolbox::LiveHandleCount(77), before) << "failure point " << n;
    ASSERT_LT(n, 50);
  }
}

}  // namespace
