// Every test process gets a temporary folder of its own. CTest runs the tests
// of one executable as separate processes side by side, and tests name their
// files after what they hold ("noisy.edf"), so a shared /tmp would let one
// process overwrite or remove another's files. testing::TempDir() reads
// TEST_TMPDIR at each call; setting it before main makes every test use the
// process's own folder, which is removed when the process ends.
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string& ProcessTempDir() {
  static std::string dir;
  return dir;
}

void RemoveProcessTempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(ProcessTempDir(), ignored);
}

[[maybe_unused]] const bool kInstalled = [] {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") +
                        "/vantor-test-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) return false;
  ProcessTempDir() = pattern;
  setenv("TEST_TMPDIR", pattern.c_str(), 1);
  std::atexit(RemoveProcessTempDir);
  return true;
}();

}  // namespace
