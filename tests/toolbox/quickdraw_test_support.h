// Helpers shared by the QuickDraw, picture and renderer tests.
#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "toolbox/quickdraw.h"
#include "toolbox/render.h"
#include "toolbox/resource_test_support.h"

namespace qd_test {

constexpr std::uint32_t kWhitePixel = 0xFFFFFFFF;
constexpr std::uint32_t kBlackPixel = 0xFF000000;

// A fresh port, current for the helper's lifetime; the previous port returns after.
class ScopedPort {
 public:
  explicit ScopedPort(Rect bounds = Rect{0, 0, 100, 200}) : port_(CreateNewPort()) {
    GetPort(&saved_);
    SetPortBounds(port_, &bounds);
    SetPort(port_);
  }
  ~ScopedPort() {
    SetPort(saved_);
    DisposePort(port_);
  }
  ScopedPort(const ScopedPort&) = delete;
  ScopedPort& operator=(const ScopedPort&) = delete;

  GrafPort& port() { return *port_; }
  const std::vector<toolbox::DrawOp>& ops() const { return port_->displayList.ops; }
  toolbox::RasterImage Image() const { return toolbox::RenderToImage(port_->displayList, port_->portRect); }

 private:
  GrafPtr saved_ = nullptr;
  GrafPtr port_;
};

// A Str255 holding ASCII text.
inline std::array<unsigned char, 256> PStr(std::string_view text) { return resource_test::PString(text).bytes; }

}  // namespace qd_test
