#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"
#include "failure.h"
#include "toolbox/file_bytes.h"
#include "toolbox/macroman.h"
#include "toolbox/resource_file_format.h"

namespace cli {
namespace {

std::string TypeText(ResType type) {
  std::string code;
  for (int shift = 24; shift >= 0; shift -= 8) code += static_cast<char>((type >> shift) & 0xFF);
  return toolbox::MacRomanToUtf8(code);
}

// A short preview: the strings of a 'STR#', otherwise the size.
std::string Preview(const toolbox::ResourceRecord& r) {
  if (r.type != FourCharCode("STR#") || r.data.size() < 2) return std::to_string(r.data.size()) + " bytes";
  std::string out;
  const std::size_t count = (std::size_t{r.data[0]} << 8) | r.data[1];
  std::size_t at = 2;
  for (std::size_t i = 0; i < count && at < r.data.size(); ++i) {
    const std::size_t n = r.data[at];
    if (at + 1 + n > r.data.size()) break;
    const std::string text(reinterpret_cast<const char*>(&r.data[at + 1]), n);
    out += "\n      " + std::to_string(i + 1) + ": \"" + toolbox::MacRomanToUtf8(text) + "\"";
    at += 1 + n;
  }
  return std::to_string(count) + " strings" + out;
}

}  // namespace

int ListResources(const std::string& path) {
  std::vector<unsigned char> bytes;
  if (const OSErr err = toolbox::ReadFileBytes(path, bytes); err != noErr) {
    return Failure(path, toolbox::FileReadErrorText(err));
  }
  toolbox::ResourceFileContents contents;
  if (const OSErr err = toolbox::ParseResourceFile(bytes, contents); err != noErr) {
    return Failure(path, "not a resource file (error " + std::to_string(err) + ")");
  }
  for (const toolbox::ResourceRecord& r : contents.resources) {
    const std::string name = r.name ? " \"" + toolbox::MacRomanToUtf8(*r.name) + "\"" : "";
    std::printf("  '%s' %6d%s: %s\n", TypeText(r.type).c_str(), r.id, name.c_str(), Preview(r).c_str());
  }
  return 0;
}

}  // namespace cli
