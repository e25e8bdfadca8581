// Carbon event handlers: newest first, passing on with CallNextEventHandler,
// matching by class and kind, typed parameters.
#include "toolbox/carbon_events.h"

#include <gtest/gtest.h>

#include "toolbox/resource_test_support.h"
#include "toolbox/windows.h"

namespace {

using resource_test::PString;

struct Calls {
  std::vector<int> order;
};

template <int kId, OSStatus kResult, bool kPassOn = false>
OSStatus Handler(EventHandlerCallRef call, EventRef event, void* data) {
  auto* calls = static_cast<Calls*>(data);
  calls->order.push_back(kId);
  if (kPassOn) return CallNextEventHandler(call, event);
  return kResult;
}

class CarbonEventTest : public testing::Test {
 protected:
  void SetUp() override {
    const Rect bounds{40, 40, 100, 100};
    window_ = NewCWindow(nullptr, &bounds, PString("W").get(), true, documentProc, kWindowInFront, false, 0);
    CreateEvent(nullptr, kEventClassWindow, kEventWindowBoundsChanged, 0, 0, &event_);
  }
  void TearDown() override {
    ReleaseEvent(event_);
    DisposeWindow(window_);
    for (EventHandlerUPP upp : upps_) DisposeEventHandlerUPP(upp);
  }

  EventHandlerRef Install(EventHandlerProcPtr proc, UInt32 kind = kEventWindowBoundsChanged) {
    upps_.push_back(NewEventHandlerUPP(proc));
    const EventTypeSpec type{kEventClassWindow, kind};
    EventHandlerRef ref = nullptr;
    EXPECT_EQ(InstallEventHandler(GetWindowEventTarget(window_), upps_.back(), 1, &type, &calls_, &ref), noErr);
    return ref;
  }

  WindowRef window_ = nullptr;
  EventRef event_ = nullptr;
  Calls calls_;
  std::vector<EventHandlerUPP> upps_;
};

// The newest handler of the event's kind runs first; CallNextEventHandler
// passes the event on to older ones.
TEST_F(CarbonEventTest, CallNextEventHandlerPassesTheEventToOlderHandlers) {
  Install(&Handler<1, eventNotHandledErr>);
  Install(&Handler<2, noErr, true>);
  Install(&Handler<3, noErr>, kEventWindowBoundsChanging);
  EXPECT_EQ(SendEventToEventTarget(event_, GetWindowEventTarget(window_)), eventNotHandledErr);
  EXPECT_EQ(calls_.order, (std::vector<int>{2, 1}));
}

TEST_F(CarbonEventTest, ParametersAreTypedAndSized) {
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
