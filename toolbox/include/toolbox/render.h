// Renderers: backends that play display lists onto an output device.
//
// Every backend has the same verbs: BeginPage with the area of local
// coordinates the page shows, RenderDisplayList for each list on the page,
// EndPage, then Finish once. One pixel is one point (72 dpi).
//
//   raster  pages in memory (RasterImage), pixel-exact: the pen hangs below
//           and to the right, rectangles cover t..b-1 × l..r-1, XOR modes and
//           InvertRect invert pixels (so drawing twice restores them)
//   png     the raster backend, each page written as a PNG file
//   pdf     one vector page per page; inversion is a difference blend
//   svg     the first page as SVG
//   null    draws nothing, counts pages and operations
//
// Transfer modes: copy, or, bic and xor (src and pat alike) and their not-
// forms as on the platform; addMax keeps the lighter of colour and
// destination per channel (how DimRect greys a button out); grayishTextOr
// draws text halfway between foreground and background; other arithmetic
// modes draw as copy. Outline and shadow faces draw plain.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "toolbox/display_list.h"
#include "toolbox/quickdraw.h"

namespace toolbox {

// The largest raster page (8192 × 8192): a larger page renders as an empty
// image and its renderer's Finish fails, rather than exhausting memory.
constexpr long kMaxRasterPixels = 8192L * 8192L;

// Opaque pixels, row-major, 0xAARRGGBB (alpha always 0xFF).
struct RasterImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  bool operator==(const RasterImage&) const = default;
};

class Renderer {
 public:
  virtual ~Renderer() = default;
  // Starts a page filled white that shows `area` of the lists drawn on it.
  virtual void BeginPage(const Rect& area) = 0;
  virtual void RenderDisplayList(const DisplayList& list) = 0;
  virtual void EndPage() = 0;
  // Completes the output; false with a one-line reason when it failed.
  virtual bool Finish(std::string* error) = 0;
};

// Pages collected into `pages` as they end (the vector must outlive the renderer).
std::unique_ptr<Renderer> NewRasterRenderer(std::vector<RasterImage>* pages);
// Page 1 goes to path; page n ≥ 2 to path with "-n" before ".png".
std::unique_ptr<Renderer> NewPngRenderer(const std::string& path);
std::unique_ptr<Renderer> NewPdfRenderer(const std::string& path);
std::unique_ptr<Renderer> NewSvgRenderer(const std::string& path);
struct NullRenderStats {
  int pages = 0;
  std::size_t operations = 0;
};
std::unique_ptr<Renderer> NewNullRenderer(NullRenderStats* stats);

// --- Conveniences ---------------------------------------------------------
// An empty image when the area is empty or larger than kMaxRasterPixels.
RasterImage RenderToImage(const DisplayList& list, const Rect& area);
// Fails for an empty image.
bool WritePng(const RasterImage& image, const std::string& path, std::string* error);
std::vector<unsigned char> EncodePng(const RasterImage& image);
// A port's display list over its port rectangle (a window or dialog picture).
bool WritePortPng(CGrafPtr port, const std::string& path, std::string* error);
// PICT bytes (as on the clipboard) drawn over their frame to a PNG file.
bool WritePictAsPng(std::span<const unsigned char> pict, const std::string& path, std::string* error);

}  // namespace toolbox
