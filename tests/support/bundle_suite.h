// A fixture base that loads the built bundle once per test suite, as the host
// loads it at start. Suites with shared setup of their own call
// BundleSuite::SetUpTestSuite() first.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "host/bundle.h"

class BundleSuite : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string error;
    bundle_ = host::Bundle::Load(VANTOR_BUNDLE_DIR, &error);
    ASSERT_NE(bundle_, nullptr) << error;
  }
  static void TearDownTestSuite() { bundle_.reset(); }

  inline static std::unique_ptr<host::Bundle> bundle_;
};
