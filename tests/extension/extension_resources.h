// An extension registered with the host together with a resource file of its
// own, kept in memory, that tests fill with the resources they need. Another
// in-memory file stays current outside BeginResources/EndResources, as a
// document's would.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <vector>

#include "frame/extension_base.h"
#include "frame/host_services.h"
#include "host/extension_registry.h"
#include "host/service_table.h"
#include "toolbox/dialogs.h"
#include "toolbox/memory.h"
#include "toolbox/resources.h"

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

  // Adds a resource with these bytes to the extension's file.
  void AddExtensionResource(ResType type, std::int16_t id,
                            const std::vector<unsigned char>& bytes) {
    UseResFile(extensionFile_);
    Handle h = NewHandle(static_cast<Size>(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), *h);
    AddResource(h, type, id, nullptr);
    ASSERT_EQ(ResError(), noErr);
    UseResFile(documentFile_);
  }

  TestExtension extension_;
  std::int16_t extensionFile_ = -1;
  std::int16_t documentFile_ = -1;
};

// Stored forms of the resources the helpers read.
inline std::vector<unsigned char> StringListBytes(const std::vector<std::string_view>& strings) {
  std::vector<unsigned char> bytes{0, static_cast<unsigned char>(strings.size())};
  for (std::string_view s : strings) {
    bytes.push_back(static_cast<unsigned char>(s.size()));
    bytes.insert(bytes.end(), s.begin(), s.end());
  }
  return bytes;
}

inline void PushBigEndian16(std::vector<unsigned char>& bytes, int value) {
  bytes.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
  bytes.push_back(static_cast<unsigned char>(value & 0xFF));
}

inline void PushRect(std::vector<unsigned char>& bytes, const Rect& r) {
  for (int v : {r.top, r.left, r.bottom, r.right}) PushBigEndian16(bytes, v);
}

// A visible movable 'DLOG' with its item list itemsId and no title.
inline std::vector<unsigned char> DialogBytes(const Rect& bounds, std::int16_t itemsId) {
  std::vector<unsigned char> bytes;
  PushRect(bytes, bounds);
  PushBigEndian16(bytes, 5);  // movableDBoxProc
  bytes.insert(bytes.end(), {1, 0, 0, 0, 0, 0, 0, 0});  // visible, goAway, refCon
  PushBigEndian16(bytes, itemsId);
  bytes.push_back(0);  // title
  bytes.push_back(0);  // pad
  return bytes;
}

struct ItemSpec {
  Rect rect;
  unsigned char kind;  // as stored in a 'DITL'
  std::string_view text;
};

inline std::vector<unsigned char> ItemListBytes(const std::vector<ItemSpec>& items) {
  std::vector<unsigned char> bytes;
  PushBigEndian16(bytes, static_cast<int>(items.size()) - 1);
  for (const ItemSpec& item : items) {
    bytes.insert(bytes.end(), {0, 0, 0, 0});
    PushRect(bytes, item.rect);
    bytes.push_back(item.kind);
    bytes.push_back(static_cast<unsigned char>(item.text.size()));
    bytes.insert(bytes.end(), item.text.begin(), item.text.end());
    if (bytes.size() % 2 != 0) bytes.push_back(0);
  }
  return bytes;
}

// A 'MENU' with these items (no icons, keys, marks or styles), all enabled.
inline std::vector<unsigned char> MenuBytes(std::int16_t id, std::string_view title,
                                            const std::vector<std::string_view>& items) {
  std::vector<unsigned char> bytes{static_cast<unsigned char>(id >> 8),
                                   static_cast<unsigned char>(id & 0xFF),
                                   0, 0, 0, 0,    // width, height
                                   0, 0, 0, 0,    // procID, filler
                                   0xFF, 0xFF, 0xFF, 0xFF};
  bytes.push_back(static_cast<unsigned char>(title.size()));
  bytes.insert(bytes.end(), title.begin(), title.end());
  for (std::string_view item : items) {
    bytes.push_back(static_cast<unsigned char>(item.size()));
    bytes.insert(bytes.end(), item.begin(), item.end());
    bytes.insert(bytes.end(), {0, 0, 0, 0});
  }
  bytes.push_back(0);
  return bytes;
}

// Dialog 8110 of the extension: OK, Cancel, three radio buttons (3..5) and a
// user item (6).
class ExtensionDialogTest : public ExtensionResourcesTest {
 protected:
  static constexpr std::int16_t kDialogId = 8110;

  void SetUp() override {
    ExtensionResourcesTest::SetUp();
    AddExtensionResource(FourCharCode("DLOG"), kDialogId,
                         DialogBytes(Rect{100, 100, 300, 400}, kDialogId));
    AddExtensionResource(FourCharCode("DITL"), kDialogId,
                         ItemListBytes({{Rect{160, 220, 180, 290}, 4, "OK"},
                                        {Rect{160, 130, 180, 200}, 4, "Cancel"},
                                        {Rect{20, 20, 36, 200}, 6, "Litres"},
                                        {Rect{40, 20, 56, 200}, 6, "Millilitres"},
                                        {Rect{60, 20, 76, 200}, 6, "Cubic feet"},
                                        {Rect{90, 20, 130, 280}, 0, ""}}));
  }

  // The dialog made from the extension's resources, as the host makes it.
  DialogRef MakeDialog() {
    extension_.BeginResources();
    DialogRef dialog = GetNewDialog(kDialogId, nullptr, kWindowInFront);
    extension_.EndResources();
    return dialog;
  }
};
