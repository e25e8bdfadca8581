// Window and dialog services: the extension windows' list and placement, and
// what the host adds to the Dialog Manager on a dialog from test resources;
// dead windows and dialogs, and an exhausted script, are harmless.
#include <gtest/gtest.h>

#include <tuple>

#include "host/document.h"
#include "host/extension_windows.h"
#include "host/window_placement.h"
#include "service_call.h"
#include "toolbox/compiled_resources.h"
#include "toolbox/dialogs.h"
#include "toolbox/memory.h"
#include "toolbox/menus.h"
#include "toolbox/script.h"
#include "toolbox/sound.h"
#include "toolbox/windows.h"

namespace {

using namespace vantor::service;
using testext::Call;
using testext::PString;
using testext::TextOf;

enum : std::int16_t { kOk = 1, kCancel, kSeparator, kAge, kLinearise, kSource, kFactor, kFrame };

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
    host::ForgetPlacements();
    host::ForgetExtensionWindows();
    dialog = GetNewDialog(8800, nullptr, kWindowInFront);
    ASSERT_NE(dialog, nullptr);
    toolbox::ClearBeeps();
  }
  void TearDown() override {
    if (toolbox::IsLiveDialog(static_cast<DialogRef>(dialog))) DisposeDialog(static_cast<DialogRef>(dialog));
    for (WindowRef w : made_) {
      if (IsValidWindowPtr(w)) DisposeWindow(w);
    }
    host::ForgetPlacements();
    host::SetCurrentDocument(nullptr);
  }
  std::string Text(std::int16_t item) {
    return testext::TextWritten([&](Str255* out) { Call<HostGetDialogItemText>(out, dialog, item); });
  }
  void Type(std::int16_t item, std::string_view text) {
    Call<HostSetDialogItemText>(dialog, item, PString(text).get());
  }
  CGrafPtr Port() { return GetDialogPort(static_cast<DialogRef>(dialog)); }
  WindowRef MakeWindow(const Rect& bounds) {
    made_.push_back(
        NewCWindow(nullptr, &bounds, PString("Report").get(), true, zoomDocProc, kWindowInFront, true, 0));
    return made_.back();
  }
  static Rect Content(WindowRef w) {
    Rect r{};
    GetWindowBounds(w, kWindowContentRgn, &r);
    return r;
  }
  void Place(WindowRef w, OSType type, std::int16_t id, std::int16_t subKey, std::uint32_t flags) {
    Call<HostPositionWindow>(static_cast<void*>(w), PString("Spirometry").get(), type, id, subKey, flags);
  }

  toolbox_test::CompiledResources resources{kResources};
  void* dialog = nullptr;

 private:
  std::vector<WindowRef> made_;
};

using WindowServices = DialogServices;

TEST_F(WindowServices, ExtensionWindowsAreListedWhileTheyLive) {
  WindowRef a = MakeWindow(Rect{100, 100, 200, 200});
  WindowRef b = MakeWindow(Rect{110, 110, 210, 210});
  Call<HostService73>(static_cast<void*>(a));
  Call<HostService73>(static_cast<void*>(b));
  Call<HostService73>(static_cast<void*>(a));
  EXPECT_EQ(host::ExtensionWindows(), (std::vector<WindowRef>{a, b}));
  DisposeWindow(a);
  EXPECT_EQ(host::ExtensionWindows(), (std::vector<WindowRef>{b}));
  for (void* stale : {static_cast<void*>(a), static_cast<void*>(nullptr)}) {
    Call<HostService73>(stale);
    Call<HostService140>(stale);
    Call<HostService147>(stale);
    Call<HostService143>(stale, std::int16_t{10}, std::int16_t{10}, true);
    Call<HostService173>(stale, std::int16_t{10}, std::int16_t{10}, true);
    Call<HostService263>(stale, true);
  }
  EXPECT_EQ(host::ExtensionWindows(), (std::vector<WindowRef>{b})) << "dead windows are ignored";
}

// A dialog is first centred, a window where its resource put it; both reopen
// where the user left them.
TEST_F(WindowServices, WindowsAndDialogsReopenWhereTheUserLeftThem) {
  WindowRef first = MakeWindow(Rect{40, 10, 240, 310});
  Place(first, FourCharCode("DLOG"), 8310, 0, 8);
  const Rect desktop = toolbox::DesktopBounds();
  const Rect centred = Content(first);
  EXPECT_EQ(centred.left, (desktop.right - 300) / 2);
  EXPECT_GT(centred.top, GetMBarHeight());
  EXPECT_EQ(centred.bottom - centred.top, 200) << "placing keeps the size";

  MoveWindow(first, 500, 300, false);  // the user drags it
  DisposeWindow(first);
  WindowRef again = MakeWindow(Rect{40, 10, 240, 310});
  Place(again, FourCharCode("DLOG"), 8310, 0, 8);
  EXPECT_EQ(Content(again), (Rect{300, 500, 500, 800}));

  WindowRef other = MakeWindow(Rect{40, 10, 240, 310});
  Place(other, FourCharCode("DLOG"), 8311, 0, 8);
  EXPECT_EQ(Content(other).left, (desktop.right - 300) / 2) << "another dialog has its own place";

  WindowRef w = MakeWindow(Rect{60, 40, 460, 640});
  Place(w, FourCharCode("WIND"), 8101, 0x7654, 1);
  EXPECT_EQ(Content(w), (Rect{60, 40, 460, 640})) << "new: where its resource put it";
  SizeWindow(w, 300, 200, true);
  MoveWindow(w, 70, 80, false);
  const host::PlacementKey key{"Spirometry", FourCharCode("WIND"), 8101, 0x7654};
  EXPECT_EQ(host::RememberedPlacement(key), (Rect{80, 70, 280, 370}));

  WindowRef reopened = MakeWindow(Rect{60, 40, 460, 640});
  Place(reopened, FourCharCode("WIND"), 8101, 0x7654, 1);
  EXPECT_EQ(Content(reopened), (Rect{80, 70, 280, 370}));
  Call<HostService144>(static_cast<void*>(reopened), std::int16_t{inZoomOut}, true, true);
  Call<HostService144>(static_cast<void*>(reopened), std::int16_t{inZoomIn}, false, false);
  EXPECT_EQ(Content(reopened), (Rect{80, 70, 280, 370})) << "zoomed back to the user's state";
  WindowRef withoutSize = MakeWindow(Rect{60, 40, 460, 640});
  Place(withoutSize, FourCharCode("WIND"), 8101, 0x7654, 0);
  EXPECT_EQ(Content(withoutSize), (Rect{80, 70, 480, 670})) << "flag 1 clear: the place only";
}

TEST_F(DialogServices, PopUpsHoldTheirChoiceAndNameEveryChannel) {
  Call<HostService113>(dialog, kSource, std::int16_t{2});
  EXPECT_EQ(Text(kSource), "Old");
  Type(kSource, "Anything");
  EXPECT_EQ(Text(kSource), "Old") << "the pop-up's text is its chosen item's";
  Call<HostSetDialogItemValue>(dialog, kSource, std::int16_t{9});
  EXPECT_EQ(Call<HostGetDialogItemValue>(dialog, kSource), 2) << "held to the item count";
  Call<HostService113>(dialog, kLinearise, std::int16_t{1});
  EXPECT_EQ(Call<HostGetDialogItemValue>(dialog, kLinearise), 0) << "113 is for pop-ups only";
  Type(kLinearise, "Straighten");
  EXPECT_EQ(Text(kLinearise), "Straighten") << "another control's text is its title";

  host::Document document;
  document.AddChannel("Flow", "");
  document.AddChannel("", "Spirometer");
  document.AddChannel("Volume", "");
  host::SetCurrentDocument(&document);
  Call<HostService568>(dialog, kSource, std::int16_t{1}, std::int16_t{0}, std::int16_t{0});
  ASSERT_EQ(CountMenuItems(static_cast<MenuRef>(Call<HostGetDialogItemMenu>(dialog, kSource))), 3);
  Call<HostSetDialogItemValue>(dialog, kSource, std::int16_t{3});
  EXPECT_EQ(Text(kSource), "Volume") << "the value reaches the last channel";
  Call<HostSetDialogItemValue>(dialog, kSource, std::int16_t{2});
  EXPECT_EQ(Text(kSource), "Channel 2") << "an untitled channel";
  const std::pair<std::int16_t, const char*> suffixes[] = {
      {3, " (Channel 3: Volume)"}, {2, " (Channel 2)"}, {4, ""}};
  for (const auto& [channel, expected] : suffixes) {
    EXPECT_EQ(testext::TextWritten([&](Str255* out) { Call<HostService608>(out, channel); }), expected);
  }
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
  EXPECT_EQ(testext::TextWritten([&](Str255* out) { GetMenuItemText(menu, 2, *out); }), "Flow (BTPS); L/s")
      << "menu metacharacters are kept as text";
  DisposeMenu(menu);
  // Disposed: ignored.
  Call<HostService567>(static_cast<void*>(menu), std::int16_t{1}, std::int16_t{0}, std::int16_t{0});
}

// Typed, the limits, what is shown and the beeps (none while the user may still be typing).
TEST_F(DialogServices, IntegersAreHeldToTheirLimitsWithABeep) {
  const std::tuple<const char*, std::int32_t, std::int32_t, const char*, std::size_t> cases[] = {
      {"250", 0, 200, "200", 1}, {"12 years", 0, 200, "12", 0}, {"", 0, 200, "", 0},
      {"50", 300, 10, "50", 0},  // limits the wrong way round are taken the right way
  };
  for (const auto& [typed, low, high, shown, beeps] : cases) {
    SCOPED_TRACE(typed);
    toolbox::ClearBeeps();
    Type(kAge, typed);
    Call<HostService210>(dialog, kAge, low, high);
    EXPECT_EQ(Text(kAge), shown);
    EXPECT_EQ(toolbox::RecordedBeeps().size(), beeps);
  }
}

// Typed, the limits, the value returned and what is shown.
TEST_F(DialogServices, DecimalsAreHeldToTheirLimitsAndReturned) {
  const std::tuple<const char*, double, double, double, const char*> cases[] = {
      {"1,25", 0, 10, 1.25, "1,25"},  // a comma the user typed stays
      {"15", 0, 10, 10, "10"},
      {"abc", 1, 10, 1, "abc"},  // no number reads 0, held to 1
      {"nan", 0, 100, 0, "nan"},
  };
  for (const auto& [typed, low, high, value, shown] : cases) {
    SCOPED_TRACE(typed);
    Type(kFactor, typed);
    EXPECT_DOUBLE_EQ(Call<HostService212>(dialog, kFactor, low, high), value);
    EXPECT_EQ(Text(kFactor), shown);
  }
  EXPECT_DOUBLE_EQ(Call<HostService212>(dialog, kLinearise, 2.0, 3.0), 2.0) << "not a text item";
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
  EXPECT_EQ(ops[0].from, (Point{32, 10}));
  EXPECT_EQ(ops[0].to, (Point{32, 379}));
  EXPECT_EQ(ops[2].kind, toolbox::DrawKind::kFrameRect);
  EXPECT_EQ(ops[2].rect, (Rect{60, 220, 140, 390}));
  EXPECT_EQ(ops[2].state.penSize, (Point{1, 1}));
  GrafPtr current = nullptr;
  GetPort(&current);
  EXPECT_EQ(current, &other);
  EXPECT_EQ(other.pnSize, (Point{4, 4}));
  SetPort(nullptr);
}

TEST_F(DialogServices, TheModalLoopTakesTheScriptAndADeadDialogIsHarmless) {
  void* made = Call<HostGetNewDialog>(std::int16_t{8800});
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(Call<HostGetNewDialog>(std::int16_t{8899}), nullptr) << "no such dialog";
  const auto filter = Call<HostQueryValue>(std::int16_t{205});
  const std::uint32_t itemProc = Call<HostQueryValue>(std::int16_t{200});
  EXPECT_NE(itemProc, 0u);
  EXPECT_EQ(Call<HostQueryValue>(std::int16_t{200}), itemProc) << "one procedure for the program's life";
  toolbox::PushScriptAction(toolbox::TypeTextAction(kAge, "63"));
  toolbox::PushScriptAction(toolbox::KeyAction('\r'));
  std::int16_t hit = 0;
  Call<HostModalDialog>(filter, &hit);
  EXPECT_EQ(hit, kAge);
  Call<HostModalDialog>(filter, &hit);
  EXPECT_EQ(hit, kOk) << "Return goes to the default item through the standard filter";
  Call<HostModalDialog>(filter, &hit);
  EXPECT_EQ(hit, kCancel) << "an exhausted script answers Cancel";
  Call<HostDisposeDialog>(made);

  Call<HostDisposeDialog>(dialog);
  Call<HostDisposeDialog>(dialog);  // twice: ignored
  Call<HostSetDialogItemText>(dialog, kAge, PString("1").get());
  EXPECT_EQ(Text(kAge), "") << "a disposed dialog reads as empty";
}

}  // namespace
