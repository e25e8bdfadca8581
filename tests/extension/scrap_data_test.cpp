#include "extension/scrap_data.h"

#include <gtest/gtest.h>

#include <string>

#include "toolbox/memory.h"
#include "toolbox/scrap.h"

using namespace spiro;

namespace {

class PutScrapDataTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(ClearCurrentScrap(), noErr); }
  void TearDown() override {
    toolbox::FailAllocationAfter(0);
    ClearCurrentScrap();
  }
};

std::string FlavorText(ScrapFlavorType type) {
  ScrapRef scrap = nullptr;
  GetCurrentScrap(&scrap);
  char buffer[64] = {};
  Size size = sizeof buffer;
  if (GetScrapFlavorData(scrap, type, &size, buffer) != noErr) return "<none>";
  return std::string(buffer, static_cast<std::size_t>(size));
}

TEST_F(PutScrapDataTest, PutsTheBytesAsTheFlavourAndReturnsTheScrapManagersErrors) {
  ASSERT_EQ(PutScrapData(5, kScrapFlavorTypeText, "12.5\t"), noErr);
  EXPECT_EQ(FlavorText(kScrapFlavorTypeText), "12.5\t");
  EXPECT_EQ(PutScrapData(3, kScrapFlavorTypeText, "def"), duplicateScrapFlavorErr);
  EXPECT_EQ(FlavorText(kScrapFlavorTypeText), "12.5\t");

  toolbox::FailAllocationAfter(1);
  EXPECT_EQ(PutScrapData(4, kScrapFlavorTypePicture, "PICT"), memFullErr);
  EXPECT_EQ(FlavorText(kScrapFlavorTypePicture), "<none>");
}

}  // namespace
