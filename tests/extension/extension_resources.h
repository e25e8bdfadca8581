// An extension registered with the host together with a resource file of its
// own, kept in memory, that tests fill with the resources they need. Another
// in-memory file stays current outside BeginResources/EndResources, as a
// document's would.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "frame/extension_base.h"
#include "frame/host_services.h"
#include "host/extension_registry.h"
#include "host/service_table.h"
#include "toolbox/compiled_resources.h"
#include "toolbox/dialogs.h"
#include "toolbox/resource_file_format.h"
#include "toolbox/memory.h"
#include "toolbox/resources.h"

using namespace spiro;

class TestExtension final : public VantorExtensionBase {
 public:
  std::uint32_t GetExtensionKind() override { return 0; }
};

class ExtensionResourcesTest : public ::testing::Test {
 protected:
  static constexpr std::int16_t kHostRef = 7;

  void SetUp() override {
    SetHostServiceTable(host::ServicesAddress());
    extensionFile_ = toolbox::OpenResourceBytes(toolbox::EmptyResourceFileBytes());
    documentFile_ = toolbox::OpenResourceBytes(toolbox::EmptyResourceFileBytes());
    ASSERT_GT(extensionFile_, 0);
    ASSERT_GT(documentFile_, 0);
    host::RegisterExtension({kHostRef, "Spirometry", extensionFile_});
    extension_.hostRef = kHostRef;
  }
  void TearDown() override {
    toolbox::FailAllocationAfter(0);
    host::UnregisterExtension(kHostRef);
    CloseResFile(documentFile_);
    CloseResFile(extensionFile_);
  }

  // Adds these resources (written as the bundle's are) to the extension's file.
  void AddExtensionResources(const std::string& toml) {
    toolbox::ResourceFileContents contents;
    ASSERT_EQ(toolbox::ParseResourceFile(toolbox_test::CompileResources(toml), contents), noErr);
    UseResFile(extensionFile_);
    for (const toolbox::ResourceRecord& record : contents.resources) {
      Handle h = NewHandle(static_cast<Size>(record.data.size()));
      std::copy(record.data.begin(), record.data.end(), *h);
      AddResource(h, record.type, record.id, nullptr);
      ASSERT_EQ(ResError(), noErr);
    }
    UseResFile(documentFile_);
  }

  TestExtension extension_;
  std::int16_t extensionFile_ = -1;
  std::int16_t documentFile_ = -1;
};

// Dialog 8110 of the extension: OK, Cancel, three radio buttons (3..5) and a
// user item (6).
class ExtensionDialogTest : public ExtensionResourcesTest {
 protected:
  static constexpr std::int16_t kDialogId = 8110;

  void SetUp() override {
    ExtensionResourcesTest::SetUp();
    AddExtensionResources(R"(
[[DLOG]]
id = 8110
title = ""
bounds = [100, 100, 300, 400]
proc = "movableDBoxProc"
visible = true
items = 8110

[[DITL]]
id = 8110
items = [
  { kind = "button", bounds = [160, 220, 180, 290], text = "OK" },
  { kind = "button", bounds = [160, 130, 180, 200], text = "Cancel" },
  { kind = "radio", bounds = [20, 20, 36, 200], text = "Litres" },
  { kind = "radio", bounds = [40, 20, 56, 200], text = "Millilitres" },
  { kind = "radio", bounds = [60, 20, 76, 200], text = "Cubic feet" },
  { kind = "user", bounds = [90, 20, 130, 280] },
]
)");
  }

  // The dialog made from the extension's resources, as the host makes it.
  DialogRef MakeDialog() {
    extension_.BeginResources();
    DialogRef dialog = GetNewDialog(kDialogId, nullptr, kWindowInFront);
    extension_.EndResources();
    return dialog;
  }
};
