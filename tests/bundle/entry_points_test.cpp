// The built bundle, loaded by the real host and spoken to through its entry points.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "host/bundle.h"
#include "host/command_delivery.h"
#include "host/extension_registry.h"
#include "host/host_context.h"
#include "support/bundle_suite.h"

namespace {

class BuiltBundle : public BundleSuite {
 protected:
  static const host::Extension& Entry(const char* name) {
    const host::Extension* ext = bundle_->Find(name);
    EXPECT_NE(ext, nullptr) << name;
    return *ext;
  }
};

TEST_F(BuiltBundle, EachEntryAnswersItsKindInitializesAndIgnoresUnknownMessages) {
  ASSERT_EQ(bundle_->extensions().size(), 3u);
  EXPECT_EQ(Entry("Main1").kind, 0x10002u);
  EXPECT_EQ(Entry("Main3").kind, 0x10003u);
  EXPECT_EQ(Entry("Main5").kind, 0x10003u);
  for (const host::Extension& ext : bundle_->extensions()) {
    EXPECT_TRUE(ext.initialized) << ext.entryName;
    EXPECT_EQ(ext.Send(2), 1) << ext.entryName;
    EXPECT_EQ(ext.Send(3), 0) << ext.entryName;
    const std::int16_t pastTheTable = ext.kind == 0x10002u ? 22 : 18;
    for (std::int16_t message : {pastTheTable, std::int16_t{-1}, std::int16_t{-32768}, std::int16_t{32767}}) {
      EXPECT_EQ(ext.Send(message), 0) << ext.entryName << " message " << message;
    }
  }
}

TEST_F(BuiltBundle, WindowExtensionRegistersItsSettingsSwapUnderItsHostRef) {
  const host::Extension& main1 = Entry("Main1");
  host::ResetHostContext();
  host::ParamBlock block;
  block.Set<std::uint16_t>(0, 0xFFFF);
  EXPECT_EQ(main1.Send(0, block), 0);
  EXPECT_EQ(main1.Send(4), 0);

  // The settings swap is installed under the key of local code 25 for hostRef -1.
  EXPECT_NE(host::CommandSwapProcFor(static_cast<std::uint16_t>(host::MapExtensionId(25, -1))), nullptr);

  block.Set<std::int16_t>(0, main1.hostRef);  // give the real one back
  main1.Send(0, block);
}

// The global dynamic symbols a shared object defines, as the system's nm lists them.
std::set<std::string> DefinedDynamicSymbols(const std::string& path) {
  std::set<std::string> names;
  std::FILE* listing = popen(("nm -D --defined-only '" + path + "'").c_str(), "r");
  if (listing == nullptr) return names;
  char type = 0;
  char name[256];
  while (std::fscanf(listing, "%*s %c %255s", &type, name) == 2) {
    if (std::isupper(static_cast<unsigned char>(type))) names.insert(name);
  }
  pclose(listing);
  return names;
}

TEST_F(BuiltBundle, ExportsExactlyTheThreeEntryPoints) {
  const std::set<std::string> expected{"Main1", "Main3", "Main5"};
  EXPECT_EQ(DefinedDynamicSymbols(bundle_->sharedObjectPath()), expected);
}

}  // namespace
