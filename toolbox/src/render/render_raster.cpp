// The raster backend (pages in memory) and PNG output built on it.
#include <cairo.h>

#include <cstring>
#include <string>

#include "render_player.h"
#include "toolbox/render.h"

namespace toolbox {
namespace {

class RasterRenderer : public Renderer {
 public:
  explicit RasterRenderer(std::vector<RasterImage>* pages) : pages_(pages) {}
  ~RasterRenderer() override { EndPage(); }

  void BeginPage(const Rect& area) override {
    EndPage();
    const int width = area.right > area.left ? area.right - area.left : 0;
    const int height = area.bottom > area.top ? area.bottom - area.top : 0;
    if (long{width} * height > kMaxRasterPixels) {
      failure_ = "a page of " + std::to_string(width) + " x " + std::to_string(height) + " pixels is too large";
      if (pages_ != nullptr) pages_->push_back(RasterImage{});
      return;
    }
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cr_ = cairo_create(surface_);
    internal::PaintPageWhite(cr_);
    cairo_translate(cr_, -area.left, -area.top);
  }

  void RenderDisplayList(const DisplayList& list) override {
    if (cr_ != nullptr) internal::PlayDisplayList(cr_, list, internal::Fidelity::kPixelExact);
  }

  void EndPage() override {
    if (cr_ == nullptr) return;
    cairo_destroy(cr_);
    cr_ = nullptr;
    cairo_surface_flush(surface_);
    if (pages_ != nullptr) pages_->push_back(ToImage(surface_));
    cairo_surface_destroy(surface_);
    surface_ = nullptr;
  }

  bool Finish(std::string* error) override {
    EndPage();
    if (failure_.empty()) return true;
    if (error != nullptr) *error = failure_;
    return false;
  }

 private:
  static RasterImage ToImage(cairo_surface_t* surface) {
    RasterImage image;
    image.width = cairo_image_surface_get_width(surface);
    image.height = cairo_image_surface_get_height(surface);
    image.pixels.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; data != nullptr && y < image.height; ++y) {
      const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
      for (int x = 0; x < image.width; ++x)
        image.pixels[static_cast<std::size_t>(y) * image.width + x] = row[x] | 0xFF000000u;
    }
    return image;
  }

  std::vector<RasterImage>* pages_;
  cairo_surface_t* surface_ = nullptr;
  cairo_t* cr_ = nullptr;
  std::string failure_;
};

// The image as a cairo surface sharing nothing with it.
cairo_surface_t* SurfaceOf(const RasterImage& image) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.width, image.height);
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; data != nullptr && y < image.height; ++y)
    std::memcpy(data + y * stride, image.pixels.data() + static_cast<std::size_t>(y) * image.width,
                static_cast<std::size_t>(image.width) * 4);
  cairo_surface_mark_dirty(surface);
  return surface;
}

std::string PagePath(const std::string& path, std::size_t page) {
  if (page == 0) return path;
  const std::string suffix = "-" + std::to_string(page + 1);
  const std::size_t dot = path.rfind(".png");
  return dot == std::string::npos ? path + suffix : path.substr(0, dot) + suffix + path.substr(dot);
}

class PngRenderer : public Renderer {
 public:
  explicit PngRenderer(std::string path) : path_(std::move(path)), raster_(&pages_) {}

  void BeginPage(const Rect& area) override { raster_.BeginPage(area); }
  void RenderDisplayList(const DisplayList& list) override { raster_.RenderDisplayList(list); }
  void EndPage() override { raster_.EndPage(); }
  bool Finish(std::string* error) override {
    if (!raster_.Finish(error)) return false;
    for (std::size_t i = 0; i < pages_.size(); ++i) {
      if (!WritePng(pages_[i], PagePath(path_, i), error)) return false;
    }
    return true;
  }

 private:
  std::string path_;
  std::vector<RasterImage> pages_;
  RasterRenderer raster_;
};

}  // namespace

std::unique_ptr<Renderer> NewRasterRenderer(std::vector<RasterImage>* pages) {
  return std::make_unique<RasterRenderer>(pages);
}

std::unique_ptr<Renderer> NewPngRenderer(const std::string& path) { return std::make_unique<PngRenderer>(path); }

bool WritePng(const RasterImage& image, const std::string& path, std::string* error) {
  if (image.width <= 0 || image.height <= 0) {
    if (error != nullptr) *error = "nothing to write to " + path;
    return false;
  }
  cairo_surface_t* surface = SurfaceOf(image);
  const cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
  cairo_surface_destroy(surface);
  if (status == CAIRO_STATUS_SUCCESS) return true;
  if (error != nullptr) *error = "cannot write " + path + ": " + cairo_status_to_string(status);
  return false;
}

std::vector<unsigned char> EncodePng(const RasterImage& image) {
  std::vector<unsigned char> bytes;
  cairo_surface_t* surface = SurfaceOf(image);
  cairo_surface_write_to_png_stream(
      surface,
      [](void* closure, const unsigned char* data, unsigned int length) {
        auto* out = static_cast<std::vector<unsigned char>*>(closure);
        out->insert(out->end(), data, data + length);
        return CAIRO_STATUS_SUCCESS;
      },
      &bytes);
  cairo_surface_destroy(surface);
  return bytes;
}

}  // namespace toolbox
