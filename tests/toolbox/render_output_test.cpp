// The file backends (PNG, PDF, SVG), the null backend and the ready-made outputs.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "quickdraw_test_support.h"
#include "toolbox/memory.h"
#include "toolbox/pict.h"
#include "toolbox/quickdraw.h"
#include "toolbox/render.h"

namespace {

using qd_test::PStr;
using qd_test::ScopedPort;

class RenderOutput : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "vantor-render-XXXXXX").string();
    dir_ = ::mkdtemp(pattern.data());
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  static std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static std::string Run(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
      char buffer[256];
      while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
      ::pclose(pipe);
    }
    return out;
  }

  std::filesystem::path dir_;
};

void DrawReportLine(const char* text) {
  TextFont(applFont);
  TextSize(12);
  MoveTo(20, 40);
  DrawString(PStr(text).data());
  const Rect box{10, 10, 60, 200};
  FrameRect(&box);
}

TEST_F(RenderOutput, PngFilesHoldThePortsPixels) {
  ScopedPort scoped(Rect{0, 0, 30, 40});
  const Rect r{0, 0, 5, 5};
  PaintRect(&r);
  const std::string path = Path("window.png");
  std::string error;
  ASSERT_TRUE(toolbox::WritePortPng(&scoped.port(), path, &error)) << error;
  const std::string bytes = Slurp(path);
  ASSERT_GT(bytes.size(), 24u);
  EXPECT_EQ(bytes.substr(1, 3), "PNG");
  EXPECT_EQ(static_cast<unsigned char>(bytes[19]), 40);  // IHDR width
  EXPECT_EQ(static_cast<unsigned char>(bytes[23]), 30);  // IHDR height
  EXPECT_EQ(toolbox::EncodePng(toolbox::RenderToImage(scoped.port().displayList, scoped.port().portRect)),
            std::vector<unsigned char>(bytes.begin(), bytes.end()));

  EXPECT_FALSE(toolbox::WritePortPng(&scoped.port(), Path("missing/dir/window.png"), &error));
  EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
}

TEST_F(RenderOutput, PngRendererNumbersTheFilesOfLaterPages) {
  ScopedPort scoped(Rect{0, 0, 10, 10});
  auto renderer = toolbox::NewPngRenderer(Path("page.png"));
  for (int page = 0; page < 2; ++page) {
    renderer->BeginPage(scoped.port().portRect);
    renderer->RenderDisplayList(scoped.port().displayList);
    renderer->EndPage();
  }
  std::string error;
  ASSERT_TRUE(renderer->Finish(&error)) << error;
  EXPECT_TRUE(std::filesystem::exists(Path("page.png")));
  EXPECT_TRUE(std::filesystem::exists(Path("page-2.png")));
}

TEST_F(RenderOutput, PdfPagesCarryTheirText) {
  const std::string pdf = Path("report.pdf");
  auto renderer = toolbox::NewPdfRenderer(pdf);
  for (const char* text : {"Spirometry report", "Second page"}) {
    ScopedPort page(Rect{0, 0, 200, 300});
    DrawReportLine(text);
    renderer->BeginPage(page.port().portRect);
    renderer->RenderDisplayList(page.port().displayList);
    renderer->EndPage();
  }
  std::string error;
  ASSERT_TRUE(renderer->Finish(&error)) << error;
  EXPECT_EQ(Slurp(pdf).substr(0, 5), "%PDF-");
  const std::string info = Run("pdfinfo '" + pdf + "' 2>/dev/null");
  if (info.empty()) GTEST_SKIP() << "poppler-utils are not installed";
  EXPECT_NE(info.find(" 2\n"), std::string::npos) << info;
  EXPECT_NE(info.find("300 x 200 pts"), std::string::npos) << info;
  const std::string text = Run("pdftotext '" + pdf + "' - 2>/dev/null");
  EXPECT_NE(text.find("Spirometry report"), std::string::npos) << text;
  EXPECT_NE(text.find("Second page"), std::string::npos) << text;

}

// A page with a cursor cross (xor) stays vector in SVG, and its text stays
// text that other programs can find and reflow.
TEST_F(RenderOutput, SvgKeepsXorAndTextAsVectors) {
  ScopedPort drawing(Rect{0, 0, 60, 120});
  DrawReportLine("Flow & volume");
  PenMode(patXor);
  MoveTo(40, 20);
  LineTo(40, 26);
  const Rect button{30, 10, 50, 70};
  PenNormal();
  FrameRoundRect(&button, 10, 10);
  const std::string svg = Path("plot.svg");
  auto renderer = toolbox::NewSvgRenderer(svg);
  renderer->BeginPage(drawing.port().portRect);
  renderer->RenderDisplayList(drawing.port().displayList);
  renderer->EndPage();
  std::string error;
  ASSERT_TRUE(renderer->Finish(&error)) << error;
  const std::string text = Slurp(svg);
  EXPECT_NE(text.find("<svg"), std::string::npos);
  EXPECT_NE(text.find(">Flow &amp; volume</text>"), std::string::npos) << text;
  EXPECT_NE(text.find("mix-blend-mode:difference"), std::string::npos);
  EXPECT_EQ(text.find("<image"), std::string::npos) << "no page turned into a bitmap";
  EXPECT_NE(text.find("A5,5 0 0 1 "), std::string::npos) << "rounded corners";
}

TEST_F(RenderOutput, NullRendererCountsAndAnEmptyPdfIsAnError) {
  ScopedPort scoped;
  DrawReportLine("x");
  toolbox::NullRenderStats stats;
  auto null = toolbox::NewNullRenderer(&stats);
  null->BeginPage(scoped.port().portRect);
  null->RenderDisplayList(scoped.port().displayList);
  null->EndPage();
  std::string error;
  EXPECT_TRUE(null->Finish(&error));
  EXPECT_EQ(stats.pages, 1);
  EXPECT_EQ(stats.operations, 2u);

  EXPECT_FALSE(toolbox::NewPdfRenderer(Path("empty.pdf"))->Finish(&error));
  EXPECT_NE(error.find("nothing was drawn"), std::string::npos);
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
  EXPECT_EQ(static_cast<unsigned char>(Slurp(Path("clip.png"))[19]), 60);

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
