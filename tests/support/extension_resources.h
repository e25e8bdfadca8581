// An extension registered with the host together with the bundle's own
// resource file, read into memory so that tests may change it. Another
// in-memory file stays current outside BeginResources/EndResources, as a
// document's would.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "frame/extension_base.h"
#include "frame/host_services.h"
#include "host/extension_registry.h"
#include "host/service_table.h"
#include "toolbox/dialogs.h"
#include "toolbox/memory.h"
#include "toolbox/resources.h"

using namespace spiro;

// The built bundle's resources, opened from a copy in memory.
inline std::int16_t OpenBundleResources() {
  std::ifstream in(VANTOR_BUNDLE_DIR "/Contents/Resources/Spirometry.rsrc", std::ios::binary);
  return toolbox::OpenResourceBytes({std::istreambuf_iterator<char>(in), {}});
}

class TestExtension final : public VantorExtensionBase {
 public:
  std::uint32_t GetExtensionKind() override { return 0; }
};

class ExtensionResourcesTest : public ::testing::Test {
 protected:
  static constexpr std::int16_t kHostRef = 7;

  void SetUp() override {
    SetHostServiceTable(host::ServicesAddress());
    extensionFile_ = OpenBundleResources();
    documentFile_ = toolbox::OpenResourceBytes(toolbox::EmptyResourceFileBytes());
    ASSERT_TRUE(extensionFile_ > 0 && documentFile_ > 0);
    host::RegisterExtension({kHostRef, "Spirometry", extensionFile_});
    UseResFile(documentFile_);
    extension_.hostRef = kHostRef;
  }
  void TearDown() override {
    toolbox::FailAllocationAfter(0);
    host::UnregisterExtension(kHostRef);
    CloseResFile(documentFile_);
    CloseResFile(extensionFile_);
  }

  TestExtension extension_;
  std::int16_t extensionFile_ = -1;
  std::int16_t documentFile_ = -1;
};

// The copy format dialog of the extension: OK, Cancel, two texts and two
// radio buttons (5, 6).
class ExtensionDialogTest : public ExtensionResourcesTest {
 protected:
  static constexpr std::int16_t kDialogId = 8115;

  // The dialog made from the extension's resources, as the host makes it.
  DialogRef MakeDialog() {
    extension_.BeginResources();
    DialogRef dialog = GetNewDialog(kDialogId, nullptr, kWindowInFront);
    extension_.EndResources();
    return dialog;
  }
};
