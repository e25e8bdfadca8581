// A port of its own, current for the test, whose display list tests read.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "toolbox/display_list.h"
#include "toolbox/quickdraw.h"

namespace testext {

class DrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    port_ = std::make_unique<GrafPort>();
    port_->portRect = Rect{0, 0, 300, 400};
    port_->visRect = port_->portRect;
    SetPort(port_.get());
    TextFont(1);
    TextSize(12);
  }
  void TearDown() override { SetPort(nullptr); }

  GrafPtr port() { return port_.get(); }
  void ClearDisplayList() { toolbox::ClearDisplayList(port_.get()); }
  const std::vector<toolbox::DrawOp>& ops() const { return port_->displayList.ops; }
  std::vector<toolbox::DrawOp> OpsOf(toolbox::DrawKind kind) const {
    std::vector<toolbox::DrawOp> found;
    for (const toolbox::DrawOp& op : ops()) {
      if (op.kind == kind) found.push_back(op);
    }
    return found;
  }

 private:
  std::unique_ptr<GrafPort> port_;
};

}  // namespace testext
