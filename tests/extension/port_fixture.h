// A fresh 300 × 200 port, current for one test, with the real host's table.
#pragma once

#include <gtest/gtest.h>

#include "extension/service_spy.h"
#include "frame/host_services.h"
#include "toolbox/memory.h"
#include "toolbox/quickdraw.h"

using namespace spiro;

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
