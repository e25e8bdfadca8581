// The vantor program itself: exit codes and one-line errors for what no
// command can work with.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sys/wait.h>

#include "support/test_files.h"

namespace {

struct Outcome {
  int status;
  std::string error;
};

Outcome Vantor(const std::string& arguments) {
  const std::string errors = ::testing::TempDir() + "vantor-stderr.txt";
  const std::string command = "'" + std::string(VANTOR_BINARY_DIR) + "/bin/vantor' " + arguments + " >/dev/null 2>'" + errors + "'";
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw), ReadAll(errors)};
}

struct Case {
  const char* arguments;
  int status;
  const char* expected;
};

class ProgramExit : public ::testing::TestWithParam<Case> {};

TEST_P(ProgramExit, EndsInOneLineAndItsExitCode) {
  const Outcome o = Vantor(GetParam().arguments);
  EXPECT_EQ(o.status, GetParam().status) << o.error;
  EXPECT_NE(o.error.find(GetParam().expected), std::string::npos) << o.error;
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, ProgramExit,
    ::testing::Values(Case{"compute --bogus x --out y", 2, "--bogus"}, Case{"info", 2, "FILE is required"},
                      Case{"resources /tmp", 1, "/tmp: not a regular file"},
                      Case{"resources /dev/zero", 1, "/dev/zero: not a regular file"},
                      Case{"info /dev/zero", 1, "/dev/zero: not a regular file"},
                      Case{"compute /tmp --out /tmp/never", 1, "not a regular file"}));

// A sample whose ground truth is damaged: the demo says so instead of crashing
// or measuring outside the recording.
TEST(Demo, ADamagedGroundTruthIsNamed) {
  const std::string dir = ::testing::TempDir();
  const std::string sample = std::string(VANTOR_SOURCE_DIR) + "/data/sample.edf";
  const std::string copy = dir + "demo-sample.edf";
  std::ifstream in(sample, std::ios::binary);
  std::ofstream(copy, std::ios::binary) << in.rdbuf();
  const std::pair<const char*, const char*> truths[] = {
      {R"({"forcedExpiration": {"startSeconds": "25", "endSeconds": 31, "fvcLitres": 4, "fev1Litres": 3.2}})", "startSeconds"},
      {R"({"forcedExpiration": {"startSeconds": 31, "endSeconds": 25, "fvcLitres": 4, "fev1Litres": 3.2}})", "must last"},
      {"[1, 2", "forcedExpiration"}};
  for (const auto& [truth, expected] : truths) {
    std::ofstream(dir + "demo-sample.json") << truth;
    const Outcome o = Vantor("demo --sample '" + copy + "' --out '" + dir + "demo-out'");
    EXPECT_EQ(o.status, 1) << truth << "\n" << o.error;
    EXPECT_NE(o.error.find(expected), std::string::npos) << o.error;
  }
}

}  // namespace
