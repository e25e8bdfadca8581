// The resource compiler, run as the build runs it: sources in, a resource
// file out, read back through the Resource Manager or checked byte by byte
// against the documented layouts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "toolbox/compiled_resources.h"
#include "toolbox/file_bytes.h"
#include "toolbox/resource_file_format.h"
#include "toolbox/resources.h"
#include "toolbox/resource_test_support.h"

namespace {

using resource_test::Hex;
using resource_test::kStringList;
using resource_test::PString;
using resource_test::TextOf;

const std::string kRez = std::string(VANTOR_BINARY_DIR) + "/bin/vantor-rez";

using toolbox_test::RezRun;

class RezTest : public testing::Test {
 protected:
  std::string Source(const std::string& name, const std::string& text) {
    const std::string path = dir_.File(name);
    std::ofstream(path) << text;
    return path;
  }

  RezRun Run(const std::vector<std::string>& sources, const std::string& output = "out.rsrc") {
    return toolbox_test::RunRez(sources, dir_.File(output));
  }

  // Compiles one source and returns the data of its only resource.
  std::vector<unsigned char> CompileOne(const std::string& text) {
    const RezRun result = Run({Source("one.toml", text)});
    EXPECT_EQ(result.exitCode, 0) << result.errors;
    const auto contents = Output();
    EXPECT_EQ(contents.resources.size(), 1u);
    return contents.resources.empty() ? std::vector<unsigned char>{} : contents.resources[0].data;
  }

  toolbox::ResourceFileContents Output() {
    std::vector<unsigned char> bytes;
    toolbox::ResourceFileContents contents;
    EXPECT_EQ(toolbox::ReadFileBytes(dir_.File("out.rsrc"), bytes), noErr);
    EXPECT_EQ(toolbox::ParseResourceFile(bytes, contents), noErr);
    return contents;
  }

  resource_test::TempDir dir_;
};

const std::string kWindowSource = R"(
[[WIND]]
id = 8101
title = "Data"
bounds = [40, 10, 240, 410]
proc = "zoomDocProc"
visible = true
go_away = true
ref_con = 258
)";
const std::string kWindowHead = "00 28 00 0A 00 F0 01 9A 00 08 01 00 01 00 00 00 01 02 04 44 61 74 61";

TEST_F(RezTest, CompiledStringListsReadBackThroughTheResourceManager) {
  const RezRun result = Run({Source("strings.toml", R"(
[["STR#"]]
id = 2015
name = "General messages"
attributes = ["purgeable"]
strings = ["First…", "Zweite Größe", ""]
)")});
  ASSERT_EQ(result.exitCode, 0) << result.errors;
  const SInt16 file = toolbox::OpenResourceFile(dir_.File("out.rsrc").c_str(), true);
  ASSERT_GT(file, 0);
  for (const auto& [index, text] :
       {std::pair<SInt16, std::string>{1, "First\xC9"}, {2, "Zweite Gr\x9A\xA7" "e"}, {3, ""}}) {
    Str255 read;
    GetIndString(read, 2015, index);
    EXPECT_EQ(TextOf(read), text) << index;
  }
  Handle list = Get1NamedResource(kStringList, PString("general MESSAGES").get());
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(GetResAttrs(list) & resPurgeable, resPurgeable);
  CloseResFile(file);
}

TEST_F(RezTest, SeveralSourcesMakeOneFileAndAFailedRunLeavesThePreviousOutput) {
  const std::string a = Source("a.toml", "[[\"STR#\"]]\nid = 1\nstrings = [\"a\"]\n");
  const std::string b = Source("b.toml", "[[\"STR#\"]]\nid = 2\nstrings = [\"b\"]\n");
  ASSERT_EQ(Run({a, b}).exitCode, 0);
  EXPECT_EQ(Output().resources.size(), 2u);
  std::vector<unsigned char> before;
  ASSERT_EQ(toolbox::ReadFileBytes(dir_.File("out.rsrc"), before), noErr);

  const std::string again = Source("c.toml", "[[\"STR#\"]]\nid = 1\nstrings = [\"c\"]\n");
  const RezRun result = Run({a, again});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.errors, "vantor-rez: " + again + ": STR# 1 is also defined in " + a + "\n");
  std::vector<unsigned char> after;
  ASSERT_EQ(toolbox::ReadFileBytes(dir_.File("out.rsrc"), after), noErr);
  EXPECT_EQ(after, before);
}

// Problems are one line naming the source, the resource and the words given.
struct Problem {
  std::string source;
  std::vector<std::string> words;
};

const Problem kProblems[] = {
    {"[[\"STR#\"]]\nid = 2015\nstrings = [\"ok\", \"" + std::string(256, 'x') + "\"]\n",
     {"line 3", "STR# 2015", "string 2", "256 bytes"}},
    {"[[\"STR#\"]]\nid = 7\nstrings = [\"arrow \u2192\"]\n", {"STR# 7", "U+2192"}},
    {"[[\"STR#\"]]\nid = 7\nstrngs = [\"x\"]\n", {"STR# 7", "unknown key 'strngs'"}},
    {"[[\"STR#\"]]\nstrings = [\"x\"]\n", {"'id' is missing"}},
    {"[[\"STR#\"]]\nid = 40000\nstrings = []\n", {"'id' is 40000"}},
    {"[[PICT]]\nid = 1\n", {"unknown resource kind 'PICT'", "STR#"}},
    {"[[\"STR#\"]\nid = 1\n", {"line 1"}},
    {"[[\"STR#\"]]\nid = 1\nname = \"" + std::string(300, 'n') + "\"\nstrings = []\n", {"'name'"}},
    {"[[\"STR#\"]]\nid = 1\nattributes = [\"sticky\"]\nstrings = []\n", {"unknown attribute 'sticky'"}},
    {"[[data]]\ntype = \"ExtS\"\nid = 1\nhex = \"abc\"\n", {"odd number"}},
    {"[[data]]\ntype = \"Ext\"\nid = 1\nhex = \"\"\n", {"four characters"}},
    {"[[WIND]]\nid = 1\nbounds = [0, 0, 10]\n", {"WIND 1", "[top, left, bottom, right]"}},
    {"[[WIND]]\nid = 1\nbounds = [0, 0, 10, 10]\nproc = \"roundProc\"\n", {"unknown proc 'roundProc'"}},
    {"[[MENU]]\nid = 1\ntitle = \"M\"\nitems = [{ text = \"\" }]\n", {"MENU 1, item 1", "empty"}},
    {"[[MENU]]\nid = 1\ntitle = \"M\"\nitems = [{ text = \"a\", key = \"ab\" }]\n", {"'key'"}},
    {"[[DITL]]\nid = 1\nitems = [{ kind = \"slider\", bounds = [0, 0, 1, 1] }]\n",
     {"DITL 1, item 1", "unknown kind 'slider'"}},
    {"[[DITL]]\nid = 1\nitems = [{ kind = \"icon\", bounds = [0, 0, 1, 1] }]\n", {"'resource' is missing"}},
    {"[[DITL]]\nid = 1\nitems = []\n", {"'items' is empty"}},
};

TEST_F(RezTest, ProblemsAreOneLineNamingTheFileAndTheResourceAndUsageErrorsExitWith2) {
  const std::string path = dir_.File("bad.toml");
  for (const Problem& problem : kProblems) {
    const RezRun result = Run({Source("bad.toml", problem.source)});
    EXPECT_EQ(result.exitCode, 1) << problem.source;
    EXPECT_EQ(result.errors.rfind("vantor-rez: " + path + ": ", 0), 0u) << result.errors;
    EXPECT_EQ(std::count(result.errors.begin(), result.errors.end(), '\n'), 1) << result.errors;
    for (const std::string& word : problem.words)
      EXPECT_NE(result.errors.find(word), std::string::npos) << result.errors;
  }

  // Usage errors exit with 2; what is not a source file is refused, and nothing is written.
  for (const char* arguments : {"", " --output", " --output o.rsrc --bogus"})
    EXPECT_EQ(std::system(("'" + kRez + "'" + arguments + " 2>/dev/null").c_str()) >> 8, 2) << arguments;
  for (const auto& [source, expected] : {std::pair<std::string, const char*>{dir_.File(""), "not a regular file"},
                                         {"/dev/zero", "not a regular file"},
                                         {Source("empty.toml", "# nothing\n"), "defines no resources"}}) {
    const RezRun result = Run({source}, "never.rsrc");
    EXPECT_EQ(result.exitCode, 1) << source;
    EXPECT_NE(result.errors.find(expected), std::string::npos) << result.errors;
    EXPECT_FALSE(std::ifstream(dir_.File("never.rsrc"))) << source;
  }
}

// Each template kind against its documented layout, byte by byte.
struct Layout {
  const char* what;
  std::string source;
  std::string hex;
};

const Layout kLayouts[] = {
    // The documented cross-check: a menu 128 with the apple title and one item "About…".
    {"apple menu", "[[MENU]]\nid = 128\ntitle = \"\\u0014\"\nitems = [{ text = \"About…\" }]\n",
     "00 80 00 00 00 00 00 00 00 00 FF FF FF FF 01 14 06 41 62 6F 75 74 C9 00 00 00 00 00"},
    {"menu items with keys, marks, styles, submenus and enable bits", R"(
[[MENU]]
id = 200
menu_id = 5
title = "M"
items = [
  { text = "A", key = "S", mark = "check", style = ["bold", "italic"] },
  { separator = true },
  { text = "B", enabled = false, icon = 3, submenu = 9 },
]
)",
     "00 05 00 00 00 00 00 00 00 00 FF FF FF F3 01 4D 01 41 00 53 12 03 01 2D 00 00 00 00 01 42 03 1B 09 00 00"},
    {"window", kWindowSource, kWindowHead},
    // "Data" ends on an odd offset: one pad byte before the word.
    {"window with a positioning word", kWindowSource + "position = \"staggerParentWindow\"\n",
     kWindowHead + " 00 B8 0A"},
    {"dialog", R"(
[[DLOG]]
id = 8300
title = "Ab"
bounds = [0, 0, 100, 200]
proc = 5
items = 8301
position = "alertPositionParentWindow"
)",
     "00 00 00 00 00 64 00 C8 00 05 00 00 00 00 00 00 00 00 20 6D 02 41 62 00 B0 0A"},
    {"dialog items padded to even offsets", R"(
[[DITL]]
id = 8301
items = [
  { kind = "button", bounds = [1, 2, 3, 4], text = "OK" },
  { kind = "static_text", bounds = [5, 6, 7, 8], text = "abc", enabled = false },
  { kind = "icon", bounds = [0, 0, 32, 32], resource = 128 },
  { kind = "user", bounds = [9, 9, 9, 9] },
]
)",
     "00 03 00 00 00 00 00 01 00 02 00 03 00 04 04 02 4F 4B 00 00 00 00 00 05 00 06 00 07 00 08 88 03 61 62 63 00"
     " 00 00 00 00 00 00 00 00 00 20 00 20 20 02 00 80 00 00 00 00 00 09 00 09 00 09 00 09 00 00"},
    {"raw data of any type", "[[data]]\ntype = \"ExtS\"\nid = 128\nname = \"Resp Settings\"\nhex = \"0001 02ff\"\n",
     "00 01 02 FF"},
};

TEST_F(RezTest, TemplatesMatchTheirDocumentedLayouts) {
  for (const Layout& layout : kLayouts) EXPECT_EQ(CompileOne(layout.source), Hex(layout.hex)) << layout.what;
}

}  // namespace
