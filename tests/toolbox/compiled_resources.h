// Test resources written as the bundle's are (TOML), compiled by the
// project's resource compiler and opened as the current resource file.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "support/test_files.h"
#include "toolbox/file_bytes.h"
#include "toolbox/resource_test_support.h"
#include "toolbox/resources.h"

namespace toolbox_test {

struct RezRun {
  int exitCode;
  std::string errors;  // what it wrote on stderr
};

// Runs vantor-rez as the build does.
inline RezRun RunRez(const std::vector<std::string>& sources, const std::string& output) {
  std::string command = "'" + std::string(VANTOR_BINARY_DIR) + "/bin/vantor-rez' --output '" + output + "'";
  for (const std::string& s : sources) command += " '" + s + "'";
  const int status = std::system((command + " 2> '" + output + ".stderr'").c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadAll(output + ".stderr")};
}

// The resource file vantor-rez writes for these resources (empty when it refuses them).
inline std::vector<unsigned char> CompileResources(const std::string& toml) {
  const resource_test::TempDir dir;
  std::ofstream(dir.File("test.toml")) << toml;
  std::vector<unsigned char> bytes;
  const RezRun run = RunRez({dir.File("test.toml")}, dir.File("test.rsrc"));
  if (run.exitCode != 0 || toolbox::ReadFileBytes(dir.File("test.rsrc"), bytes) != noErr) {
    ADD_FAILURE() << "vantor-rez refused the test resources: " << run.errors;
  }
  return bytes;
}

class CompiledResources {
 public:
  explicit CompiledResources(const std::string& toml) : file_(toolbox::OpenResourceBytes(CompileResources(toml))) {
    if (file_ <= 0) ADD_FAILURE() << "cannot open the compiled resources, ResError " << ResError();
  }
  ~CompiledResources() {
    if (file_ > 0) CloseResFile(file_);
  }
  CompiledResources(const CompiledResources&) = delete;
  CompiledResources& operator=(const CompiledResources&) = delete;

 private:
  SInt16 file_ = -1;
};

// Resource data added to an in-memory file that a test controls byte by byte
// (for data the compiler would refuse to write).
class RawResources {
 public:
  RawResources() : file_(toolbox::OpenResourceBytes(toolbox::EmptyResourceFileBytes())) {}
  ~RawResources() { CloseResFile(file_); }
  RawResources(const RawResources&) = delete;
  RawResources& operator=(const RawResources&) = delete;

  void Add(ResType type, SInt16 id, const std::vector<unsigned char>& data) {
    Handle h = resource_test::HandleWith({reinterpret_cast<const char*>(data.data()), data.size()});
    AddResource(h, type, id, nullptr);
    EXPECT_EQ(ResError(), noErr);
  }

 private:
  SInt16 file_;
};

}  // namespace toolbox_test
