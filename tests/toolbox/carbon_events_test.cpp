// Carbon event handlers: newest first, passing on with CallNextEventHandler,
// matching by class and kind, typed parameters.
#include "toolbox/carbon_events.h"

#include <gtest/gtest.h>

#include "toolbox/toolbox_test.h"
#include "toolbox/windows.h"

namespace {

std::vector<int> gOrder;

template <int kId, OSStatus kResult, bool kPassOn = false>
OSStatus Handler(EventHandlerCallRef call, EventRef event, void*) {
  gOrder.push_back(kId);
  return kPassOn ? CallNextEventHandler(call, event) : kResult;
}

class CarbonEventTest : public toolbox_test::ToolboxTest {
 protected:
  void SetUp() override {
    ToolboxTest::SetUp();
    const Rect bounds{40, 40, 100, 100};
    window_ = NewCWindow(nullptr, &bounds, nullptr, true, documentProc, kWindowInFront, false, 0);
    CreateEvent(nullptr, kEventClassWindow, kEventWindowBoundsChanged, 0, 0, &event_);
  }
  void TearDown() override {
    ReleaseEvent(event_);
    DisposeWindow(window_);
    ToolboxTest::TearDown();
  }

  WindowRef window_ = nullptr;
  EventRef event_ = nullptr;
};

// The newest handler of the event's kind runs first; CallNextEventHandler
// passes the event on to older ones.
TEST_F(CarbonEventTest, HandlersRunNewestFirstAndParametersAreTypedAndSized) {
  std::vector<EventHandlerUPP> upps;
  for (const auto& [proc, kind] : {std::pair{&Handler<1, eventNotHandledErr>, kEventWindowBoundsChanged},
                                   {&Handler<2, noErr, true>, kEventWindowBoundsChanged},
                                   {&Handler<3, noErr>, kEventWindowBoundsChanging}}) {
    upps.push_back(NewEventHandlerUPP(proc));
    const EventTypeSpec type{kEventClassWindow, kind};
    ASSERT_EQ(InstallEventHandler(GetWindowEventTarget(window_), upps.back(), 1, &type, nullptr, nullptr), noErr);
  }
  gOrder.clear();
  EXPECT_EQ(SendEventToEventTarget(event_, GetWindowEventTarget(window_)), eventNotHandledErr);
  EXPECT_EQ(gOrder, (std::vector<int>{2, 1}));
  for (EventHandlerUPP upp : upps) DisposeEventHandlerUPP(upp);

  // Parameters are typed and sized.
  const UInt32 attributes = kWindowBoundsChangeSizeChanged;
  ASSERT_EQ(SetEventParameter(event_, kEventParamAttributes, typeUInt32, sizeof attributes, &attributes), noErr);
  UInt32 read = 0;
  EventParamType type = 0;
  EXPECT_EQ(GetEventParameter(event_, kEventParamAttributes, typeWildCard, &type, sizeof read, nullptr, &read), noErr);
  EXPECT_EQ(read, attributes);
  EXPECT_EQ(type, typeUInt32);
  Rect wrongType{};
  EXPECT_EQ(
      GetEventParameter(event_, kEventParamAttributes, typeQDRectangle, nullptr, sizeof wrongType, nullptr, &wrongType),
      errAECoercionFail);
  UInt16 tooSmall = 0;
  EXPECT_EQ(GetEventParameter(event_, kEventParamAttributes, typeUInt32, nullptr, sizeof tooSmall, nullptr, &tooSmall),
            paramErr);
  EXPECT_EQ(tooSmall, 0);
  EXPECT_EQ(GetEventParameter(event_, kEventParamDirectObject, typeWindowRef, nullptr, 8, nullptr, &read),
            eventParameterNotFoundErr);
}

}  // namespace
