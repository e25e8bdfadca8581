// libFuzzer target over the resource file reader and the Resource Manager's
// open path. Any input must be refused or read consistently: what the reader
// accepts must serialise and read back to the same records.
//
// Build with clang (see fuzz/CMakeLists.txt), or by hand:
//   clang++-14 -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined \
//     -Itoolbox/include $(printf -- "-I%s " toolbox/src/*/) fuzz/resource_file_fuzz.cpp toolbox/src/*/*.cpp \
//     -o resource_file_fuzz && ./resource_file_fuzz -max_len=4096
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "toolbox/resource_file_format.h"
#include "toolbox/resources.h"

namespace {

bool SameRecords(const toolbox::ResourceFileContents& a, const toolbox::ResourceFileContents& b) {
  if (a.fileAttributes != b.fileAttributes || a.resources.size() != b.resources.size()) return false;
  for (std::size_t i = 0; i < a.resources.size(); ++i) {
    const auto& x = a.resources[i];
    const auto& y = b.resources[i];
    if (x.type != y.type || x.id != y.id || x.name != y.name || x.attributes != y.attributes || x.data != y.data)
      return false;
  }
  return true;
}

// Opens the bytes as a resource file and touches every resource.
void ExerciseResourceManager(const std::vector<unsigned char>& bytes,
                             const toolbox::ResourceFileContents& contents) {
  const SInt16 file = toolbox::OpenResourceBytes(bytes);
  if (file <= 0) std::abort();  // the reader accepted these bytes
  for (const auto& record : contents.resources) {
    Handle h = Get1Resource(record.type, record.id);
    if (h != nullptr) ReleaseResource(h);
    Str255 text;
    GetIndString(text, record.id, 1);
  }
  CloseResFile(file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<unsigned char> bytes(data, data + size);
  toolbox::ResourceFileContents contents;
  if (toolbox::ParseResourceFile(bytes, contents) != noErr) return 0;

  std::vector<unsigned char> written;
  if (toolbox::SerializeResourceFile(contents, written) != noErr) std::abort();
  toolbox::ResourceFileContents reread;
  // The reader emits each type's entries together, in type-list order, which
  // is the order the writer keeps: the records come back exactly.
  if (toolbox::ParseResourceFile(written, reread) != noErr || !SameRecords(contents, reread)) std::abort();
  ExerciseResourceManager(bytes, contents);
  return 0;
}
