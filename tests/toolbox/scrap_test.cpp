// The clipboard: flavours put and read back, stale references, and running
// out of memory while copying a flavour.
#include "toolbox/scrap.h"

#include <gtest/gtest.h>

#include <cstring>

#include "toolbox/memory.h"
#include "toolbox/toolbox_test.h"

namespace {

class ScrapTest : public toolbox_test::ToolboxTest {
 protected:
  void SetUp() override {
    ToolboxTest::SetUp();
    ASSERT_EQ(ClearCurrentScrap(), noErr);
    ASSERT_EQ(GetCurrentScrap(&scrap_), noErr);
  }
  void TearDown() override {
    ClearCurrentScrap();
    ToolboxTest::TearDown();
  }

  ScrapRef scrap_ = nullptr;
};

TEST_F(ScrapTest, FlavoursReadBackInTheOrderTheyWerePut) {
  const char text[] = "FVC\t4.20\r";
  const unsigned char pict[] = {0x00, 0x0A, 0x00, 0x11, 0x02, 0xFF};
  ASSERT_EQ(PutScrapFlavor(scrap_, kScrapFlavorTypeText, kScrapFlavorMaskNone, 9, text), noErr);
  ASSERT_EQ(PutScrapFlavor(scrap_, kScrapFlavorTypePicture, kScrapFlavorMaskSenderOnly, sizeof pict, pict), noErr);
  char back[16] = {};
  Size count = 4;  // a smaller buffer gets only what fits
  ASSERT_EQ(GetScrapFlavorData(scrap_, kScrapFlavorTypeText, &count, back), noErr);
  EXPECT_EQ(count, 4);
  EXPECT_EQ(std::string(back, 4), "FVC\t");
  const auto flavors = toolbox::CurrentScrapFlavors();
  ASSERT_EQ(flavors.size(), 2u);
  EXPECT_EQ(std::string(flavors[0].data.begin(), flavors[0].data.end()), "FVC\t4.20\r");
  EXPECT_EQ(flavors[1].data, std::vector<unsigned char>(pict, pict + sizeof pict));
  UInt32 infoCount = 1;  // room for one: the first
  ScrapFlavorInfo info[1];
  ASSERT_EQ(GetScrapFlavorInfoList(scrap_, &infoCount, info), noErr);
  EXPECT_EQ(info[0].flavorType, kScrapFlavorTypeText);
}

TEST_F(ScrapTest, RefusedPutsLeaveTheScrapAsItWasAndAClearEndsOldReferences) {
  const char data[] = "x";
  ASSERT_EQ(PutScrapFlavor(scrap_, kScrapFlavorTypeText, 0, 1, data), noErr);
  EXPECT_EQ(PutScrapFlavor(scrap_, kScrapFlavorTypeText, 0, 1, data), duplicateScrapFlavorErr);
  EXPECT_EQ(PutScrapFlavor(scrap_, kScrapFlavorTypePicture, 0, 4, nullptr), noScrapPromiseKeeperErr);
  EXPECT_EQ(PutScrapFlavor(scrap_, kScrapFlavorTypePicture, 0, -1, data), illegalScrapFlavorSizeErr);
  EXPECT_EQ(PutScrapFlavor(scrap_, kScrapFlavorTypePicture, 0x100, 1, data), illegalScrapFlavorFlagsErr);
  toolbox::FailAllocationAfter(1);
  EXPECT_EQ(PutScrapFlavor(scrap_, kScrapFlavorTypePicture, 0, 1, data), memFullErr);
  UInt32 count = 0;
  ASSERT_EQ(GetScrapFlavorCount(scrap_, &count), noErr);
  EXPECT_EQ(count, 1u);
  Size size = 0;
  EXPECT_EQ(GetScrapFlavorSize(scrap_, kScrapFlavorTypePicture, &size), scrapFlavorNotFoundErr);

  // A reference from before a clear is refused.
  ASSERT_EQ(ClearCurrentScrap(), noErr);
  EXPECT_EQ(PutScrapFlavor(scrap_, kScrapFlavorTypeText, 0, 1, data), badScrapRefErr);
  EXPECT_EQ(GetScrapFlavorSize(scrap_, kScrapFlavorTypeText, &size), badScrapRefErr);
  ScrapRef fresh = nullptr;
  ASSERT_EQ(GetCurrentScrap(&fresh), noErr);
  EXPECT_EQ(GetScrapFlavorSize(fresh, kScrapFlavorTypeText, &size), scrapFlavorNotFoundErr);
}

TEST_F(ScrapTest, DataFromAnUnlockedHandleIsCopiedBeforeItCanMove) {
  Handle h = NewHandle(64);
  ASSERT_NE(h, nullptr);
  std::memset(*h, 'q', 64);
  // With scrambling on, the scrap's own allocation moves h's block.
  ASSERT_EQ(PutScrapFlavor(scrap_, kScrapFlavorTypeText, 0, 64, *h), noErr);
  const auto flavors = toolbox::CurrentScrapFlavors();
  ASSERT_EQ(flavors.size(), 1u);
  EXPECT_EQ(flavors[0].data, std::vector<unsigned char>(64, 'q'));
  DisposeHandle(h);
}

}  // namespace
