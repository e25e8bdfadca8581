// A fresh 300 × 200 port, current for one test, with the real host's table.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "support/service_spy.h"
#include "frame/host_services.h"
#include "toolbox/memory.h"
#include "toolbox/quickdraw.h"

using namespace spiro;

// The ops drawn into a display list that `keep` accepts, in drawing order.
template <class Keep>
std::vector<toolbox::DrawOp> OpsWhere(const toolbox::DisplayList& list, Keep keep) {
  std::vector<toolbox::DrawOp> found;
  std::copy_if(list.ops.begin(), list.ops.end(), std::back_inserter(found), keep);
  return found;
}
inline std::vector<toolbox::DrawOp> OpsOf(const toolbox::DisplayList& list, toolbox::DrawKind kind) {
  return OpsWhere(list, [kind](const toolbox::DrawOp& op) { return op.kind == kind; });
}

class PortTest : public ::testing::Test {
 protected:
  static constexpr Rect kPortBounds{0, 0, 200, 300};

  void SetUp() override {
    SetHostServiceTable(host::ServicesAddress());
    SpiedCallOrder().clear();
    port_ = CreateNewPort();
    ASSERT_NE(port_, nullptr);
    SetPortBounds(port_, &kPortBounds);
    SetPort(port_);
  }
  void TearDown() override {
    toolbox::FailAllocationAfter(0);
    SetPort(nullptr);
    DisposePort(port_);
  }

  const toolbox::DisplayList& Drawn() const { return port_->displayList; }

  CGrafPtr port_ = nullptr;
};
