#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "commands.h"
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
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "vantor: %s: cannot open\n", path.c_str());
    return 1;
  }
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), {});
  toolbox::ResourceFileContents contents;
  if (const OSErr err = toolbox::ParseResourceFile(bytes, contents); err != noErr) {
    std::fprintf(stderr, "vantor: %s: not a resource file (error %d)\n", path.c_str(), err);
    return 1;
  }
  for (const toolbox::ResourceRecord& r : contents.resources) {
    const std::string name = r.name ? " \"" + toolbox::MacRomanToUtf8(*r.name) + "\"" : "";
    std::printf("  '%s' %6d%s: %s\n", TypeText(r.type).c_str(), r.id, name.c_str(), Preview(r).c_str());
  }
  return 0;
}

}  // namespace cli
