// The built bundle, loaded by the real host and spoken to through its entry points.
#include <elf.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "host/bundle.h"
#include "host/extension_registry.h"
#include "host/host_context.h"
#include "host/service_table.h"
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

  // The key the extension asked for maps back to hostRef -1 and local code 25.
  const std::int16_t key = host::MapExtensionId(25, -1);
  const auto mapped = host::LookUpCommandKey(key);
  ASSERT_TRUE(mapped.has_value());
  EXPECT_EQ(mapped->hostRef, -1);
  EXPECT_EQ(mapped->localId, 25);
  EXPECT_NE(key, host::MapExtensionId(25, main1.hostRef));

  block.Set<std::int16_t>(0, main1.hostRef);  // give the real one back
  main1.Send(0, block);
}

// The dynamic symbols a shared object defines, read from its ELF file.
std::set<std::string> DefinedDynamicSymbols(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<char> file((std::istreambuf_iterator<char>(in)), {});
  std::set<std::string> names;
  if (file.size() < sizeof(Elf64_Ehdr)) return names;
  const auto* header = reinterpret_cast<const Elf64_Ehdr*>(file.data());
  const auto* sections = reinterpret_cast<const Elf64_Shdr*>(file.data() + header->e_shoff);
  for (int i = 0; i < header->e_shnum; ++i) {
    if (sections[i].sh_type != SHT_DYNSYM) continue;
    const Elf64_Shdr& strings = sections[sections[i].sh_link];
    const auto* symbols = reinterpret_cast<const Elf64_Sym*>(file.data() + sections[i].sh_offset);
    const std::size_t count = sections[i].sh_size / sizeof(Elf64_Sym);
    for (std::size_t s = 0; s < count; ++s) {
      if (symbols[s].st_shndx == SHN_UNDEF || symbols[s].st_name == 0) continue;
      const int binding = ELF64_ST_BIND(symbols[s].st_info);
      if (binding != STB_GLOBAL && binding != STB_WEAK) continue;
      names.insert(file.data() + strings.sh_offset + symbols[s].st_name);
    }
  }
  return names;
}

TEST_F(BuiltBundle, ExportsExactlyTheThreeEntryPoints) {
  const std::set<std::string> expected{"Main1", "Main3", "Main5"};
  EXPECT_EQ(DefinedDynamicSymbols(bundle_->sharedObjectPath()), expected);
}

}  // namespace
