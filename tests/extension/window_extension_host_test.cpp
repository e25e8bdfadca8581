// The window extension as the loaded bundle, on a document of the real host:
// every message from 6 to 7, and nothing of the document's left behind.
#include "computed/spirometry_host.h"
#include "extension/spiro_records.h"
#include "host/document_settings.h"
#include "host/document.h"
#include "host/extension_locals.h"
#include "host/extension_windows.h"
#include "host/selection.h"
#include "toolbox/memory.h"
#include "toolbox/resources.h"
#include "util/settings_store.h"

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

// Saving puts the settings into the document's own resource file; opening
// takes them back, unless the document is opened without them.
TEST_F(WindowExtensionOnADocument, SettingsTravelWithTheDocumentsResourceFile) {
  host::Document& document = MakeRecording({std::vector<float>(600, 100.0f)});
  const host::Extension* spirometry = LoadedBundle().Find("Main1");
  ASSERT_NE(spirometry, nullptr);
  ASSERT_TRUE(document.extensions().Open(*spirometry));
  auto& record = **reinterpret_cast<spirometry::LocalDataType**>(document.extensions().LocalOf(spirometry->hostRef));
  const std::int16_t hostFile = CurResFile();
  record.forcedFactor = 3.0;
  host::AnnounceDocumentSave(document);
  EXPECT_EQ(CurResFile(), hostFile);
  UseResFile(document.resourceFile());
  EXPECT_EQ(Count1Resources(kSettingsResourceType), 1);
  UseResFile(hostFile);

  record.forcedFactor = 1.5;
  host::AnnounceDocumentOpened(document, false);
  EXPECT_EQ(record.forcedFactor, 1.5);
  host::AnnounceDocumentOpened(document);
  EXPECT_EQ(record.forcedFactor, 3.0);
  document.extensions().Close(spirometry->hostRef);
}

}  // namespace
