// What the host reads back from the clipboard: MacRoman text as UTF-8 lines,
// and one line when a flavour is missing (pictures written as PICT and PNG
// files are checked end to end by the command line's analyse).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "host/clipboard.h"
#include "toolbox/file_bytes.h"
#include "toolbox/scrap.h"

namespace {

void Put(ScrapFlavorType type, const void* data, Size size) {
  ScrapRef scrap = nullptr;
  ASSERT_EQ(GetCurrentScrap(&scrap), noErr);
  ASSERT_EQ(PutScrapFlavor(scrap, type, kScrapFlavorMaskNone, size, data), noErr);
}

// The scrap's flavours are the system's: emptied after each test.
struct Clipboard : ::testing::Test {
  void SetUp() override { ClearCurrentScrap(); }
  void TearDown() override { ClearCurrentScrap(); }
};

TEST_F(Clipboard, TextBecomesUtf8LinesAndEmptyRowsStay) {
  const char rows[] = "Flow\t1.2 L/s\r\r\x46\x9Fr\r";  // MacRoman ü
  Put(kScrapFlavorTypeText, rows, static_cast<Size>(std::strlen(rows)));
  EXPECT_EQ(host::ClipboardText(), "Flow\t1.2 L/s\n\nFür\n");
  const std::string path = ::testing::TempDir() + "report.txt";
  std::string error;
  ASSERT_TRUE(host::WriteClipboardText(path, &error)) << error;
  std::vector<unsigned char> bytes;
  ASSERT_EQ(toolbox::ReadFileBytes(path, bytes), noErr);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "Flow\t1.2 L/s\n\nFür\n");
  EXPECT_FALSE(host::WriteClipboardPictureAsPng(::testing::TempDir() + "none.png", &error));
  EXPECT_EQ(error, "the clipboard holds no picture");
  ClearCurrentScrap();
  EXPECT_FALSE(host::ClipboardText());
  EXPECT_FALSE(host::WriteClipboardText(::testing::TempDir() + "none.txt", &error));
}

}  // namespace
