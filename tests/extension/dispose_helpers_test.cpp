#include "extension/dispose_helpers.h"

#include <gtest/gtest.h>

#include <tuple>

#include "extension/service_spy.h"
#include "frame/host_services.h"
#include "toolbox/memory.h"
#include "util/pstring.h"

using namespace spiro;

namespace {

class DisposeHelpersTest : public ::testing::Test {
 protected:
  void SetUp() override { SetHostServiceTable(host::ServicesAddress()); }
};

TEST_F(DisposeHelpersTest, MemoryMenusAndHostObjectsAreFreedOnceAndTheReferencesNulled) {
  const auto owner = toolbox::CurrentMemoryOwner();
  const auto handlesBefore = toolbox::LiveHandleCount(owner);
  const auto ptrsBefore = toolbox::LivePtrCount(owner);
  Handle handle = HostNewHandle(16);
  Ptr pointer = HostNewPtr(16);
  RgnHandle region = NewRgn();
  MenuRef menu = NewMenu(300, PStringLiteral("Test").data());
  const MenuRef keptMenu = menu;
  ASSERT_TRUE(handle != nullptr && pointer != nullptr && region != nullptr && menu != nullptr);
  Spy<vantor::service::HostDisposeObject384> disposeObject;
  void* const scale = reinterpret_cast<void*>(0x4000);
  void* object = scale;

  for (int i = 0; i < 2; ++i) {  // the second round finds null references
    DisposeHandleAndClear(&handle);
    DisposePtrAndClear(&pointer);
    DisposeRgnAndClear(&region);
    DisposeMenuAndClear(&menu);
    DisposeObjectAndClear(&object);
  }
  EXPECT_TRUE(handle == nullptr && pointer == nullptr && region == nullptr && menu == nullptr &&
              object == nullptr);
  EXPECT_EQ(toolbox::LiveHandleCount(owner), handlesBefore);
  EXPECT_EQ(toolbox::LivePtrCount(owner), ptrsBefore);
  EXPECT_FALSE(toolbox::IsLiveMenu(keptMenu));
  ASSERT_EQ(disposeObject.count(), 1u);
  EXPECT_EQ(std::get<0>(disposeObject.last()), scale);
}

TEST_F(DisposeHelpersTest, WindowsDialogsAndFiltersAreDisposedOnceAndTheReferencesNulled) {
  const Rect bounds{60, 40, 260, 340};
  WindowRef window = NewCWindow(nullptr, &bounds, PStringLiteral("Data").data(), false,
                                documentProc, kWindowInFront, false, 0);
  WindowRef keptWindow = window;
  ModalFilterUPP filter = NewModalFilterUPP(&StdFilterProc);
  ASSERT_TRUE(window != nullptr && filter != nullptr);
  DialogRef dialog = nullptr;  // a dialog that was never made

  for (int i = 0; i < 2; ++i) {
    DisposeWindowAndClear(&window);
    DisposeDialogAndClear(&dialog);
    DisposeModalFilterAndClear(&filter);
  }
  EXPECT_EQ(window, nullptr);
  EXPECT_FALSE(IsValidWindowPtr(keptWindow));
  EXPECT_EQ(filter, nullptr);
  EXPECT_EQ(dialog, nullptr);
}

}  // namespace
