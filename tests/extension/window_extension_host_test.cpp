// The window extension as the loaded bundle, on a document of the real host:
// every message from 6 to 7, and nothing of the document's left behind.
#include "support/spirometry_host.h"
#include "host/command_delivery.h"
#include "host/command_journal.h"
#include "host/document.h"
#include "host/extension_locals.h"
#include "host/extension_registry.h"
#include "host/extension_windows.h"
#include "host/selection.h"
#include "host/window_events.h"
#include "host/window_placement.h"
#include "toolbox/memory.h"
#include "toolbox/script.h"
#include "vantor/byte_access.h"

namespace {

class WindowExtensionOnADocument : public spirotest::SpirometryHostTest {
 protected:
  // A recording (with the computed flow and volume, if asked) and the window extension opened on it.
  host::Document& OpenOnARecording(bool computedChannels = false) {
    host::Document& document = MakeRecording({std::vector<float>(600, 100.0f)});
    if (computedChannels) AttachFlowAndVolume();
    spirometry = LoadedBundle().Find("Main1");
    EXPECT_TRUE(spirometry != nullptr && document.extensions().Open(*spirometry));
    return document;
  }
  const host::Extension* spirometry = nullptr;
};

TEST_F(WindowExtensionOnADocument, LivesFromMessage6To7AndLeavesNoHandleBehind) {
  host::Document& document = OpenOnARecording(true);
  ASSERT_NE(spirometry, nullptr);
  const Handle local = document.extensions().LocalOf(spirometry->hostRef);
  ASSERT_NE(local, nullptr);
  host::ChangeSelection(document, {0, 500});
  for (const std::int16_t request : {3, 200, 203, 400, 402}) {
    document.extensions().SendMenuCommand(request, 0, 0);
  }
  EXPECT_TRUE(toolbox::IsLiveHandle(local));
  document.extensions().Close(spirometry->hostRef);
  EXPECT_EQ(toolbox::LiveHandleCount(spirometry->hostRef), 0u);
}

// The user's actions on the front "Flow-Volume Plot" window (420 × 400 from
// its resource), and the command its extension files for each.
struct UserActionCase {
  const char* script;
  std::uint16_t code;
  std::int16_t first, second;  // the command's first values; a flag is one byte
  bool flag;
};

class UserActions : public WindowExtensionOnADocument, public ::testing::WithParamInterface<UserActionCase> {};

TEST_P(UserActions, BecomeTheWindowsCommands) {
  const UserActionCase c = GetParam();
  host::ForgetPlacements();  // the window opens at its resource's size
  host::Document& document = OpenOnARecording();
  ASSERT_NE(spirometry, nullptr);
  const auto showPlot = static_cast<std::uint16_t>(host::MapExtensionId(16388, spirometry->hostRef));
  ASSERT_TRUE(host::PerformUserCommand(document, showPlot));
  const WindowRef window = FrontNonFloatingWindow();
  toolbox::ClearScript();
  std::string problem;
  ASSERT_TRUE(toolbox::QueueScriptText(c.script, &problem)) << problem;
  EXPECT_GT(host::DispatchUserActions(document), 0);
  EXPECT_EQ(toolbox::PendingScriptActions(), 0u);
  ASSERT_FALSE(document.journal().empty());
  const host::JournalEntry& filed = document.journal().entries().back();
  EXPECT_EQ(filed.localCode, c.code);
  EXPECT_EQ(filed.index, 2);
  if (c.flag) {
    EXPECT_EQ(filed.values.at(0), c.first);
  } else {
    EXPECT_EQ(vantor::LoadAt<std::int16_t>(filed.values.data(), 0), c.first);
    EXPECT_EQ(vantor::LoadAt<std::int16_t>(filed.values.data(), 2), c.second);
  }
  Rect bounds{};
  GetWindowPortBounds(window, &bounds);
  if (c.code == 11) {
    EXPECT_EQ(bounds, (Rect{0, 0, c.second, c.first}));
  }
  EXPECT_EQ(IsWindowVisible(window), c.code != 0) << "closing hides";
  toolbox::ClearScript();
  document.extensions().Close(spirometry->hostRef);
}

INSTANTIATE_TEST_SUITE_P(
    Script, UserActions,
    ::testing::Values(UserActionCase{"grow 400 300", 11, 400, 300, false},
                      UserActionCase{"click 410 390; grow 500 450", 11, 500, 450, false},
                      UserActionCase{"drag 150 200", 10, 150, 200, false},
                      UserActionCase{"click 100 -11; drag 160 210", 10, 160, 210, false},
                      UserActionCase{"zoom 100 100 500 700", 12, 0, 0, true},
                      UserActionCase{"click 408 -11", 12, 0, 0, true},
                      UserActionCase{"click 12 -11", 0, 0, 0, true},
                      UserActionCase{"click 413 23; choose 1", 27, 1, 0, false}));

}  // namespace
