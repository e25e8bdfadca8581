// The resource compiler, run as the build runs it: sources in, a resource
// file out, read back through the Resource Manager or checked byte by byte
// against the documented layouts.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "toolbox/file_bytes.h"
#include "toolbox/resource_file_format.h"
#include "toolbox/resources.h"
#include "toolbox/resource_test_support.h"

namespace {

using resource_test::HandleText;
using resource_test::kStringList;
using resource_test::PString;
using resource_test::TextOf;

const std::string kRez = std::string(VANTOR_BINARY_DIR) + "/bin/vantor-rez";

struct RunResult {
  int exitCode;
  std::string errors;
};

class RezTest : public testing::Test {
 protected:
  std::string Source(const std::string& name, const std::string& text) {
    const std::string path = dir_.File(name);
    std::ofstream(path) << text;
    return path;
  }

  RunResult Run(const std::vector<std::string>& sources, const std::string& output = "out.rsrc") {
    std::string command = "'" + kRez + "' --output '" + dir_.File(output) + "'";
    for (const std::string& s : sources) command += " '" + s + "'";
    command += " 2> '" + dir_.File("stderr.txt") + "'";
    const int status = std::system(command.c_str());
    std::stringstream errors;
    errors << std::ifstream(dir_.File("stderr.txt")).rdbuf();
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, errors.str()};
  }

  // Compiles one source and returns the data of its only resource.
  std::vector<unsigned char> CompileOne(const std::string& text) {
    const RunResult result = Run({Source("one.toml", text)});
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

  // Expects a failure reported on one line naming the source and the words given.
  void ExpectError(const std::string& text, const std::vector<std::string>& words) {
    const std::string path = Source("bad.toml", text);
    const RunResult result = Run({path});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.errors.rfind("vantor-rez: " + path + ": ", 0), 0u) << result.errors;
    EXPECT_EQ(std::count(result.errors.begin(), result.errors.end(), '\n'), 1) << result.errors;
    for (const std::string& word : words) EXPECT_NE(result.errors.find(word), std::string::npos) << result.errors;
  }

  resource_test::TempDir dir_;
};

std::vector<unsigned char> Hex(const std::string& hex) {
  std::vector<unsigned char> bytes;
  std::istringstream in(hex);
  std::string pair;
  while (in >> pair) bytes.push_back(static_cast<unsigned char>(std::stoi(pair, nullptr, 16)));
  return bytes;
}

TEST_F(RezTest, CompiledStringListsReadBackThroughTheResourceManager) {
  const RunResult result = Run({Source("strings.toml", R"(
[["STR#"]]
id = 2015
name = "General messages"
attributes = ["purgeable"]
strings = ["First…", "Zweite Größe", ""]
)")});
  ASSERT_EQ(result.exitCode, 0) << result.errors;
  const SInt16 file = toolbox::OpenResourceFile(dir_.File("out.rsrc").c_str(), true);
  ASSERT_GT(file, 0);
  Str255 text;
  GetIndString(text, 2015, 1);
  EXPECT_EQ(TextOf(text), "First\xC9");
  GetIndString(text, 2015, 2);
  EXPECT_EQ(TextOf(text), "Zweite Gr\x9A\xA7" "e");
  GetIndString(text, 2015, 3);
  EXPECT_EQ(TextOf(text), "");
  Handle list = Get1NamedResource(kStringList, PString("general MESSAGES").get());
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(GetResAttrs(list) & resPurgeable, resPurgeable);
  CloseResFile(file);
}

TEST_F(RezTest, TheBundlesGeneralMessagesHoldAtLeastThreeStrings) {
  const RunResult result = Run({std::string(VANTOR_SOURCE_DIR) + "/bundle/resources/strings.toml"});
  ASSERT_EQ(result.exitCode, 0) << result.errors;
  const SInt16 file = toolbox::OpenResourceFile(dir_.File("out.rsrc").c_str(), true);
  ASSERT_GT(file, 0);
  for (SInt16 index = 1; index <= 3; ++index) {
    Str255 text;
    GetIndString(text, 2015, index);
    EXPECT_EQ(TextOf(text).rfind("Spirometry: ", 0), 0u) << index;
  }
  CloseResFile(file);
}

TEST_F(RezTest, SeveralSourcesMakeOneFileAndDuplicatesAreRefused) {
  const std::string a = Source("a.toml", "[[\"STR#\"]]\nid = 1\nstrings = [\"a\"]\n");
  const std::string b = Source("b.toml", "[[\"STR#\"]]\nid = 2\nstrings = [\"b\"]\n");
  ASSERT_EQ(Run({a, b}).exitCode, 0);
  EXPECT_EQ(Output().resources.size(), 2u);

  const std::string again = Source("c.toml", "[[\"STR#\"]]\nid = 1\nstrings = [\"c\"]\n");
  const RunResult result = Run({a, again});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.errors, "vantor-rez: " + again + ": STR# 1 is also defined in " + a + "\n");
}

TEST_F(RezTest, AFailedRunLeavesThePreviousOutputInPlace) {
  ASSERT_EQ(Run({Source("good.toml", "[[\"STR#\"]]\nid = 1\nstrings = [\"kept\"]\n")}).exitCode, 0);
  std::vector<unsigned char> before;
  ASSERT_EQ(toolbox::ReadFileBytes(dir_.File("out.rsrc"), before), noErr);
  EXPECT_EQ(Run({Source("bad.toml", "[[\"STR#\"]]\nid = 1\nstrings = [1]\n")}).exitCode, 1);
  std::vector<unsigned char> after;
  ASSERT_EQ(toolbox::ReadFileBytes(dir_.File("out.rsrc"), after), noErr);
  EXPECT_EQ(after, before);
}

TEST_F(RezTest, ProblemsAreOneLineNamingTheFileAndTheResource) {
  ExpectError("[[\"STR#\"]]\nid = 2015\nstrings = [\"ok\", \"" + std::string(256, 'x') + "\"]\n",
              {"line 3", "STR# 2015", "string 2", "256 bytes"});
  ExpectError("[[\"STR#\"]]\nid = 7\nstrings = [\"arrow \u2192\"]\n", {"STR# 7", "U+2192"});
  ExpectError("[[\"STR#\"]]\nid = 7\nstrngs = [\"x\"]\n", {"STR# 7", "unknown key 'strngs'"});
  ExpectError("[[\"STR#\"]]\nstrings = [\"x\"]\n", {"'id' is missing"});
  ExpectError("[[\"STR#\"]]\nid = 40000\nstrings = []\n", {"'id' is 40000"});
  ExpectError("[[PICT]]\nid = 1\n", {"unknown resource kind 'PICT'", "STR#"});
  ExpectError("[[\"STR#\"]\nid = 1\n", {"line 1"});
  ExpectError("[[\"STR#\"]]\nid = 1\nname = \"" + std::string(300, 'n') + "\"\nstrings = []\n", {"'name'"});
  ExpectError("[[\"STR#\"]]\nid = 1\nattributes = [\"sticky\"]\nstrings = []\n", {"unknown attribute 'sticky'"});
}

TEST_F(RezTest, UsageErrorsExitWithTwo) {
  EXPECT_EQ(std::system(("'" + kRez + "' 2>/dev/null").c_str()) >> 8, 2);
  EXPECT_EQ(std::system(("'" + kRez + "' --output 2>/dev/null").c_str()) >> 8, 2);
  EXPECT_EQ(std::system(("'" + kRez + "' --output o.rsrc --bogus 2>/dev/null").c_str()) >> 8, 2);
}

// What is not a source file is refused, and nothing is written.
TEST_F(RezTest, NonFilesAndEmptySourcesAreRefused) {
  for (const auto& [source, expected] : {std::pair<std::string, const char*>{dir_.File(""), "not a regular file"},
                                         {"/dev/zero", "not a regular file"},
                                         {Source("empty.toml", "# nothing\n"), "defines no resources"}}) {
    const RunResult result = Run({source}, "never.rsrc");
    EXPECT_EQ(result.exitCode, 1) << source;
    EXPECT_NE(result.errors.find(expected), std::string::npos) << result.errors;
    EXPECT_FALSE(std::ifstream(dir_.File("never.rsrc"))) << source;
  }
}

// The documented cross-check: a menu 128 with the apple title and one item "About…".
TEST_F(RezTest, MenuLayoutMatchesThePlatformsOwnCompiler) {
  const auto data = CompileOne(R"(
[[MENU]]
id = 128
title = "\u0014"
items = [{ text = "About…" }]
)");
  EXPECT_EQ(data, Hex("00 80 00 00 00 00 00 00 00 00 FF FF FF FF 01 14 06 41 62 6F 75 74 C9 00 00 00 00 00"));
}

TEST_F(RezTest, MenuItemsCarryKeysMarksStylesSubmenusAndEnableBits) {
  const auto data = CompileOne(R"(
[[MENU]]
id = 200
menu_id = 5
title = "M"
items = [
  { text = "A", key = "S", mark = "check", style = ["bold", "italic"] },
  { separator = true },
  { text = "B", enabled = false, icon = 3, submenu = 9 },
]
)");
  EXPECT_EQ(data, Hex("00 05 00 00 00 00 00 00 00 00 FF FF FF F3 01 4D"
                      " 01 41 00 53 12 03"
                      " 01 2D 00 00 00 00"
                      " 01 42 03 1B 09 00 00"));
}

TEST_F(RezTest, WindowTemplateWithAndWithoutPositioningWord) {
  const std::string window = R"(
[[WIND]]
id = 8101
title = "Data"
bounds = [40, 10, 240, 410]
proc = "zoomDocProc"
visible = true
go_away = true
ref_con = 258
)";
  const std::string head = "00 28 00 0A 00 F0 01 9A 00 08 01 00 01 00 00 00 01 02 04 44 61 74 61";
  EXPECT_EQ(CompileOne(window), Hex(head));
  // "Data" ends on an odd offset: one pad byte before the word.
  EXPECT_EQ(CompileOne(window + "position = \"staggerParentWindow\"\n"), Hex(head + " 00 B8 0A"));
}

TEST_F(RezTest, DialogTemplateNamesItsItemList) {
  const auto data = CompileOne(R"(
[[DLOG]]
id = 8300
title = "Ab"
bounds = [0, 0, 100, 200]
proc = 5
items = 8301
position = "alertPositionParentWindow"
)");
  EXPECT_EQ(data, Hex("00 00 00 00 00 64 00 C8 00 05 00 00 00 00 00 00 00 00 20 6D 02 41 62 00 B0 0A"));
}

TEST_F(RezTest, DialogItemsArePaddedToEvenOffsets) {
  const auto data = CompileOne(R"(
[[DITL]]
id = 8301
items = [
  { kind = "button", bounds = [1, 2, 3, 4], text = "OK" },
  { kind = "static_text", bounds = [5, 6, 7, 8], text = "abc", enabled = false },
  { kind = "icon", bounds = [0, 0, 32, 32], resource = 128 },
  { kind = "user", bounds = [9, 9, 9, 9] },
]
)");
  EXPECT_EQ(data, Hex("00 03"
                      " 00 00 00 00 00 01 00 02 00 03 00 04 04 02 4F 4B"
                      " 00 00 00 00 00 05 00 06 00 07 00 08 88 03 61 62 63 00"
                      " 00 00 00 00 00 00 00 00 00 20 00 20 20 02 00 80"
                      " 00 00 00 00 00 09 00 09 00 09 00 09 00 00"));
}

TEST_F(RezTest, RawDataTakesAnyTypeAsHex) {
  const RunResult result = Run({Source("raw.toml", R"(
[[data]]
type = "ExtS"
id = 128
name = "Resp Settings"
hex = "0001 02ff"
)")});
  ASSERT_EQ(result.exitCode, 0) << result.errors;
  const auto contents = Output();
  ASSERT_EQ(contents.resources.size(), 1u);
  EXPECT_EQ(contents.resources[0].type, FourCharCode("ExtS"));
  EXPECT_EQ(contents.resources[0].name, "Resp Settings");
  EXPECT_EQ(contents.resources[0].data, Hex("00 01 02 FF"));
  ExpectError("[[data]]\ntype = \"ExtS\"\nid = 1\nhex = \"abc\"\n", {"odd number"});
  ExpectError("[[data]]\ntype = \"Ext\"\nid = 1\nhex = \"\"\n", {"four characters"});
}

TEST_F(RezTest, TemplateFieldsAreCheckedAgainstTheirLayouts) {
  ExpectError("[[WIND]]\nid = 1\nbounds = [0, 0, 10]\n", {"WIND 1", "[top, left, bottom, right]"});
  ExpectError("[[WIND]]\nid = 1\nbounds = [0, 0, 10, 10]\nproc = \"roundProc\"\n", {"unknown proc 'roundProc'"});
  ExpectError("[[MENU]]\nid = 1\ntitle = \"M\"\nitems = [{ text = \"\" }]\n", {"MENU 1, item 1", "empty"});
  ExpectError("[[MENU]]\nid = 1\ntitle = \"M\"\nitems = [{ text = \"a\", key = \"ab\" }]\n", {"'key'"});
  ExpectError("[[DITL]]\nid = 1\nitems = [{ kind = \"slider\", bounds = [0, 0, 1, 1] }]\n",
              {"DITL 1, item 1", "unknown kind 'slider'"});
  ExpectError("[[DITL]]\nid = 1\nitems = [{ kind = \"icon\", bounds = [0, 0, 1, 1] }]\n", {"'resource' is missing"});
  ExpectError("[[DITL]]\nid = 1\nitems = []\n", {"'items' is empty"});
}

}  // namespace
