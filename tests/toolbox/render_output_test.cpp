// The file backends (PNG, PDF, SVG) and the ready-made outputs.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "quickdraw_test_support.h"
#include "support/command_output.h"
#include "support/test_files.h"
#include "toolbox/memory.h"
#include "toolbox/pict.h"
#include "toolbox/quickdraw.h"
#include "toolbox/render.h"
#include "toolbox/resource_test_support.h"

namespace {

using qd_test::PStr;
using qd_test::ScopedPort;

class RenderOutput : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return dir_.File(name); }
  // Renders each port as one page.
  static bool RenderPages(toolbox::Renderer& renderer, std::initializer_list<GrafPort*> pages, std::string* error) {
    for (GrafPort* page : pages) {
      renderer.BeginPage(page->portRect);
      renderer.RenderDisplayList(page->displayList);
      renderer.EndPage();
    }
    return renderer.Finish(error);
  }

  resource_test::TempDir dir_;
};

void DrawReportLine(const char* text) {
  TextFont(applFont);
  TextSize(12);
  MoveTo(20, 40);
  DrawString(PStr(text).data());
  const Rect box{10, 10, 60, 200};
  FrameRect(&box);
}

TEST_F(RenderOutput, PngFilesHoldThePortsPixelsAndLaterPagesAreNumbered) {
  ScopedPort scoped(Rect{0, 0, 30, 40});
  const Rect r{0, 0, 5, 5};
  PaintRect(&r);
  const std::string path = Path("window.png");
  std::string error;
  ASSERT_TRUE(toolbox::WritePortPng(&scoped.port(), path, &error)) << error;
  const std::string bytes = ReadAll(path);
  ASSERT_GT(bytes.size(), 24u);
  EXPECT_EQ(static_cast<unsigned char>(bytes[19]), 40);  // IHDR width
  EXPECT_EQ(static_cast<unsigned char>(bytes[23]), 30);  // IHDR height
  EXPECT_EQ(toolbox::EncodePng(scoped.Image()),
            std::vector<unsigned char>(bytes.begin(), bytes.end()));
  EXPECT_FALSE(toolbox::WritePortPng(&scoped.port(), Path("missing/dir/window.png"), &error));
  EXPECT_NE(error.find("cannot write"), std::string::npos) << error;

  ASSERT_TRUE(RenderPages(*toolbox::NewPngRenderer(Path("page.png")), {&scoped.port(), &scoped.port()}, &error));
  EXPECT_TRUE(std::filesystem::exists(Path("page.png")));
  EXPECT_TRUE(std::filesystem::exists(Path("page-2.png")));
}

TEST_F(RenderOutput, PdfPagesCarryTheirTextAndAnEmptyPdfIsAnError) {
  const std::string pdf = Path("report.pdf");
  ScopedPort first(Rect{0, 0, 200, 300});
  DrawReportLine("Spirometry report");
  ScopedPort second(Rect{0, 0, 200, 300});
  DrawReportLine("Second page");
  std::string error;
  ASSERT_TRUE(RenderPages(*toolbox::NewPdfRenderer(pdf), {&first.port(), &second.port()}, &error)) << error;
  EXPECT_EQ(ReadAll(pdf).substr(0, 5), "%PDF-");
  EXPECT_FALSE(toolbox::NewPdfRenderer(Path("empty.pdf"))->Finish(&error));
  EXPECT_NE(error.find("nothing was drawn"), std::string::npos);

  const std::string info = CommandOutput("pdfinfo '" + pdf + "' 2>/dev/null");
  if (info.empty()) GTEST_SKIP() << "poppler-utils are not installed";
  EXPECT_NE(info.find(" 2\n"), std::string::npos) << info;
  const std::string text = CommandOutput("pdftotext '" + pdf + "' - 2>/dev/null");
  EXPECT_NE(text.find("Spirometry report"), std::string::npos) << text;
  EXPECT_NE(text.find("Second page"), std::string::npos) << text;
}

// Nothing calls the SVG backend yet: a short check that text stays text.
TEST_F(RenderOutput, SvgKeepsTextAsText) {
  ScopedPort drawing(Rect{0, 0, 60, 120});
  DrawReportLine("Flow & volume");
  std::string error;
  ASSERT_TRUE(RenderPages(*toolbox::NewSvgRenderer(Path("plot.svg")), {&drawing.port()}, &error)) << error;
  EXPECT_NE(ReadAll(Path("plot.svg")).find(">Flow &amp; volume</text>"), std::string::npos);
}

TEST_F(RenderOutput, ClipboardPicturesBecomePngsAndDamagedOnesAreRefused) {
  ScopedPort scoped(Rect{0, 0, 40, 60});
  const Rect frame{0, 0, 40, 60};
  PicHandle pic = OpenPicture(&frame);
  ASSERT_NE(pic, nullptr);
  PaintRect(&frame);
  ClosePicture();
  const auto h = reinterpret_cast<Handle>(pic);
  std::vector<unsigned char> bytes(reinterpret_cast<unsigned char*>(*h),
                                   reinterpret_cast<unsigned char*>(*h) + GetHandleSize(h));
  KillPicture(pic);
  std::string error;
  ASSERT_TRUE(toolbox::WritePictAsPng(bytes, Path("clip.png"), &error)) << error;
  EXPECT_EQ(static_cast<unsigned char>(ReadAll(Path("clip.png"))[19]), 60);

  std::vector<unsigned char> huge = bytes;
  huge[6] = huge[8] = 0x7F;  // frame (0,0)-(32512,32512)
  EXPECT_FALSE(toolbox::WritePictAsPng(huge, Path("huge.png"), &error));
  EXPECT_EQ(error, "the picture's frame is too large to draw");
  bytes.resize(bytes.size() - 3);
  EXPECT_FALSE(toolbox::WritePictAsPng(bytes, Path("bad.png"), &error));
  EXPECT_EQ(error.rfind("damaged picture: ", 0), 0u) << error;
  EXPECT_FALSE(std::filesystem::exists(Path("bad.png")));
}

}  // namespace
