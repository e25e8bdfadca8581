// Test resources written as the bundle's are (TOML), compiled by the
// project's resource compiler and opened as the current resource file.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "toolbox/file_bytes.h"
#include "toolbox/resource_test_support.h"
#include "toolbox/resources.h"

namespace toolbox_test {

// The resource file vantor-rez writes for these resources (empty when it refuses them).
inline std::vector<unsigned char> CompileResources(const std::string& toml) {
  const resource_test::TempDir dir;
  const std::string source = dir.File("test.toml");
  const std::string output = dir.File("test.rsrc");
  std::ofstream(source) << toml;
  const std::string command =
      "'" + std::string(VANTOR_BINARY_DIR) + "/bin/vantor-rez' --output '" + output + "' '" + source + "'";
  std::vector<unsigned char> bytes;
  if (std::system(command.c_str()) != 0 || toolbox::ReadFileBytes(output, bytes) != noErr) {
    ADD_FAILURE() << "vantor-rez refused the test resources";
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
