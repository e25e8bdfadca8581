// GetIndString over 'STR#' resources from files and from callers, well-formed
// or not, with unlocked blocks moving on every allocation.
#include <gtest/gtest.h>

#include "toolbox/compiled_resources.h"
#include "toolbox/toolbox_test.h"
#include "toolbox/memory.h"
#include "toolbox/resources.h"

namespace {

using resource_test::kStringList;
using resource_test::StringListData;
using resource_test::TextOf;

class StringListTest : public toolbox_test::ToolboxTest {
 protected:
  void AddList(SInt16 id, const std::vector<unsigned char>& data) { raw_.Add(kStringList, id, data); }

  std::string Fetch(SInt16 id, SInt16 index) {
    Str255 text;
    text[0] = 99;  // must be overwritten even when nothing is found
    GetIndString(text, id, index);
    return TextOf(text);
  }

  toolbox_test::RawResources raw_;
};

// Lists are found in earlier files of the chain; indexes are one-based.
TEST_F(StringListTest, IndexesAreOneBasedAndNothingOutsideAListOrItsDataIsRead) {
  AddList(2015, StringListData({"first", "second", std::string(255, 'z')}));
  const SInt16 document = toolbox::OpenResourceBytes(toolbox::EmptyResourceFileBytes());
  EXPECT_EQ(Fetch(2015, 1), "first");
  EXPECT_EQ(Fetch(2015, 2), "second");
  EXPECT_EQ(Fetch(2015, 3), std::string(255, 'z'));
  for (SInt16 outside : {0, -1, 4, 32767}) EXPECT_EQ(Fetch(2015, outside), "") << outside;
  EXPECT_EQ(Fetch(8300, 1), "");
  EXPECT_EQ(ResError(), resNotFound);
  CloseResFile(document);

  // A list whose count or lengths claim more than its data hold yields the
  // strings that are really there and nothing past the end.
  std::vector<unsigned char> claimsThree = StringListData({"only"});
  claimsThree[1] = 3;
  AddList(1, claimsThree);
  EXPECT_EQ(Fetch(1, 1), "only");
  EXPECT_EQ(Fetch(1, 2), "");
  EXPECT_EQ(Fetch(1, 3), "");

  std::vector<unsigned char> longLength = StringListData({"abc"});
  longLength[2] = 200;
  AddList(2, longLength);
  EXPECT_EQ(Fetch(2, 1), "");

  AddList(3, {0x00});
  EXPECT_EQ(Fetch(3, 1), "");
  AddList(4, {});
  EXPECT_EQ(Fetch(4, 1), "");
}

}  // namespace
