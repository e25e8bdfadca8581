// The window extension as the loaded bundle, on a document of the real host:
// every message from 6 to 7, and nothing of the document's left behind.
#include "computed/spirometry_host.h"
#include "host/document.h"
#include "host/extension_locals.h"
#include "host/extension_windows.h"
#include "host/selection.h"
#include "toolbox/memory.h"

namespace {

class WindowExtensionOnADocument : public spirotest::SpirometryHostTest {};

TEST_F(WindowExtensionOnADocument, LivesFromMessage6To7AndLeavesNoHandleBehind) {
  host::Document& document = MakeRecording({std::vector<float>(600, 100.0f)});
  AttachFlowAndVolume();
  const host::Extension* spirometry = LoadedBundle().Find("Main1");
  ASSERT_NE(spirometry, nullptr);
  ASSERT_TRUE(document.extensions().Open(*spirometry));
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

}  // namespace
