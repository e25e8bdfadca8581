// The host's list of extension windows (73), harmless on dead windows, and
// where the host places windows and dialogs (302).
#include <gtest/gtest.h>

#include "host/extension_windows.h"
#include "host/window_placement.h"
#include "service_call.h"
#include "toolbox/resource_test_support.h"
#include "toolbox/windows.h"

namespace {

using namespace vantor::service;
using resource_test::PString;
using testext::Call;

class WindowServices : public ::testing::Test {
 protected:
  void SetUp() override {
    host::ForgetPlacements();
    host::ForgetExtensionWindows();
  }
  void TearDown() override {
    for (WindowRef w : made_) {
      if (IsValidWindowPtr(w)) DisposeWindow(w);
    }
    host::ForgetPlacements();
  }
  WindowRef MakeWindow(const Rect& bounds, bool visible = true) {
    WindowRef w = NewCWindow(nullptr, &bounds, PString("Report").get(), visible, zoomDocProc, kWindowInFront,
                             true, 0);
    made_.push_back(w);
    return w;
  }
  static Rect Content(WindowRef w) {
    Rect r{};
    GetWindowBounds(w, kWindowContentRgn, &r);
    return r;
  }
  void Place(WindowRef w, OSType type, std::int16_t id, std::int16_t subKey, std::uint32_t flags) {
    Call<HostPositionWindow>(static_cast<void*>(w), PString("Spirometry").get(), type, id, subKey, flags);
  }

 private:
  std::vector<WindowRef> made_;
};

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

TEST_F(WindowServices, ADialogIsFirstCentredThenReopensWhereTheUserLeftIt) {
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
}

TEST_F(WindowServices, AWindowGetsItsRememberedPlaceAndSize) {
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

}  // namespace
