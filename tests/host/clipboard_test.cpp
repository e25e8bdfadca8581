// What the host reads back from the clipboard: text with line ends for a
// file, pictures as PICT files and PNG, and one line when a flavour is missing.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "host/clipboard.h"
#include "toolbox/file_bytes.h"
#include "toolbox/memory.h"
#include "toolbox/quickdraw.h"
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
}

TEST_F(Clipboard, PicturesBecomePictFilesAndPng) {
  GrafPort port;
  port.portRect = Rect{0, 0, 50, 80};
  SetPort(&port);
  PicHandle picture = OpenPicture(&port.portRect);
  ASSERT_NE(picture, nullptr);
  const Rect box{10, 10, 40, 70};
  PaintRect(&box);
  ClosePicture();
  HLock(reinterpret_cast<Handle>(picture));
  Put(kScrapFlavorTypePicture, *picture, GetHandleSize(reinterpret_cast<Handle>(picture)));
  KillPicture(picture);
  SetPort(nullptr);

  std::string error;
  const std::string pict = ::testing::TempDir() + "data.pict";
  ASSERT_TRUE(host::WriteClipboardPictureFile(pict, &error)) << error;
  std::vector<unsigned char> bytes;
  ASSERT_EQ(toolbox::ReadFileBytes(pict, bytes), noErr);
  EXPECT_EQ(bytes.size(), 512 + host::ClipboardPicture()->size());
  const std::string png = ::testing::TempDir() + "data.png";
  ASSERT_TRUE(host::WriteClipboardPictureAsPng(png, &error)) << error;
  ASSERT_EQ(toolbox::ReadFileBytes(png, bytes), noErr);
  EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 4), "PNG");
  EXPECT_FALSE(host::ClipboardText());
  EXPECT_FALSE(host::WriteClipboardText(::testing::TempDir() + "none.txt", &error));
}

}  // namespace
