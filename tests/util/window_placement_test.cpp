#include "util/window_placement.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "support/extension_resources.h"
#include "support/service_spy.h"
#include "toolbox/resource_test_support.h"
#include "toolbox/script.h"
#include "util/pstring.h"

using namespace spiro;

namespace {

namespace service = vantor::service;

// Where the host was asked to place a window, as it was asked: window, owner,
// resource type and id, and the two placement values.
using Placement = std::tuple<void*, std::string, OSType, std::int16_t, std::int16_t, std::uint32_t>;

class WindowPlacementTest : public ExtensionDialogTest {
 protected:
  std::vector<Placement> placed_;
  Spy<service::HostPositionWindow> position_{[this](void* window, ConstStr255Param owner,
                                                     OSType type, std::int16_t id, std::int16_t a,
                                                     std::uint32_t b) {
    placed_.emplace_back(window, resource_test::TextOf(owner), type, id, a, b);
  }};
  // The host makes dialogs from the current resource chain.
  Spy<service::HostGetNewDialog> newDialog_{[](std::int16_t id) -> void* {
    return GetNewDialog(id, nullptr, kWindowInFront);
  }};
};

TEST_F(WindowPlacementTest, DialogsAndWindowsArePlacedByTheHostUnderTheirResource) {
  extension_.BeginResources();
  DialogRef dialog = OpenExtensionDialog(extension_, kDialogId);
  EXPECT_EQ(OpenExtensionDialog(extension_, 8199), nullptr) << "a dialog that cannot be made is not placed";
  extension_.EndResources();
  ASSERT_NE(dialog, nullptr);
  const Rect bounds{60, 40, 260, 340};
  WindowRef window = NewCWindow(nullptr, &bounds, PStringLiteral("Report").data(), true, documentProc,
                                kWindowInFront, true, 0);
  extension_.PlaceWindow(window, 8103, 3, 1);
  EXPECT_EQ(placed_, (std::vector<Placement>{
                         {GetDialogWindow(dialog), "Spirometry", FourCharCode("DLOG"), kDialogId, 0, 8},
                         {window, "Spirometry", FourCharCode("WIND"), 8103, 3, 1}}));
  DisposeWindow(window);
  DisposeDialog(dialog);
}

// Growing the window as far down as it goes ends at the minimum content.
TEST(SetMinimumWindowSize, LimitsTheContentNotTheFrameAndLeavesTheMaximum) {
  const Rect bounds{60, 40, 260, 340};
  WindowRef window = NewCWindow(nullptr, &bounds, PStringLiteral("Data").data(), true, zoomDocProc,
                                kWindowInFront, true, 0);
  HISize maximumBefore{};
  GetWindowResizeLimits(window, nullptr, &maximumBefore);
  SetMinimumWindowSize(window, 100, 120);
  toolbox::PushScriptAction(toolbox::GrowTargetAction(10, 10));
  EXPECT_EQ(GrowWindow(window, Point{0, 0}, nullptr), (120 << 16) | 100);
  HISize maximum{};
  ASSERT_EQ(GetWindowResizeLimits(window, nullptr, &maximum), noErr);
  EXPECT_EQ(maximum.width, maximumBefore.width);
  EXPECT_EQ(maximum.height, maximumBefore.height);
  DisposeWindow(window);
}

}  // namespace
