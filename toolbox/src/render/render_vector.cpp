// The PDF backend: one vector page per page.
#include <cairo-pdf.h>
#include <cairo.h>

#include "render_player.h"
#include "toolbox/render.h"

namespace toolbox {
namespace {

class VectorRenderer : public Renderer {
 public:
  explicit VectorRenderer(std::string path) : path_(std::move(path)) {}
  ~VectorRenderer() override {
    EndPage();
    if (surface_ != nullptr) cairo_surface_destroy(surface_);
  }

  void BeginPage(const Rect& area) override {
    EndPage();
    const double width = area.right > area.left ? area.right - area.left : 1;
    const double height = area.bottom > area.top ? area.bottom - area.top : 1;
    if (surface_ == nullptr) {
      surface_ = cairo_pdf_surface_create(path_.c_str(), width, height);
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
  cairo_surface_t* surface_ = nullptr;
  cairo_t* cr_ = nullptr;
};

}  // namespace

std::unique_ptr<Renderer> NewPdfRenderer(const std::string& path) {
  return std::make_unique<VectorRenderer>(path);
}


}  // namespace toolbox
