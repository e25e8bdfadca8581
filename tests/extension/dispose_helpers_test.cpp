#include "extension/dispose_helpers.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/service_spy.h"
#include "frame/host_services.h"
#include "toolbox/memory.h"
#include "util/pstring.h"

using namespace spiro;

namespace {

// Each helper frees once and nulls the reference, so a second call (as on
// every error path that disposes what it made) finds nothing to free.
TEST(DisposeHelpers, FreeOnceAndNullTheReferences) {
  SetHostServiceTable(host::ServicesAddress());
  const auto owner = toolbox::CurrentMemoryOwner();
  const auto handlesBefore = toolbox::LiveHandleCount(owner);
  Handle handle = HostNewHandle(16);
  RgnHandle region = NewRgn();
  MenuRef menu = NewMenu(300, PStringLiteral("Test").data());
  const Rect bounds{60, 40, 260, 340};
  WindowRef window = NewCWindow(nullptr, &bounds, PStringLiteral("Data").data(), false, documentProc,
                                kWindowInFront, false, 0);
  const MenuRef keptMenu = menu;
  const WindowRef keptWindow = window;
  Spy<vantor::service::HostDisposeObject384> disposeObject;
  void* const scale = reinterpret_cast<void*>(0x4000);
  void* object = scale;
  for (int i = 0; i < 2; ++i) {
    DisposeHandleAndClear(&handle);
    DisposeRgnAndClear(&region);
    DisposeMenuAndClear(&menu);
    DisposeObjectAndClear(&object);
    DisposeWindowAndClear(&window);
  }
  EXPECT_TRUE(handle == nullptr && region == nullptr && menu == nullptr && object == nullptr && window == nullptr);
  EXPECT_EQ(toolbox::LiveHandleCount(owner), handlesBefore);
  EXPECT_FALSE(toolbox::IsLiveMenu(keptMenu));
  EXPECT_FALSE(IsValidWindowPtr(keptWindow));
  EXPECT_EQ(disposeObject.calls(), (std::vector<std::tuple<void*>>{{scale}}));
}

}  // namespace
