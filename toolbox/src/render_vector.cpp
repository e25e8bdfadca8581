// The vector file backends: PDF (one page per page) and SVG (the first page).
#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include "render_player.h"
#include "toolbox/render.h"

namespace toolbox {
namespace {

enum class VectorFormat { kPdf, kSvg };

class VectorRenderer : public Renderer {
 public:
  VectorRenderer(std::string path, VectorFormat format) : path_(std::move(path)), format_(format) {}
  ~VectorRenderer() override {
    EndPage();
    if (surface_ != nullptr) cairo_surface_destroy(surface_);
  }

  void BeginPage(const Rect& area) override {
    EndPage();
    const double width = area.right > area.left ? area.right - area.left : 1;
    const double height = area.bottom > area.top ? area.bottom - area.top : 1;
    if (surface_ == nullptr) {
      surface_ = format_ == VectorFormat::kPdf ? cairo_pdf_surface_create(path_.c_str(), width, height)
                                               : cairo_svg_surface_create(path_.c_str(), width, height);
    } else if (format_ == VectorFormat::kSvg) {
      return;  // SVG holds one page
    } else {
      cairo_pdf_surface_set_size(surface_, width, height);
    }
    cr_ = cairo_create(surface_);
    internal::PaintPageWhite(cr_);
    cairo_translate(cr_, -area.left, -area.top);
  }

  void RenderDisplayList(const DisplayList& list) override {
    if (cr_ != nullptr) internal::PlayDisplayList(cr_, list, internal::Fidelity::kVector);
  }

  void EndPage() override {
    if (cr_ == nullptr) return;
    cairo_show_page(cr_);
    cairo_destroy(cr_);
    cr_ = nullptr;
  }

  bool Finish(std::string* error) override {
    EndPage();
    if (surface_ == nullptr) {
      if (error != nullptr) *error = "nothing was drawn for " + path_;
      return false;
    }
    cairo_surface_finish(surface_);
    const cairo_status_t status = cairo_surface_status(surface_);
    if (status == CAIRO_STATUS_SUCCESS) return true;
    if (error != nullptr) *error = "cannot write " + path_ + ": " + cairo_status_to_string(status);
    return false;
  }

 private:
  std::string path_;
  VectorFormat format_;
  cairo_surface_t* surface_ = nullptr;
  cairo_t* cr_ = nullptr;
};

}  // namespace

std::unique_ptr<Renderer> NewPdfRenderer(const std::string& path) {
  return std::make_unique<VectorRenderer>(path, VectorFormat::kPdf);
}

std::unique_ptr<Renderer> NewSvgRenderer(const std::string& path) {
  return std::make_unique<VectorRenderer>(path, VectorFormat::kSvg);
}

}  // namespace toolbox
