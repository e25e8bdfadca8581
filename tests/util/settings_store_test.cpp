#include "util/settings_store.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "frame/host_services.h"
#include "host/alerts.h"
#include "host/service_table.h"
#include "toolbox/memory.h"
#include "toolbox/resource_test_support.h"
#include "toolbox/resources.h"
#include "util/pstring.h"

using namespace spiro;

namespace {

// A record of one u32 and two u16, stored big-endian.
class SwappingExtension final : public VantorExtensionBase {
 public:
  std::uint32_t GetExtensionKind() override { return 0; }
  std::int32_t SwapSettingsByteOrder(void* data, std::uint32_t size, bool) override {
    auto* p = static_cast<unsigned char*>(data);
    if (size >= 4) std::swap(p[0], p[3]), std::swap(p[1], p[2]);
    if (size >= 6) std::swap(p[4], p[5]);
    if (size >= 8) std::swap(p[6], p[7]);
    return 0;
  }
};

constexpr auto kName = PStringLiteral("Resp Settings");

Handle MakeRecord(std::uint32_t a, std::uint16_t b, std::uint16_t c) {
  Handle h = NewHandle(8);
  std::memcpy(*h, &a, 4);
  std::memcpy(*h + 4, &b, 2);
  std::memcpy(*h + 6, &c, 2);
  return h;
}

std::vector<unsigned char> Bytes(Handle h) {
  return std::vector<unsigned char>(*h, *h + GetHandleSize(h));
}

class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetHostServiceTable(host::ServicesAddress());
    ASSERT_EQ(toolbox::CreateResourceFile(path_.c_str()), noErr);
    file_ = toolbox::OpenResourceFile(path_.c_str(), false);
    ASSERT_GT(file_, 0);
    host::ClearAlerts();
    host::SetAlertsQuiet(true);
  }
  void TearDown() override {
    toolbox::FailAllocationAfter(0);
    CloseResFile(file_);
    host::SetAlertsQuiet(false);
  }
  void Reopen() {
    CloseResFile(file_);
    file_ = toolbox::OpenResourceFile(path_.c_str(), false);
    ASSERT_GT(file_, 0);
  }
  // The stored record after reopening the file, in native order (empty if none).
  std::vector<unsigned char> Loaded() {
    Reopen();
    Handle loaded = LoadNamedSettings(extension_, kName.data());
    if (loaded == nullptr) return {};
    const auto bytes = Bytes(loaded);
    DetachResource(loaded);
    DisposeHandle(loaded);
    return bytes;
  }
  resource_test::TempDir dir_;
  const std::string path_ = dir_.File("settings.rsrc");
  std::int16_t file_ = -1;
  SwappingExtension extension_;
};

// A saved record is stored big-endian and loads native; saving again
// replaces it, a failed save keeps it, and saving null deletes it.
TEST_F(SettingsStoreTest, SaveReplaceFailAndDelete) {
  Handle record = MakeRecord(0x01020304, 0x0A0B, 0x0C0D);
  Handle second = MakeRecord(2, 2, 2);
  const auto native = Bytes(record);
  ASSERT_EQ(SaveNamedSettings(extension_, kName.data(), record), 0);
  EXPECT_EQ(Bytes(record), native) << "the caller's record keeps its native order";
  Reopen();
  SetResLoad(true);
  Handle stored = Get1NamedResource(kSettingsResourceType, kName.data());
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(Bytes(stored), (std::vector<unsigned char>{1, 2, 3, 4, 0x0A, 0x0B, 0x0C, 0x0D}));
  ReleaseResource(stored);
  EXPECT_EQ(Loaded(), native);

  ASSERT_EQ(SaveNamedSettings(extension_, kName.data(), second), 0);
  EXPECT_EQ(Loaded(), Bytes(second));
  EXPECT_EQ(Count1Resources(kSettingsResourceType), 1);
  toolbox::FailAllocationAfter(1);
  EXPECT_EQ(SaveNamedSettings(extension_, kName.data(), record), memFullErr);
  toolbox::FailAllocationAfter(0);
  EXPECT_EQ(Loaded(), Bytes(second)) << "a failed save must not lose what was stored";

  EXPECT_EQ(SaveNamedSettings(extension_, kName.data(), nullptr), 0);
  EXPECT_TRUE(Loaded().empty());
  EXPECT_EQ(Count1Resources(kSettingsResourceType), 0);
  EXPECT_EQ(SaveNamedSettings(extension_, kName.data(), nullptr), 0) << "nothing to delete is fine";
  for (Handle h : {record, second}) DisposeHandle(h);
}

TEST_F(SettingsStoreTest, StringListsAreTheCallersCopyOrAnAlertWhenMissing) {
  EXPECT_EQ(GetStringList(8300), nullptr);
  ASSERT_EQ(host::Alerts().size(), 1u);
  EXPECT_EQ(host::Alerts()[0].text, "Could not find STR# resource with ID=8300");

  Handle data = NewHandle(4);
  std::memcpy(*data, "\x00\x01\x01\x41", 4);  // a list of one string, "A"
  AddResource(data, FourCharCode("STR#"), 8100, PStringLiteral("").data());
  WriteResource(data);
  Reopen();
  Handle list = GetStringList(8100);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(Bytes(list), (std::vector<unsigned char>{0, 1, 1, 'A'}));
  EXPECT_EQ(HGetState(list) & kHandleResourceBit, 0) << "no longer a resource";
  Handle again = Get1Resource(FourCharCode("STR#"), 8100);
  EXPECT_NE(again, list) << "the file hands out a fresh copy";
  ReleaseResource(again);
  DisposeHandle(list);
}

}  // namespace
