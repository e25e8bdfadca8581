// The null backend: no output, just counts (headless runs and tests).
#include "toolbox/render.h"

namespace toolbox {
namespace {

class NullRenderer : public Renderer {
 public:
  explicit NullRenderer(NullRenderStats* stats) : stats_(stats) {}

  void BeginPage(const Rect& /*area*/) override {
    if (stats_ != nullptr) ++stats_->pages;
  }
  void RenderDisplayList(const DisplayList& list) override {
    if (stats_ != nullptr) stats_->operations += list.ops.size();
  }
  void EndPage() override {}
  bool Finish(std::string* /*error*/) override { return true; }

 private:
  NullRenderStats* stats_;
};

}  // namespace

std::unique_ptr<Renderer> NewNullRenderer(NullRenderStats* stats) { return std::make_unique<NullRenderer>(stats); }

}  // namespace toolbox
