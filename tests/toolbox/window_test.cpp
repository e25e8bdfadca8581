// Windows from 'WIND' resources: bounds, frames, title, visibility, the
// window list, update regions, the bounds-changed event and its attributes,
// growing, dragging and zooming with scripted targets, and the Carbon event
// handlers of a window (newest first, passing on, typed parameters).
#include <gtest/gtest.h>

#include "toolbox/carbon_events.h"
#include "toolbox/compiled_resources.h"
#include "toolbox/toolbox_test.h"
#include "toolbox/memory.h"
#include "toolbox/resource_test_support.h"
#include "toolbox/script.h"
#include "toolbox/windows.h"

namespace {

using resource_test::PString;
using resource_test::TextOf;

const char* const kWindows = R"(
[[WIND]]
id = 8102
title = "Flow-Volume Plot"
bounds = [60, 20, 360, 420]
proc = "zoomDocProc"
visible = true
go_away = true
ref_con = 2

[[WIND]]
id = 8103
title = "Report"
bounds = [80, 40, 280, 340]
proc = "noGrowDocProc"

[[WIND]]
id = 300
title = "Centred"
bounds = [0, 0, 100, 200]
proc = "movableDBoxProc"
position = "centerMainScreen"
)";

class WindowTest : public toolbox_test::ToolboxTest {
 protected:

  static Rect Bounds(WindowRef w, WindowRegionCode code) {
    Rect r{};
    EXPECT_EQ(GetWindowBounds(w, code, &r), noErr) << code;
    return r;
  }

  toolbox_test::CompiledResources resources_{kWindows};
};

// Records every bounds-changed event a window's handler receives.
struct BoundsEvents {
  struct Seen {
    WindowRef window;
    UInt32 attributes;
    Rect previous, current;
  };
  std::vector<Seen> seen;

  // Installs the recorder on w; the caller disposes of the returned procedure.
  EventHandlerUPP Watch(WindowRef w) {
    EventHandlerUPP upp = NewEventHandlerUPP(&Handler);
    const EventTypeSpec type{kEventClassWindow, kEventWindowBoundsChanged};
    EXPECT_EQ(InstallEventHandler(GetWindowEventTarget(w), upp, 1, &type, this, nullptr), noErr);
    return upp;
  }

  static OSStatus Handler(EventHandlerCallRef, EventRef event, void* userData) {
    auto* self = static_cast<BoundsEvents*>(userData);
    Seen s{};
    EXPECT_EQ(
        GetEventParameter(event, kEventParamDirectObject, typeWindowRef, nullptr, sizeof s.window, nullptr, &s.window),
        noErr);
    EXPECT_EQ(GetEventParameter(event, kEventParamAttributes, typeUInt32, nullptr, sizeof s.attributes, nullptr,
                                &s.attributes),
              noErr);
    GetEventParameter(event, kEventParamPreviousBounds, typeQDRectangle, nullptr, sizeof(Rect), nullptr, &s.previous);
    GetEventParameter(event, kEventParamCurrentBounds, typeQDRectangle, nullptr, sizeof(Rect), nullptr, &s.current);
    self->seen.push_back(s);
    return eventNotHandledErr;
  }
};

TEST_F(WindowTest, AWindowResourceGivesContentFrameTitleReferenceAndPosition) {
  WindowRef w = GetNewCWindow(8102, nullptr, kWindowInFront);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(Bounds(w, kWindowContentRgn), (Rect{60, 20, 360, 420}));
  EXPECT_EQ(Bounds(w, kWindowStructureRgn), (Rect{38, 19, 361, 421}));
  Rect port{};
  EXPECT_EQ(*GetWindowPortBounds(w, &port), (Rect{0, 0, 300, 400}));
  EXPECT_EQ(Bounds(w, kWindowGrowRgn), (Rect{345, 405, 360, 420}));
  Str255 title;
  GetWTitle(w, title);
  EXPECT_EQ(TextOf(title), "Flow-Volume Plot");
  SetWTitle(w, PString("Flow-Volume Plot (2)").get());
  GetWTitle(w, title);
  EXPECT_EQ(TextOf(title), "Flow-Volume Plot (2)");
  EXPECT_EQ(GetWRefCon(w), 2);
  EXPECT_TRUE(IsWindowVisible(w));
  // A port: LocalToGlobal goes through the content's origin.
  SetPortWindowPort(w);
  Point p{10, 5};
  LocalToGlobal(&p);
  EXPECT_EQ(p, (Point{70, 25}));
  Point extreme{32760, 32760};
  LocalToGlobal(&extreme);
  EXPECT_EQ(extreme, (Point{32767, 32767})) << "clamped, not wrapped";
  SetPort(nullptr);
  DisposeWindow(w);
  EXPECT_FALSE(IsValidWindowPtr(w));

  // A positioning word centres a window on the desktop.
  WindowRef centred = GetNewCWindow(300, nullptr, kWindowInFront);
  ASSERT_NE(centred, nullptr);
  const Rect s = Bounds(centred, kWindowStructureRgn);
  const Rect desktop = toolbox::DesktopBounds();
  EXPECT_EQ(s.left + s.right, desktop.left + desktop.right);
  EXPECT_LE(std::abs(s.top - GetMBarHeight() + s.bottom - desktop.bottom), 1);
  DisposeWindow(centred);
}

TEST_F(WindowTest, MissingOrMalformedResourcesAndMemoryFailuresGiveNoWindow) {
  EXPECT_EQ(GetNewCWindow(1, nullptr, kWindowInFront), nullptr);
  toolbox_test::RawResources raw;
  raw.Add(FourCharCode("WIND"), 2, std::vector<unsigned char>(18, 0));  // no title byte
  EXPECT_EQ(GetNewCWindow(2, nullptr, kWindowInFront), nullptr);
  toolbox::FailAllocationAfter(1);
  EXPECT_EQ(GetNewCWindow(8102, nullptr, kWindowInFront), nullptr);
  EXPECT_EQ(MemError(), memFullErr);
}

TEST_F(WindowTest, TheWindowListOrdersAndHighlightsWindows) {
  WindowRef a = GetNewCWindow(8102, nullptr, kWindowInFront);
  WindowRef b = GetNewCWindow(8102, nullptr, kWindowInFront);
  WindowRef hidden = GetNewCWindow(8103, nullptr, nullptr);
  EXPECT_EQ(GetNextWindow(b), a);
  EXPECT_EQ(GetNextWindow(a), hidden);
  SelectWindow(a);
  EXPECT_EQ(FrontNonFloatingWindow(), a);
  EXPECT_TRUE(IsWindowHilited(a));
  EXPECT_FALSE(IsWindowHilited(b));
  HideWindow(a);
  EXPECT_EQ(FrontWindow(), b);
  EXPECT_TRUE(IsWindowHilited(b));
  ShowHide(hidden, true);
  EXPECT_TRUE(IsWindowVisible(hidden));
  EXPECT_FALSE(IsWindowHilited(hidden));  // ShowHide leaves highlighting alone
  for (WindowRef w : {a, b, hidden}) DisposeWindow(w);
}

TEST_F(WindowTest, UpdateRegionsGatherInvalidationsAndFollowVisibility) {
  WindowRef w = GetNewCWindow(8103, nullptr, kWindowInFront);  // starts hidden
  EXPECT_FALSE(toolbox::WindowNeedsUpdate(w));
  ShowWindow(w);
  EXPECT_EQ(toolbox::WindowUpdateRect(w), (Rect{0, 0, 200, 300}));
  BeginUpdate(w);
  EndUpdate(w);
  EXPECT_FALSE(toolbox::WindowNeedsUpdate(w));
  const Rect a{10, 10, 20, 20}, b{50, 60, 70, 400};
  InvalWindowRect(w, &a);
  InvalWindowRect(w, &b);
  EXPECT_EQ(toolbox::WindowUpdateRect(w), (Rect{10, 10, 70, 300}));  // clipped to the port
  const Rect all{0, 0, 200, 300};
  ValidWindowRect(w, &all);
  EXPECT_FALSE(toolbox::WindowNeedsUpdate(w));
  RgnHandle visible = NewRgn();
  HideWindow(w);
  GetPortVisibleRegion(GetWindowPort(w), visible);
  EXPECT_TRUE(EmptyRgn(visible));
  DisposeRgn(visible);
  // A window without a grow or zoom box has no such region.
  Rect r{};
  for (WindowRegionCode code :
       {WindowRegionCode{kWindowGrowRgn}, WindowRegionCode{kWindowZoomBoxRgn}, WindowRegionCode{99}})
    EXPECT_EQ(GetWindowBounds(w, code, &r), errWindowRegionCodeInvalid) << code;
  DisposeWindow(w);
  EXPECT_EQ(GetWindowBounds(w, kWindowContentRgn, &r), errInvalidWindowRef);
}

TEST_F(WindowTest, GrowWindowAnswersTheScriptedSizeWithinTheLimits) {
  WindowRef w = GetNewCWindow(8102, nullptr, kWindowInFront);
  const Rect limits{150, 200, 2000, 2000};  // min height, min width, max height, max width
  toolbox::PushScriptAction(toolbox::GrowTargetAction(500, 320));
  EXPECT_EQ(GrowWindow(w, Point{0, 0}, &limits), (320 << 16) | 500);
  toolbox::PushScriptAction(toolbox::GrowTargetAction(120, 90));
  EXPECT_EQ(GrowWindow(w, Point{0, 0}, &limits), (150 << 16) | 200);
  toolbox::PushScriptAction(toolbox::GrowTargetAction(400, 300));  // the present size
  EXPECT_EQ(GrowWindow(w, Point{0, 0}, &limits), 0);
  // Without constraints the resize limits (structure sizes) hold.
  const HISize minimum{102.0f, 123.0f};
  ASSERT_EQ(SetWindowResizeLimits(w, &minimum, nullptr), noErr);
  toolbox::PushScriptAction(toolbox::GrowTargetAction(10, 10));
  EXPECT_EQ(GrowWindow(w, Point{0, 0}, nullptr), (100 << 16) | 100);
  Rect port{};
  EXPECT_EQ(*GetWindowPortBounds(w, &port), (Rect{0, 0, 300, 400}));  // growing is the caller's to apply
  DisposeWindow(w);
}

// Moving, sizing, dragging and zooming report what changed to the window's
// handlers; dragging and zooming go where the script says.
TEST_F(WindowTest, BoundsChangesReportWhatChangedAndDragAndZoomFollowTheScript) {
  WindowRef w = GetNewCWindow(8102, nullptr, kWindowInFront);
  BoundsEvents events;
  EventHandlerUPP upp = events.Watch(w);
  MoveWindow(w, 100, 80, false);
  SizeWindow(w, 300, 200, true);
  SizeWindow(w, 300, 200, true);  // no change, no event
  const Rect both{90, 50, 290, 450};
  SetWindowBounds(w, kWindowContentRgn, &both);
  ASSERT_EQ(events.seen.size(), 3u);
  EXPECT_EQ(events.seen[0].window, w);
  EXPECT_EQ(events.seen[0].attributes, kWindowBoundsChangeOriginChanged);
  EXPECT_EQ(events.seen[0].previous, (Rect{60, 20, 360, 420}));
  EXPECT_EQ(events.seen[0].current, (Rect{80, 100, 380, 500}));
  EXPECT_EQ(events.seen[1].attributes, kWindowBoundsChangeSizeChanged);
  EXPECT_EQ(events.seen[1].current, (Rect{80, 100, 280, 400}));
  EXPECT_EQ(events.seen[2].attributes, kWindowBoundsChangeSizeChanged | kWindowBoundsChangeOriginChanged);

  toolbox::PushScriptAction(toolbox::DragTargetAction(200, 100));
  const Rect desktop = toolbox::DesktopBounds();
  DragWindow(w, Point{50, 30}, &desktop);
  EXPECT_EQ(Bounds(w, kWindowContentRgn), (Rect{100, 200, 300, 600}));
  ASSERT_EQ(events.seen.size(), 4u);
  EXPECT_EQ(events.seen[3].attributes, kWindowBoundsChangeUserDrag | kWindowBoundsChangeOriginChanged);
  toolbox::PushScriptAction(toolbox::ZoomTargetAction(Rect{30, 10, 500, 700}));
  ZoomWindow(w, inZoomOut, false);
  EXPECT_EQ(Bounds(w, kWindowContentRgn), (Rect{30, 10, 500, 700}));
  ZoomWindow(w, inZoomIn, false);
  EXPECT_EQ(Bounds(w, kWindowContentRgn), (Rect{100, 200, 300, 600}));
  // Without a scripted target the standard state fills the desktop.
  ZoomWindow(w, inZoomOut, false);
  const Rect standard = Bounds(w, kWindowStructureRgn);
  EXPECT_EQ(standard.top, GetMBarHeight() + 3);
  EXPECT_EQ(standard.right, desktop.right - 3);
  DisposeWindow(w);
  DisposeEventHandlerUPP(upp);
}

// FindWindow names the part of the frontmost visible window; the grow icon is
// drawn only for windows with a grow box.
TEST_F(WindowTest, FindWindowNamesThePartUnderAPointAndTheGrowIconNeedsAGrowBox) {
  WindowRef w = GetNewCWindow(8102, nullptr, kWindowInFront);
  WindowRef hidden = GetNewCWindow(8103, nullptr, kWindowInFront);
  const std::pair<Point, SInt16> parts[] = {{{100, 100}, inContent}, {{45, 200}, inDrag},
                                                    {{44, 30}, inGoAway},    {{355, 415}, inGrow},
                                                    {{44, 408}, inZoomOut},  {{5, 5}, inMenuBar},
                                                    {{700, 900}, inDesk}};
  for (const auto& [where, part] : parts) {
    WindowRef found = nullptr;
    EXPECT_EQ(FindWindow(where, &found), part) << where.v << "," << where.h;
    EXPECT_EQ(found, part == inMenuBar || part == inDesk ? nullptr : w) << part;
  }
  ShowWindow(hidden);
  SelectWindow(w);
  for (WindowRef each : {w, hidden}) toolbox::ClearDisplayList(GetWindowPort(each));
  DrawGrowIcon(w);
  DrawGrowIcon(hidden);
  const auto& ops = GetWindowPort(w)->displayList.ops;
  EXPECT_TRUE(std::any_of(ops.begin(), ops.end(), [](const toolbox::DrawOp& op) {
    return op.kind == toolbox::DrawKind::kFrameRect && op.rect.bottom == 298;
  }));
  EXPECT_TRUE(GetWindowPort(hidden)->displayList.ops.empty());
  DisposeWindow(w);
  DisposeWindow(hidden);
}

TEST_F(WindowTest, AHandlerThatDisposesOfItsWindowEndsTheChangeSafely) {
  WindowRef w = GetNewCWindow(8102, nullptr, kWindowInFront);
  EventHandlerUPP upp = NewEventHandlerUPP([](EventHandlerCallRef, EventRef event, void*) -> OSStatus {
    WindowRef window = nullptr;
    GetEventParameter(event, kEventParamDirectObject, typeWindowRef, nullptr, sizeof window, nullptr, &window);
    DisposeWindow(window);
    return noErr;
  });
  const EventTypeSpec type{kEventClassWindow, kEventWindowBoundsChanged};
  InstallEventHandler(GetWindowEventTarget(w), upp, 1, &type, nullptr, nullptr);
  SizeWindow(w, 10, 10, true);
  EXPECT_FALSE(IsValidWindowPtr(w));
  MoveWindow(w, 1, 1, true);  // a stale window is ignored
  DisposeEventHandlerUPP(upp);
}

std::vector<int> gOrder;

template <int kId, OSStatus kResult, bool kPassOn = false>
OSStatus Handler(EventHandlerCallRef call, EventRef event, void*) {
  gOrder.push_back(kId);
  return kPassOn ? CallNextEventHandler(call, event) : kResult;
}

// The newest handler of the event's kind runs first; CallNextEventHandler
// passes the event on to older ones.
TEST_F(WindowTest, HandlersRunNewestFirstAndEventParametersAreTypedAndSized) {
  WindowRef window = GetNewCWindow(8103, nullptr, kWindowInFront);
  EventRef event = nullptr;
  CreateEvent(nullptr, kEventClassWindow, kEventWindowBoundsChanged, 0, 0, &event);
  std::vector<EventHandlerUPP> upps;
  for (const auto& [proc, kind] : {std::pair{&Handler<1, eventNotHandledErr>, kEventWindowBoundsChanged},
                                   {&Handler<2, noErr, true>, kEventWindowBoundsChanged},
                                   {&Handler<3, noErr>, kEventWindowBoundsChanging}}) {
    upps.push_back(NewEventHandlerUPP(proc));
    const EventTypeSpec type{kEventClassWindow, kind};
    ASSERT_EQ(InstallEventHandler(GetWindowEventTarget(window), upps.back(), 1, &type, nullptr, nullptr), noErr);
  }
  gOrder.clear();
  EXPECT_EQ(SendEventToEventTarget(event, GetWindowEventTarget(window)), eventNotHandledErr);
  EXPECT_EQ(gOrder, (std::vector<int>{2, 1}));
  for (EventHandlerUPP upp : upps) DisposeEventHandlerUPP(upp);

  // Parameters are typed and sized.
  const UInt32 attributes = kWindowBoundsChangeSizeChanged;
  ASSERT_EQ(SetEventParameter(event, kEventParamAttributes, typeUInt32, sizeof attributes, &attributes), noErr);
  UInt32 read = 0;
  EventParamType type = 0;
  EXPECT_EQ(GetEventParameter(event, kEventParamAttributes, typeWildCard, &type, sizeof read, nullptr, &read), noErr);
  EXPECT_EQ(read, attributes);
  EXPECT_EQ(type, typeUInt32);
  Rect wrongType{};
  EXPECT_EQ(
      GetEventParameter(event, kEventParamAttributes, typeQDRectangle, nullptr, sizeof wrongType, nullptr, &wrongType),
      errAECoercionFail);
  UInt16 tooSmall = 0;
  EXPECT_EQ(GetEventParameter(event, kEventParamAttributes, typeUInt32, nullptr, sizeof tooSmall, nullptr, &tooSmall),
            paramErr);
  EXPECT_EQ(tooSmall, 0);
  EXPECT_EQ(GetEventParameter(event, kEventParamDirectObject, typeWindowRef, nullptr, 8, nullptr, &read),
            eventParameterNotFoundErr);
  ReleaseEvent(event);
  DisposeWindow(window);
}

}  // namespace
